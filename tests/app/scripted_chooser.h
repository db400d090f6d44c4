#pragma once
// A dialog chooser for tests: records every message and question with the page and focused
// control at the time, answers questions and file dialogs from scripts, opens nothing.

#include <QStringList>
#include <deque>
#include <functional>

#include "app/dialog_chooser.h"

namespace quillery::app {

class ScriptedChooser final : public DialogChooser {
public:
    struct Shown {
        QString text;
        bool question;
    };

    void Message(QWidget* parent, const QString& text) override;
    bool YesNo(QWidget* parent, const QString& text) override;
    QStringList OpenFiles(QWidget* parent, const QString& folder, const QString& filter) override;
    QString OpenFile(QWidget* parent, const QString& folder, const QString& filter) override;
    QString SaveFile(QWidget* parent, const QString& path, const QString& filter) override;
    void RunModal(QDialog& dialog) override;
    void ShellOpen(const QString& target, const QString& parameters) override;

    std::vector<Shown> shown;          // messages and questions, in order
    std::deque<bool> answers;          // Yes/No answers; No when none is left
    std::deque<QStringList> fileSets;  // the next OpenFiles answers; cancel when none
    std::deque<QString> files;         // the next OpenFile / SaveFile answers
    QStringList opened;                // ShellOpen's targets, each with its parameters
    QStringList folders;               // the folders the open dialogs started in
    int modalBoxes = 0;
    // Called as each message or question is shown, before it is answered.
    std::function<void()> onShown;
    // Plays the part of the user in a modal box (clicks its buttons) before it returns.
    std::function<void(QDialog&)> onModal;
};

}  // namespace quillery::app
