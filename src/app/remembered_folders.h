#pragma once
// The folder each kind of file dialog starts in: the folder of the last file chosen in a
// dialog of that kind (or dropped on the window). Kept in "folders.ini" beside setting.opt,
// in the state folder, so it follows the work folders (a portable copy carries it along,
// a test's own state folder isolates it) and setting.opt keeps its fixed line format.
// Every dialog still goes through the window's DialogChooser.

#include <QString>
#include <QStringList>
#include <string>

class QWidget;

namespace quillery::app {

class DialogChooser;

enum class FolderKind { WebPages, WordDocument, WordHtml, Picture, Program, Log, Epub };

class RememberedFolders {
public:
    explicit RememberedFolders(const std::string& stateFolder);

    // The remembered folder of kind, or "" when none is kept or it no longer exists.
    QString Folder(FolderKind kind) const;
    // Keeps the folder of a chosen file (nothing for an empty path).
    void Remember(FolderKind kind, const QString& chosenFile);
    // Keeps a folder as it is given ("Open Example" points the Word dialog at the examples).
    void SetFolder(FolderKind kind, const QString& folder);

    // The chooser's dialogs, started in the remembered folder of kind; a choice is kept.
    QStringList OpenFiles(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                          const QString& filter);
    QString OpenFile(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                     const QString& filter);
    // The same with a window title; proposedName (a bare name, or a full path that wins over
    // the remembered folder) is proposed inside the remembered folder.
    QString OpenFileTitled(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                           const QString& title, const QString& proposedName,
                           const QString& filter);
    // fileName is proposed inside the remembered folder.
    QString SaveFile(DialogChooser& chooser, QWidget* parent, FolderKind kind,
                     const QString& fileName, const QString& filter);

private:
    QString file_;
};

}  // namespace quillery::app
