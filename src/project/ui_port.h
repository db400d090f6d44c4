#pragma once
// The one way the core talks to the user. The core never shows anything itself: the window
// implements this port with widgets and dialogs, the quillery command with stderr/stdout,
// and the tests with a recording fake that checks the exact texts.
//
// Threading: the port, like the shared pattern engine, is used from one thread at a time.
// A front-end that runs a make off its GUI thread forwards the calls to that thread itself.

#include <string>
#include <string_view>

namespace quillery {

// The pages of the main window's page control, in their order there.
enum class Page { General, Cover, Import, Export, Log, Advanced };

// The controls the core gives the keyboard focus to.
enum class Control {
    ImportWebPagesButton,  // btnImportHtml
    MakeButton,            // btnMake
    BookTitleBox,          // inTitle
    ChapterGrid,           // fileList
};

// The window's component name of a control ("btnMake"), and a page's caption without its
// padding ("General"): for logs and for front-ends that look widgets up by name.
std::string_view ControlName(Control control);
std::string_view PageName(Page page);

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
    // Give the keyboard focus to a control.
    virtual void FocusControl(Control control) = 0;
    // Bring a page of the page control to the front.
    virtual void ShowPage(Page page) = 0;
    // Refresh the log view with the build log as it stands now.
    virtual void ShowBuildLog(std::string_view log) = 0;
    // Open the Log window (after a make that produced no book).
    virtual void OpenLogWindow() = 0;
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
    void FocusControl(Control) override {}
    void ShowPage(Page) override {}
    void ShowBuildLog(std::string_view) override {}
    void OpenLogWindow() override {}
    void RequestKindleGenPath() override {}
    void ShellOpen(std::string_view, std::string_view) override {}
    void ShellOpenDefault(std::string_view) override {}
};

// A program or file the user sets by path (the external editor, the epubcheck jar): true when
// the path is set and a file exists there; otherwise shows whenUnset or whenMissing.
bool FileSettingUsable(const std::string& path, std::string_view whenUnset,
                       std::string_view whenMissing, UiPort& ui);

}  // namespace quillery
