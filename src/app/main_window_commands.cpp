// The main window's commands: the imports, the makes, Save Settings, the destination, the
// cover picture and saving the log. Imports and makes take the work-folder lock and run
// on the worker; everything else is quick and runs on the GUI thread. Every import, from a
// dialog or from a drop, goes through RunImport; the file dialogs start in the folders
// remembered for their kind.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>

#include "app/background_job.h"
#include "app/chapter_grid_widget.h"
#include "app/dialog_chooser.h"
#include "app/dropped_book.h"
#include "app/form_binding.h"
#include "app/main_window.h"
#include "app/qt_ui_port.h"
#include "htmlimport/chapter_list.h"
#include "workflow/make_pipeline.h"
#include "workflow/web_page_import.h"
#include "workflow/word_document_import.h"

namespace quillery::app {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

BookForm MainWindow::CurrentForm() {
    BookForm form = ReadForm(*this);
    fileList_->TakeTitles(grid_);
    form.fileList = ChapterRowsOf(grid_);
    form.coverPath = coverPath_;
    return form;
}

bool MainWindow::ConfirmNewProject() {
    return book_.chapters.empty() ||
           port_->ConfirmYesNo("Are you sure to quit this project and begin a new book project?");
}

std::optional<WorkFolderLock> MainWindow::TakeLock() {
    try {
        auto lock = WorkFolderLock::Take(book_.folders, false, {});
        if (!lock) {
            port_->ShowMessage(
                "Another Quillery run is using the work folders; try again when it has "
                "finished.");
        }
        return lock;
    } catch (const std::exception& e) {
        port_->ShowMessage(e.what());
        return std::nullopt;
    }
}

void MainWindow::SetCommandsEnabled(bool enabled) {
    for (const char* name : {"btnImportHtml", "btnImportDoc", "btnMake", "btnAdvSave", "btnSaveto",
                             "btnSelCoverPic", "btnClearCover"}) {
        findChild<QWidget*>(name)->setEnabled(enabled);
    }
    fileList_->setEnabled(enabled);
    for (QAction* action : {menus_.openExample, menus_.importWebPages, menus_.importWordDocument,
                            menus_.importWordHtml, menus_.makeMobi, menus_.makeContent,
                            menus_.makeToc, menus_.publish, menus_.recompile}) {
        action->setEnabled(enabled);
    }
}

void MainWindow::RunJob(std::optional<WorkFolderLock> lock, std::function<void()> work,
                        std::function<void()> done) {
    SetCommandsEnabled(false);
    const bool reimportOn = menus_.reimportWord->isEnabled();
    menus_.reimportWord->setEnabled(false);
    job_->Start(std::move(lock), std::move(work), [this, done, reimportOn](const QString& error) {
        SetCommandsEnabled(true);
        menus_.reimportWord->setEnabled(reimportOn);
        findChild<QWidget*>("Gauge1")->setHidden(true);
        if (!error.isEmpty()) port_->ShowMessage(error.toStdString());
        done();
        port_->GiveDeferredFocus();
        emit commandFinished();
    });
}

void MainWindow::ShowImport(const BookForm& form, const ChapterGrid& grid,
                            const std::string& preview, bool fromWord) {
    ResetWindowForNewProject();
    grid_ = grid;
    fileList_->ShowGrid(grid_);
    ShowForm(*this, form);
    if (!preview.empty()) PreviewFile(preview);
    menus_.validateThis->setEnabled(false);
    menus_.reimportWord->setEnabled(fromWord);
    if (book_.wordImport) RebuildEditMenus();
}

void MainWindow::RunImport(bool newProject, const FileChoice& choose, ImportWork work) {
    if (busy() || (newProject && !ConfirmNewProject())) return;
    std::vector<std::string> chosen;
    if (choose) {
        const QStringList files = choose();
        if (files.isEmpty()) return;
        for (const QString& file : files) chosen.push_back(file.toStdString());
    }
    auto lock = TakeLock();
    if (!lock) return;
    BookForm form = CurrentForm();
    ReadImportOptions(settings_, form);
    const bool previewOn = findChild<QToolButton*>("btnPreview")->isChecked();
    auto shared =
        std::make_shared<std::pair<BookForm, ImportOutcome>>(std::move(form), ImportOutcome{});
    RunJob(
        std::move(*lock),
        [shared, chosen = std::move(chosen), previewOn, work = std::move(work)] {
            shared->second = work(shared->first, chosen, previewOn);
        },
        [this, shared] {
            const ImportOutcome& outcome = shared->second;
            if (outcome.imported)
                ShowImport(shared->first, outcome.grid, outcome.previewFile, outcome.fromWord);
        });
}

void MainWindow::ImportWebPagesFrom(const FileChoice& choose) {
    RunImport(true, choose, [this](BookForm& form, const auto& chosen, bool previewOn) {
        return OutcomeOf(ImportWebPages(book_, form, *port_, chosen, previewOn), false);
    });
}

void MainWindow::ImportWordDocumentFrom(const FileChoice& choose) {
    RunImport(true, choose, [this](BookForm& form, const auto& chosen, bool previewOn) {
        return OutcomeOf(
            ImportWordDocument(book_, form, settings_, *port_, word_, chosen.front(), previewOn),
            true);
    });
}

void MainWindow::ImportWordHtmlFrom(const FileChoice& choose) {
    RunImport(true, choose, [this](BookForm& form, const auto& chosen, bool previewOn) {
        return OutcomeOf(ImportWordHtml(book_, form, settings_, *port_, chosen.front(), previewOn),
                         false);
    });
}

void MainWindow::ImportWebPagesCommand() {
    ImportWebPagesFrom([this] {
        return dialogFolders_.OpenFiles(chooser_, this, FolderKind::WebPages,
                                        QtFileFilter(WebPageFileFilter()));
    });
}

void MainWindow::ImportWordDocumentCommand() {
    ImportWordDocumentFrom([this] {
        return QStringList{dialogFolders_.OpenFile(chooser_, this, FolderKind::WordDocument,
                                                   QtFileFilter(WordDocumentFileFilter()))};
    });
}

void MainWindow::OpenExampleCommand() {
    dialogFolders_.SetFolder(FolderKind::WordDocument, Q(book_.folders.dataFolder + "examples/"));
    ImportWordDocumentCommand();
}

void MainWindow::ImportWordHtmlCommand() {
    ImportWordHtmlFrom([this] {
        return QStringList{dialogFolders_.OpenFile(chooser_, this, FolderKind::WordHtml,
                                                   QtFileFilter(WordHtmlFileFilter()))};
    });
}

void MainWindow::ReimportWordCommand() {
    RunImport(false, nullptr, [this](BookForm& form, const auto&, bool previewOn) {
        return OutcomeOf(ReimportWordDocument(book_, form, settings_, *port_, word_, previewOn),
                         true);
    });
}

void MainWindow::ImportDropped(const DroppedBook& dropped) {
    const FileChoice given = [files = dropped.files] { return files; };
    switch (dropped.kind) {
        case DropKind::WebPages:
            dialogFolders_.Remember(FolderKind::WebPages, dropped.files.front());
            return ImportWebPagesFrom(given);
        case DropKind::WordDocument:
            dialogFolders_.Remember(FolderKind::WordDocument, dropped.files.front());
            return ImportWordDocumentFrom(given);
        case DropKind::WordHtml:
            dialogFolders_.Remember(FolderKind::WordHtml, dropped.files.front());
            return ImportWordHtmlFrom(given);
        case DropKind::Nothing:
            return;
    }
}

void MainWindow::MakeMobiCommand() {
    if (busy()) return;
    auto lock = TakeLock();
    if (!lock) return;
    auto form = std::make_shared<BookForm>(CurrentForm());
    auto result = std::make_shared<MakeResult>();
    RunJob(
        std::move(*lock),
        [this, form, result] { *result = MakeMobi(book_, *form, settings_, *port_); },
        [this, result] {
            if (!result->packageWritten) return;
            // A Word book keeps the sub-items its import gave.
            if (!book_.wordImport) RebuildEditMenus();
            ShowMade();
        });
}

void MainWindow::ShowMade() {
    NamedControl<QLabel>(*this, "lblSaveStatus").setText(kSavedStatus);
    SetDestinationLinks(true);
    NamedControl<QWidget>(*this, "btnSaveto").setEnabled(false);
    menus_.validateThis->setEnabled(true);
    const int row = grid_.lastPreviewedRow;
    if (row > 0 && row < grid_.RowCount() && findChild<QToolButton*>("btnPreview")->isChecked()) {
        PreviewFile(book_.folders.opsFolder + grid_.rows[row][kGridFileColumn]);
    }
}

void MainWindow::MakeContentCommand() {
    if (busy()) return;
    auto lock = TakeLock();
    if (!lock) return;
    auto form = std::make_shared<BookForm>(CurrentForm());
    RunJob(
        std::move(*lock), [this, form] { MakeContent(book_, *form, *port_); }, [] {});
}

void MainWindow::MakeTocCommand() {
    if (busy()) return;
    auto lock = TakeLock();
    if (!lock) return;
    RunJob(
        std::move(*lock), [this] { MakeToc(book_, *port_); }, [] {});
}

void MainWindow::RecompileCommand() {
    if (busy()) return;
    auto lock = TakeLock();
    if (!lock) return;
    const std::string compiler = NamedControl<QLineEdit>(*this, "inKGenPath").text().toStdString();
    RunJob(
        std::move(*lock), [this, compiler] { ReCompile(book_, compiler, *port_); }, [] {});
}

void MainWindow::SaveSettingsCommand() {
    const BookForm form = CurrentForm();
    try {
        SaveSettingsFromForm(settings_, form, book_, book_.folders);
    } catch (const std::exception& e) {
        port_->ShowMessage(e.what());
    }
}

void MainWindow::ChangeDestinationCommand() {
    if (!CanChangeOutputLocation(book_, *port_)) return;
    BookForm form = ReadForm(*this);
    const QString chosen =
        chooser_.SaveFile(this, Q(form.lblDesPath + form.lblDesName), "Mobi book (*.mobi)");
    if (chosen.isEmpty()) return;
    QString path = chosen;
    if (!path.endsWith(".mobi", Qt::CaseInsensitive)) path += ".mobi";
    TakeChosenOutputPath(form, path.toStdString());
    NamedControl<QLabel>(*this, "lblDesName").setText(Q(form.lblDesName));
    NamedControl<QLabel>(*this, "lblDesPath").setText(Q(form.lblDesPath));
}

void MainWindow::LoadCoverCommand() {
    if (book_.chapters.empty()) {
        port_->ShowMessage("Please import content first.");
        return;
    }
    const QString picture = dialogFolders_.OpenFile(
        chooser_, this, FolderKind::Picture,
        "All Images (*.jpg *.png *.gif *.bmp);;Jpeg (*.jpg *.jpeg *.jpe);;PNG (*.png);;GIF "
        "(*.gif);;BMP (*.bmp)");
    if (picture.isEmpty()) return;
    NamedControl<QLabel>(*this, "lblCoverPic").setText(picture);
    coverPath_ = picture.toStdString();
    ShowCover();
}

void MainWindow::ClearCoverCommand() {
    for (const char* name : {"lblCoverPic", "lblWarn", "lblWidth", "lblHeight"})
        NamedControl<QLabel>(*this, name).clear();
    coverPath_.clear();
    ShowCover();
}

void MainWindow::SaveLogCommand() {
    const QString path =
        dialogFolders_.SaveFile(chooser_, this, FolderKind::Log, "log.txt", "Text (*.txt)");
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        port_->ShowMessage(("The log could not be saved: " + file.errorString()).toStdString());
        return;
    }
    file.write(NamedControl<QPlainTextEdit>(*this, "Memo1").toPlainText().toUtf8());
}

}  // namespace quillery::app
