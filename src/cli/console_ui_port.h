#pragma once
// The UI port of the quillery command: messages and questions on standard error (as the
// window would show them), progress lines on standard error, files opened with xdg-open.

#include <cstdio>

#include "project/ui_port.h"

namespace quillery::cli {

class ConsoleUiPort final : public UiPort {
public:
    // assumeYes: answer Yes to every question without asking (--yes). Otherwise a question
    // is asked on the terminal when standard input is one, and answered No when it is not.
    ConsoleUiPort(bool assumeYes, std::FILE* out = stderr);

    void ShowMessage(std::string_view text) override;
    bool ConfirmYesNo(std::string_view text) override;
    void SetStatus(std::string_view text) override;
    void SetProgress(int percent) override;
    void FocusControl(Control) override {}
    void ShowPage(Page) override {}
    void ShowBuildLog(std::string_view) override {}  // the command prints the log at the end
    void OpenLogWindow() override {}
    void RequestKindleGenPath() override;
    void ShellOpen(std::string_view target, std::string_view parameters) override;
    void ShellOpenDefault(std::string_view target) override;

private:
    bool assumeYes_;
    std::FILE* out_;
    int progress_ = 0;
};

// "\r\n" in a message is a line break in the window: on a console it is "\n".
std::string ConsoleText(std::string_view text);

}  // namespace quillery::cli
