// The remembered dialog folders (see remembered_folders.h).
#include "app/remembered_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "app/dialog_chooser.h"

namespace quillery::app {
namespace {

QString KeyOf(FolderKind kind) {
    switch (kind) {
        case FolderKind::WebPages:
            return "folders/webPages";
        case FolderKind::WordDocument:
            return "folders/wordDocument";
        case FolderKind::WordHtml:
            return "folders/wordHtml";
        case FolderKind::Picture:
            return "folders/picture";
        case FolderKind::Program:
            return "folders/program";
        case FolderKind::Log:
            return "folders/log";
        case FolderKind::Epub:
            return "folders/epub";
    }
    return "folders/other";
}

}  // namespace

RememberedFolders::RememberedFolders(const std::string& stateFolder)
    : file_(QString::fromStdString(stateFolder) + "folders.ini") {}

QString RememberedFolders::Folder(FolderKind kind) const {
    const QString folder = QSettings(file_, QSettings::IniFormat).value(KeyOf(kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void RememberedFolders::SetFolder(FolderKind kind, const QString& folder) {
    if (folder.isEmpty()) return;
    QSettings settings(file_, QSettings::IniFormat);
    settings.setValue(KeyOf(kind), QDir::cleanPath(folder) + "/");
    settings.sync();
}

void RememberedFolders::Remember(FolderKind kind, const QString& chosenFile) {
    if (!chosenFile.isEmpty()) SetFolder(kind, QFileInfo(chosenFile).absolutePath());
}

QStringList RememberedFolders::OpenFiles(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                                         const QString& filter) {
    const QStringList files = chooser.OpenFiles(parent, Folder(kind), filter);
    if (!files.isEmpty()) Remember(kind, files.front());
    return files;
}

QString RememberedFolders::OpenFile(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                                    const QString& filter) {
    const QString file = chooser.OpenFile(parent, Folder(kind), filter);
    Remember(kind, file);
    return file;
}

QString RememberedFolders::OpenFileTitled(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                                          const QString& title, const QString& proposedName,
                                          const QString& filter) {
    const QString folder = Folder(kind);
    const QString path = folder.isEmpty() || QFileInfo(proposedName).isAbsolute()
                             ? proposedName
                             : folder + proposedName;
    const QString file = chooser.OpenFileTitled(parent, title, path, filter);
    Remember(kind, file);
    return file;
}

QString RememberedFolders::SaveFile(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                                    const QString& fileName, const QString& filter) {
    const QString folder = Folder(kind);
    const QString file =
        chooser.SaveFile(parent, folder.isEmpty() ? fileName : folder + fileName, filter);
    Remember(kind, file);
    return file;
}

}  // namespace quillery::app
