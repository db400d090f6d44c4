// The scripted dialog chooser of the window tests.
#include "scripted_chooser.h"

namespace quillery::app {

void ScriptedChooser::Message(QWidget*, const QString& text) {
    shown.push_back({text, false});
    if (onShown) onShown();
}

bool ScriptedChooser::YesNo(QWidget*, const QString& text) {
    shown.push_back({text, true});
    if (onShown) onShown();
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

QStringList ScriptedChooser::OpenFiles(QWidget*, const QString& folder, const QString&) {
    folders << folder;
    if (fileSets.empty()) return {};
    QStringList next = fileSets.front();
    fileSets.pop_front();
    return next;
}

QString ScriptedChooser::OpenFile(QWidget*, const QString& folder, const QString&) {
    folders << folder;
    if (files.empty()) return {};
    QString next = files.front();
    files.pop_front();
    return next;
}

QString ScriptedChooser::SaveFile(QWidget* parent, const QString& path, const QString& filter) {
    return OpenFile(parent, path, filter);
}

void ScriptedChooser::RunModal(QDialog& dialog) {
    ++modalBoxes;
    if (onModal) onModal(dialog);
}

void ScriptedChooser::ShellOpen(const QString& target, const QString& parameters) {
    opened << (parameters.isEmpty() ? target : target + " " + parameters);
}

}  // namespace quillery::app
