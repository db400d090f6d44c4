#pragma once
// A UI port that records every request, for tests that check the exact texts and order.

#include <string>
#include <vector>

#include "project/ui_port.h"

namespace quillery::testing {

class RecordingUiPort : public UiPort {
public:
    // Everything the core asked for, in order, as "kind: text" lines, e.g.
    // "message: Please specify the book title", "focus: inTitle", "page: General".
    std::vector<std::string> events;
    std::vector<std::string> messages;
    std::string shownLog;   // the build log as the log view last showed it
    bool answerYes = true;  // the answer to every Yes/No question

    void ShowMessage(std::string_view text) override;
    bool ConfirmYesNo(std::string_view text) override;
    void SetStatus(std::string_view text) override;
    void SetProgress(int percent) override;
    void FocusControl(Control control) override;
    void ShowPage(Page page) override;
    void ShowBuildLog(std::string_view log) override;
    void OpenLogWindow() override;
    void RequestKindleGenPath() override;
    void ShellOpen(std::string_view target, std::string_view parameters) override;
    void ShellOpenDefault(std::string_view target) override;
};

}  // namespace quillery::testing
