// The main window's dialogs: Compiling Options, the language dialog behind "More...", the
// "KindleGen needed" dialog with the compiler choice, and the wiring of these commands, of
// the validation commands and of the Edit menu.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <filesystem>

#include "app/background_job.h"
#include "app/compile_options_dialog.h"
#include "app/dialog_chooser.h"
#include "app/form_binding.h"
#include "app/kindlegen_needed_dialog.h"
#include "app/language_dialog.h"
#include "app/main_window.h"
#include "app/qt_ui_port.h"

namespace quillery::app {
namespace {

// The open dialog's filter for programs: Linux programs carry no file-name extension.
const char* const kExecutableFilter = "Executable File (*)";

bool IsFile(const QString& path) {
    std::error_code ec;
    return !path.isEmpty() && std::filesystem::is_regular_file(path.toStdString(), ec);
}

}  // namespace

void MainWindow::ConnectDialogCommands() {
    kindleGenNeeded_ =
        new KindleGenNeededDialog(this, chooser_, QString::fromStdString(book_.folders.helpPage));
    compileOptions_ = new CompileOptionsDialog(this);
    port_->SetKindleGenRequest([this] { KindleGenNeeded(); });
    // The options are the Book's, which a running job reads: they change only between jobs,
    // and the dialog is reached only then.
    connect(compileOptions_, &CompileOptionsDialog::saved, this,
            [this](const CompileFlags& flags) { book_.compileFlags = flags; });
    auto* optionsButton = findChild<QPushButton*>("Button5");
    connect(optionsButton, &QPushButton::clicked, this, &MainWindow::CompilingOptionsCommand);
    connect(menus_.compilingOptions, &QAction::triggered, this,
            &MainWindow::CompilingOptionsCommand);
    connect(job_, &BackgroundJob::started, this, [this, optionsButton] {
        optionsButton->setEnabled(false);
        menus_.compilingOptions->setEnabled(false);
    });
    connect(job_, &BackgroundJob::finished, this, [this, optionsButton] {
        optionsButton->setEnabled(true);
        menus_.compilingOptions->setEnabled(true);
    });
    connect(findChild<QPushButton*>("Button3"), &QPushButton::clicked, this,
            &MainWindow::MoreLanguagesCommand);

    // A path typed into a field counts once a file exists there (the make reads the
    // compiler's field itself).
    auto* kindleGenField = findChild<QLineEdit*>("inKGenPath");
    connect(kindleGenField, &QLineEdit::editingFinished, this, [this, kindleGenField] {
        if (IsFile(kindleGenField->text()))
            settings_.kindleGenPath = kindleGenField->text().toStdString();
    });
    auto* editorField = findChild<QLineEdit*>("inExEditor");
    connect(editorField, &QLineEdit::editingFinished, this, [this, editorField] {
        if (IsFile(editorField->text())) settings_.editorPath = editorField->text().toStdString();
    });

    connect(menus_.validateThis, &QAction::triggered, this, &MainWindow::ValidateThisCommand);
    connect(menus_.validateOther, &QAction::triggered, this, &MainWindow::ValidateOtherCommand);
    connect(findChild<QPushButton*>("btnSetEpubcheck"), &QPushButton::clicked, this,
            &MainWindow::SetEpubcheckJarCommand);
    ConnectEditMenu();
}

void MainWindow::CompilingOptionsCommand() {
    if (busy()) return;
    chooser_.RunModal(*compileOptions_);
}

void MainWindow::MoreLanguagesCommand() {
    if (languageDialog_ == nullptr)
        languageDialog_ = new LanguageDialog(this, chooser_, LanguageFilesFor(book_.folders));
    languageDialog_->LoadLists();
    chooser_.RunModal(*languageDialog_);
    if (!languageDialog_->listChosen()) return;
    auto& language = NamedControl<QComboBox>(*this, "selLang");
    language.clear();
    language.addItems(languageDialog_->ListedLanguages());
    language.setCurrentIndex(0);
}

void MainWindow::KindleGenNeeded() {
    kindleGenNeeded_->Prepare();
    chooser_.RunModal(*kindleGenNeeded_);
    if (kindleGenNeeded_->setPathChosen()) SetKindleGenPathCommand();
}

void MainWindow::SetKindleGenPathCommand() {
    const std::string before = settings_.kindleGenPath;
    const QString proposed = before.empty() ? QString("kindlegen") : QString::fromStdString(before);
    const QString program = dialogFolders_.OpenFileTitled(chooser_, this, FolderKind::Program,
                                                          "Please tell us where KindleGen locates",
                                                          proposed, kExecutableFilter);
    if (!program.isEmpty()) {
        NamedControl<QLineEdit>(*this, "inKGenPath").setText(program);
        settings_.kindleGenPath = program.toStdString();
    }
    // A new compiler is kept at once, with every other setting as it stands in memory; the
    // same one again (or a cancelled choice) writes nothing.
    if (settings_.kindleGenPath.empty() || settings_.kindleGenPath == before) return;
    try {
        SaveSettings(settings_, book_.folders);
    } catch (const std::exception& e) {
        port_->ShowMessage(e.what());
    }
}

void MainWindow::SetEditorCommand() {
    const QString program =
        dialogFolders_.OpenFileTitled(chooser_, this, FolderKind::Program, "Select External Editor",
                                      QString(), kExecutableFilter);
    if (program.isEmpty()) return;
    NamedControl<QLineEdit>(*this, "inExEditor").setText(program);
    settings_.editorPath = program.toStdString();
}

}  // namespace quillery::app
