#pragma once
// The main window TForm1: the chapter grid and preview on the left, the option pages on the
// right, the status line at the bottom, the menus above. It owns the one Book project of the
// run, the settings and the chapter grid's model, and routes every command to the core.
// Imports and makes run on a worker thread (BackgroundJob) while the window's commands are
// off; the core reaches the window only through the QtUiPort.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "app/import_outcome.h"
#include "app/main_menus.h"
#include "app/remembered_folders.h"
#include "htmlimport/chapter_grid.h"
#include "htmlimport/title_tools.h"
#include "project/book.h"
#include "project/settings.h"
#include "project/work_folder_lock.h"
#include "project/work_folders.h"
#include "wordimport/word_import.h"

class QWebEngineView;

namespace quillery::app {

class AboutBox;
class BackgroundJob;
class ChapterGridWidget;
class CompileOptionsDialog;
class DialogChooser;
class KindleGenNeededDialog;
class LanguageDialog;
class JobCanceller;
struct DroppedBook;
class LogWindow;
class QtUiPort;

// Closing while an import or make runs asks this first; Yes stops the work, then closes.
inline constexpr const char* kStopWorkQuestion =
    "Quillery is still working on this book. Stop the work and exit?";

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(WorkFolders folders, DialogChooser& chooser);
    ~MainWindow() override;

    // The core's state, for the tests' eyes.
    const Book& book() const { return book_; }
    const Settings& settings() const { return settings_; }
    bool busy() const;
    const MenuActions& menus() const { return menus_; }

    // The window's commands (buttons and menu items).
    void ImportWebPagesCommand();
    void ImportWordDocumentCommand();
    void ImportWordHtmlCommand();
    void ReimportWordCommand();
    void OpenExampleCommand();
    void MakeMobiCommand();
    void MakeContentCommand();
    void MakeTocCommand();
    void RecompileCommand();
    void SaveSettingsCommand();
    void ChangeDestinationCommand();
    void LoadCoverCommand();
    void ClearCoverCommand();
    void SetKindleGenPathCommand();
    void SetEditorCommand();
    void SaveLogCommand();
    void CompilingOptionsCommand();
    void MoreLanguagesCommand();
    void ValidateThisCommand();
    void ValidateOtherCommand();
    void SetEpubcheckJarCommand();
    // Files dropped on the window (or named on the command line): the matching import
    // command, with its questions, but without its file dialog.
    void ImportDropped(const DroppedBook& dropped);

signals:
    // A command's work has ended and the window's commands are on again.
    void commandFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildWindow();
    void ConnectControls();
    void FirstShow();
    // The read-back of the controls into a BookForm, with the grid rows and the cover.
    BookForm CurrentForm();
    bool ConfirmNewProject();
    // The work-folder lock, or a message and nullopt when another run holds it.
    std::optional<WorkFolderLock> TakeLock();
    // Runs work off the GUI thread with the commands off; afterwards done on the GUI thread.
    void RunJob(std::optional<WorkFolderLock> lock, std::function<void()> work,
                std::function<void()> done);
    void SetCommandsEnabled(bool enabled);
    // After any import: the grid, the form's new values, the preview, the window's own state.
    void ShowImport(const BookForm& form, const ChapterGrid& grid, const std::string& preview,
                    bool fromWord);
    void ShowMade();
    void ResetWindowForNewProject();
    void SetDestinationLinks(bool links);
    void OnGridClicked(int row, int column);
    void OnRowMoved(int from, int to);
    void OnMarkAsToc(int row);
    void OnPreviewToggled(bool down);
    void OnPageChanged(int index);
    void OnSavePathChosen(bool sameAsSource);
    void OnDestinationClicked(bool name);
    void PreviewFile(const std::string& path);
    void ShowCover();
    // The "Titles" menu: each tool runs on the grid as the user left it (title_commands.cpp).
    void ConnectTitleTools();
    void RunTitleTool(const std::function<void(Book&, ChapterGrid&)>& tool);
    // The dialogs, the validation commands and the Edit menu (main_window_dialogs.cpp,
    // main_window_validation.cpp, main_window_editor.cpp).
    void ConnectDialogCommands();
    void ConnectEditMenu();
    void RebuildEditMenus();
    void KindleGenNeeded();
    std::string EpubcheckJar() const;
    // Every import: the new-project question (newProject), the files (choose; none for a
    // re-import), the lock, the form, then work on the worker and the grid shown after it.
    void RunImport(bool newProject, const FileChoice& choose, ImportWork work);
    void ImportWebPagesFrom(const FileChoice& choose);
    void ImportWordDocumentFrom(const FileChoice& choose);
    void ImportWordHtmlFrom(const FileChoice& choose);

    Book book_;
    Settings settings_;
    ChapterGrid grid_;
    TitleTools titleTools_;
    std::string coverPath_;
    WordConverter word_;
    RememberedFolders dialogFolders_;
    bool shown_ = false;
    bool madeLinks_ = false;

    DialogChooser& chooser_;
    MenuActions menus_{};
    ChapterGridWidget* fileList_ = nullptr;
    QWebEngineView* viewer_ = nullptr;
    QWebEngineView* coverView_ = nullptr;
    LogWindow* logWindow_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    CompileOptionsDialog* compileOptions_ = nullptr;
    KindleGenNeededDialog* kindleGenNeeded_ = nullptr;
    LanguageDialog* languageDialog_ = nullptr;
    std::unique_ptr<QtUiPort> port_;
    BackgroundJob* job_ = nullptr;
    JobCanceller* canceller_ = nullptr;
};

}  // namespace quillery::app
