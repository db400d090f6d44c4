#pragma once
// Everything the window asks the user through a modal dialog, or hands to the desktop: message
// boxes, Yes/No questions, file dialogs, modal boxes and opening files or addresses. The
// window owns no dialog code of its own, so tests put a scripted chooser in its place and
// drive the real window without a person at the screen.

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace quillery::app {

class DialogChooser {
public:
    virtual ~DialogChooser() = default;

    virtual void Message(QWidget* parent, const QString& text) = 0;
    // The caption is "Confirm"; true only for Yes.
    virtual bool YesNo(QWidget* parent, const QString& text) = 0;
    // filter in the dialog form of Qt ("HTML Files (*.htm *.html)"); empty list/text: cancelled.
    virtual QStringList OpenFiles(QWidget* parent, const QString& folder,
                                  const QString& filter) = 0;
    virtual QString OpenFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // The same with a window title; path may name the file to propose.
    virtual QString OpenFileTitled(QWidget* parent, const QString& title, const QString& path,
                                   const QString& filter) {
        (void)title;
        return OpenFile(parent, path, filter);
    }
    virtual QString SaveFile(QWidget* parent, const QString& path, const QString& filter) = 0;
    // Runs a modal box (the About box) to its end.
    virtual void RunModal(QDialog& dialog) = 0;
    // Opens a file, folder or address with its associated program; with parameters, runs the
    // program target with them.
    virtual void ShellOpen(const QString& target, const QString& parameters) = 0;
};

// The desktop's own dialogs and programs.
class NativeDialogChooser final : public DialogChooser {
public:
    void Message(QWidget* parent, const QString& text) override;
    bool YesNo(QWidget* parent, const QString& text) override;
    QStringList OpenFiles(QWidget* parent, const QString& folder, const QString& filter) override;
    QString OpenFile(QWidget* parent, const QString& folder, const QString& filter) override;
    QString OpenFileTitled(QWidget* parent, const QString& title, const QString& path,
                           const QString& filter) override;
    QString SaveFile(QWidget* parent, const QString& path, const QString& filter) override;
    void RunModal(QDialog& dialog) override;
    void ShellOpen(const QString& target, const QString& parameters) override;
};

// A filter of the core ("HTML Files(*.htm;*.html)|*.htm;*.html|...") in Qt's form
// ("HTML Files (*.htm *.html);;...").
QString QtFileFilter(const char* coreFilter);

}  // namespace quillery::app
