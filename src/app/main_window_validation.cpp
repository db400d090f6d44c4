// The main window's validation commands: "&Validate This" (F9) checks the ePub the last make
// wrote, "Validate Other" (F10) an ePub the user picks. epubcheck runs on the worker like a
// make, the window's commands off meanwhile; the verdict comes as a message and the
// validator's output goes to the log.
#include <QAction>
#include <QLineEdit>

#include "app/dialog_chooser.h"
#include "app/form_binding.h"
#include "app/main_window.h"
#include "app/qt_ui_port.h"
#include "workflow/epub_validation.h"

namespace quillery::app {

std::string MainWindow::EpubcheckJar() const {
    return NamedControl<QLineEdit>(*this, "inEpubcheckJar").text().toStdString();
}

void MainWindow::ValidateThisCommand() {
    if (busy()) return;
    // Validation reads the output folder only: the work folders stay free for other runs.
    RunJob(
        std::nullopt, [this, jar = EpubcheckJar()] { ValidateThis(book_, jar, *port_); }, [] {});
}

void MainWindow::ValidateOtherCommand() {
    if (busy()) return;
    const QString file =
        dialogFolders_.OpenFile(chooser_, this, FolderKind::Epub, "ePub file (*.epub)");
    if (file.isEmpty()) return;
    RunJob(
        std::nullopt,
        [this, file = file.toStdString(), jar = EpubcheckJar()] {
            ValidateOther(book_, file, jar, *port_);
        },
        [] {});
}

void MainWindow::SetEpubcheckJarCommand() {
    const QString jar = dialogFolders_.OpenFileTitled(chooser_, this, FolderKind::Program,
                                                      "Select the epubcheck jar", QString(),
                                                      "Java archive (*.jar)");
    if (jar.isEmpty()) return;
    NamedControl<QLineEdit>(*this, "inEpubcheckJar").setText(jar);
    settings_.epubcheckJar = jar.toStdString();
}

}  // namespace quillery::app
