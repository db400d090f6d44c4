#pragma once
// What files dropped on the window (or named on the command line) import as: a folder of web
// pages, some web pages of one folder, a Word document, or one HTML file saved by Word.
// Anything else imports nothing, and the window refuses the drop.

#include <QStringList>

namespace quillery::app {

enum class DropKind { Nothing, WebPages, WordDocument, WordHtml };

struct DroppedBook {
    DropKind kind = DropKind::Nothing;
    // The files as the matching open dialog would answer: for web pages the last one first,
    // so that the chapters come in the files' name order (numbers compared as numbers).
    QStringList files;
};

// paths: local paths of files or folders. A single folder gives the web pages it holds
// (none: nothing); a single .doc/.docx a Word document; a single .htm that passes the Word
// HTML check Word HTML; web pages (.htm, .html, .xml, .xhtml, .shtml) all in one folder
// web pages. Missing files and mixed drops give nothing.
DroppedBook ClassifyDroppedPaths(const QStringList& paths);

}  // namespace quillery::app
