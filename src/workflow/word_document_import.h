#pragma once
// "Import Word Doc" (and "Open Example"), "Re-Import Word Doc" and "Import Word HTML": a Word
// document or a Word HTML file becomes a new Book project whose chapters are the section
// pages the Word import writes into the doctmp folder.
//
// The front-end runs ConfirmNewProject and its file dialog (WordDocumentFileFilter or
// WordHtmlFileFilter) first, then the import with the chosen path, and afterwards shows
// result.grid and the form's new values, as after a web-page import.

#include <string>

#include "htmlimport/chapter_grid.h"
#include "project/book.h"
#include "project/book_form.h"
#include "project/settings.h"
#include "project/ui_port.h"
#include "wordimport/word_import.h"

namespace quillery {

const char* WordDocumentFileFilter();
const char* WordHtmlFileFilter();

inline constexpr const char* kBadDocumentNameMessage =
    "File name can not contain # or +, please change the name and try again.\r\nTps: For the "
    "safe of your epub on all devices, please restrict your source \r\nfilenames within the 26 "
    "unaccented English letters and - _.";
inline constexpr const char* kNoReimportMessage = "HTML files needn't re-import";
inline constexpr const char* kReimportQuestion = "Are you sure to re-import current Word doc?";

struct WordImportResult {
    bool imported = false;
    ChapterGrid grid;
    std::string previewFile;  // the first chapter when preview is on
};

// The Import page's options and the Word settings, as the Word import takes them.
WordImportOptions WordImportOptionsOf(const BookForm& form, const Settings& settings);

// Import Word document: refuses a path holding "#" or "+" (kBadDocumentNameMessage) and one
// inside the work folders; resets the project; converts, cleans and splits the document into
// doctmp; takes its chapters, stylesheet, TOC chapter and position; title, author and
// description from the document's properties; the save panel from the document's folder and
// name. A document that cannot be converted shows why and leaves an empty project.
WordImportResult ImportWordDocument(Book& book, BookForm& form, const Settings& settings,
                                    UiPort& ui, WordConverter& word,
                                    const std::string& documentPath, bool previewOn);

// Re-Import Word Doc: kNoReimportMessage for a project not made from a Word document; else,
// after kReimportQuestion is answered Yes, the import of the current document again.
WordImportResult ReimportWordDocument(Book& book, BookForm& form, const Settings& settings,
                                      UiPort& ui, WordConverter& word, bool previewOn);

// Import Word HTML: a file that is missing or fails the Word HTML check (its message) changes
// nothing; else the project is reset and the file, cleaned, with its "_files" folder, split
// into chapters in doctmp; the book title is the file's base name.
WordImportResult ImportWordHtml(Book& book, BookForm& form, const Settings& settings, UiPort& ui,
                                const std::string& htmlFile, bool previewOn);

}  // namespace quillery
