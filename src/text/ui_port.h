#pragma once
// The one way the core talks to the user. The core never shows anything itself: the GUI
// implements this port with windows and dialogs, the quillery command with stderr/stdout,
// and the tests with a recording fake that checks the exact texts.

#include <string>
#include <string_view>

namespace quillery {

class UiPort {
public:
    virtual ~UiPort() = default;

    // A modal message box holding one sentence ("\r\n" in the text is a line break).
    virtual void ShowMessage(std::string_view text) = 0;
    // A Yes/No question with the caption "Confirm"; true only when Yes was chosen.
    virtual bool ConfirmYesNo(std::string_view text) = 0;
    // The status line and its progress gauge (0..100).
    virtual void SetStatus(std::string_view text) = 0;
    virtual void SetProgress(int percent) = 0;
    // Give the keyboard focus to a control, named as the window names it ("inTitle", ...).
    virtual void FocusControl(std::string_view control) = 0;
    // Bring a tab page to the front, named by its control name ("tabGeneral", ...).
    virtual void ShowPage(std::string_view page) = 0;
    // The "KindleGen needed" request: offer the user a way to set the compiler path.
    virtual void RequestKindleGenPath() = 0;
    // Open a file or folder with its associated program, optionally with parameters (an
    // editor program with a file), or a web address / document with the default action.
    virtual void ShellOpen(std::string_view target, std::string_view parameters) = 0;
    virtual void ShellOpenDefault(std::string_view target) = 0;
};

// A port that shows nothing and answers No: for callers that have no user to ask.
class SilentUiPort : public UiPort {
public:
    void ShowMessage(std::string_view) override {}
    bool ConfirmYesNo(std::string_view) override { return false; }
    void SetStatus(std::string_view) override {}
    void SetProgress(int) override {}
    void FocusControl(std::string_view) override {}
    void ShowPage(std::string_view) override {}
    void RequestKindleGenPath() override {}
    void ShellOpen(std::string_view, std::string_view) override {}
    void ShellOpenDefault(std::string_view) override {}
};

}  // namespace quillery
