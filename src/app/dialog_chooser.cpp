// The desktop's dialogs behind the chooser interface, and the filter conversion.
#include "app/dialog_chooser.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace quillery::app {

void NativeDialogChooser::Message(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

bool NativeDialogChooser::YesNo(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, "Confirm", text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QStringList NativeDialogChooser::OpenFiles(QWidget* parent, const QString& folder,
                                           const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, QString(), folder, filter);
}

QString NativeDialogChooser::OpenFile(QWidget* parent, const QString& folder,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString NativeDialogChooser::OpenFileTitled(QWidget* parent, const QString& title,
                                            const QString& path, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, path, filter);
}

QString NativeDialogChooser::SaveFile(QWidget* parent, const QString& path, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, QString(), path, filter);
}

void NativeDialogChooser::RunModal(QDialog& dialog) { dialog.exec(); }

void NativeDialogChooser::ShellOpen(const QString& target, const QString& parameters) {
    if (parameters.isEmpty()) {
        const QUrl url = target.contains("://") ? QUrl(target) : QUrl::fromLocalFile(target);
        QDesktopServices::openUrl(url);
    } else {
        QProcess::startDetached(target, QStringList{parameters});
    }
}

QString QtFileFilter(const char* coreFilter) {
    const QStringList parts = QString::fromUtf8(coreFilter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i];
        const qsizetype paren = caption.indexOf('(');
        if (paren >= 0) caption = caption.left(paren).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << caption + " (" + patterns + ")";
    }
    return filters.join(";;");
}

}  // namespace quillery::app
