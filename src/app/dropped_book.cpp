// The classification of dropped files (see dropped_book.h).
#include "app/dropped_book.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <string_view>

#include "htmlimport/chapter_list.h"
#include "wordimport/word_html_check.h"
#include "workflow/word_document_import.h"

namespace quillery::app {
namespace {

// The name patterns of a core filter's first entry ("Word ...(*.doc;*.docx)|*.doc;*.docx|...").
QStringList PatternsOf(const char* coreFilter) {
    const QStringList parts = QString::fromUtf8(coreFilter).split('|');
    return parts.size() > 1 ? parts[1].split(';') : QStringList();
}

bool Matches(const QString& path, const QStringList& patterns) {
    return QDir::match(patterns, QFileInfo(path).fileName());
}

bool IsWordHtml(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(255);
    return !WordHtmlProblem(std::string_view(head.constData(), head.size())).has_value();
}

// Name order as a file manager shows it ("ch2" before "ch10"), then the dialog's order, which
// lists the last chosen file first.
DroppedBook WebPagesInDialogOrder(QStringList files) {
    if (files.isEmpty()) return {};
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(files.begin(), files.end(), [&](const QString& a, const QString& b) {
        return collator.compare(QFileInfo(a).fileName(), QFileInfo(b).fileName()) < 0;
    });
    files.prepend(files.takeLast());
    return {DropKind::WebPages, files};
}

DroppedBook WebPagesOfFolder(const QString& folder) {
    const QDir dir(folder);
    QStringList files;
    for (const QString& name :
         dir.entryList(PatternsOf(WebPageFileFilter()), QDir::Files | QDir::Readable)) {
        files << dir.absoluteFilePath(name);
    }
    return WebPagesInDialogOrder(files);
}

}  // namespace

DroppedBook ClassifyDroppedPaths(const QStringList& paths) {
    if (paths.isEmpty()) return {};
    if (paths.size() == 1) {
        const QFileInfo only(paths.front());
        const QString path = only.absoluteFilePath();
        if (only.isDir()) return WebPagesOfFolder(path);
        if (!only.isFile()) return {};
        if (Matches(path, PatternsOf(WordDocumentFileFilter())))
            return {DropKind::WordDocument, {path}};
        if (Matches(path, PatternsOf(WordHtmlFileFilter())) && IsWordHtml(path))
            return {DropKind::WordHtml, {path}};
    }
    const QStringList webPatterns = PatternsOf(WebPageFileFilter());
    const QString folder = QFileInfo(paths.front()).absolutePath();
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.isFile() || !Matches(path, webPatterns) || info.absolutePath() != folder)
            return {};
        files << info.absoluteFilePath();
    }
    return WebPagesInDialogOrder(files);
}

}  // namespace quillery::app
