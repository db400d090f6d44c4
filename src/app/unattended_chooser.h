#pragma once
// A dialog chooser for runs with nobody at the screen (the screenshot tool, the window
// benchmark): the file dialogs take their answers from a queue, every question is answered
// Yes, messages are kept, and nothing is opened on the desktop.

#include <QStringList>
#include <deque>

#include "app/dialog_chooser.h"

namespace quillery::app {

class UnattendedChooser final : public DialogChooser {
public:
    void Message(QWidget* parent, const QString& text) override;
    bool YesNo(QWidget* parent, const QString& text) override;
    QStringList OpenFiles(QWidget* parent, const QString& folder, const QString& filter) override;
    QString OpenFile(QWidget* parent, const QString& folder, const QString& filter) override;
    QString SaveFile(QWidget* parent, const QString& path, const QString& filter) override;
    void RunModal(QDialog& dialog) override;
    void ShellOpen(const QString& target, const QString& parameters) override;

    // The next answers of the file dialogs, in order; a dialog with none left is cancelled.
    std::deque<QStringList> answers;
    // Every message and question shown, in order.
    QStringList shown;
};

}  // namespace quillery::app
