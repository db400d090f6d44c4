#pragma once
// A UI port that records every request, for tests that check the exact texts and order.

#include <string>
#include <vector>

#include "text/ui_port.h"

namespace quillery::testing {

class RecordingUiPort : public UiPort {
public:
    // Everything the core asked for, in order, as "kind: text" lines, e.g.
    // "message: Please specify the book title", "focus: inTitle", "page: tabGeneral".
    std::vector<std::string> events;
    std::vector<std::string> messages;
    bool answerYes = true;  // the answer to every Yes/No question

    void ShowMessage(std::string_view text) override;
    bool ConfirmYesNo(std::string_view text) override;
    void SetStatus(std::string_view text) override;
    void SetProgress(int percent) override;
    void FocusControl(std::string_view control) override;
    void ShowPage(std::string_view page) override;
    void RequestKindleGenPath() override;
    void ShellOpen(std::string_view target, std::string_view parameters) override;
    void ShellOpenDefault(std::string_view target) override;
};

}  // namespace quillery::testing
