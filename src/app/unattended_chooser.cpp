// The chooser of unattended runs (see unattended_chooser.h).
#include "app/unattended_chooser.h"

namespace quillery::app {

void UnattendedChooser::Message(QWidget*, const QString& text) { shown << text; }

bool UnattendedChooser::YesNo(QWidget*, const QString& text) {
    shown << text;
    return true;
}

QStringList UnattendedChooser::OpenFiles(QWidget*, const QString&, const QString&) {
    if (answers.empty()) return {};
    QStringList next = answers.front();
    answers.pop_front();
    return next;
}

QString UnattendedChooser::OpenFile(QWidget* parent, const QString& folder, const QString& filter) {
    return OpenFiles(parent, folder, filter).value(0);
}

QString UnattendedChooser::SaveFile(QWidget* parent, const QString& path, const QString& filter) {
    return OpenFile(parent, path, filter);
}

void UnattendedChooser::RunModal(QDialog&) {}

void UnattendedChooser::ShellOpen(const QString&, const QString&) {}

}  // namespace quillery::app
