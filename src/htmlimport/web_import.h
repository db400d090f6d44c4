#pragma once
// "Import Web Pages": turns the HTML files the user chose into a new Book project. Nothing is
// copied or rewritten at import time: the chapter files stay where they are until a make.
//
// The front-end runs, in this order: ConfirmNewProject (stop on No); the open dialog with
// WebPageFileFilter() and multiple selection (stop on cancel); its own reset of the window's
// controls; the read-back of the Import page options; then ImportWebPages with the dialog's
// file list exactly as the dialog returns it. Afterwards it shows result.grid, sets the book
// title box to result.bookTitle and the save panel from book.outputFolder and
// book.outputFileName, loads result.previewFile into the preview when it is not empty, and
// disables the "Validate This" and "Re-Import Word Doc" menu items.

#include <string>
#include <vector>

#include "htmlimport/chapter_grid.h"
#include "htmlimport/chapter_titles.h"
#include "project/book.h"
#include "text/ui_port.h"

namespace quillery {

// "HTML Files(*.htm;*.html;*.xml;*.xhtml;*.shtml)|*.htm;*.html;*.xml;*.xhtml;*.shtml"
const char* WebPageFileFilter();

struct WebImportOptions {
    TitleOptions titles;
    bool previewOn = true;  // the preview toggle is down
};

struct WebImportResult {
    bool imported = false;    // false: nothing was chosen, or the choice was refused
    ChapterGrid grid;         // captions + one row per chapter
    std::string bookTitle;    // for the book title box
    std::string previewFile;  // source folder + first chapter when it exists and preview is on
};

// The chapter order for the files as the dialog lists them: entries 2..n in their order,
// then the first entry; each reduced to its file-name part. No sorting.
std::vector<std::string> ChapterOrderFromDialog(const std::vector<std::string>& dialogFiles);

// Runs the import for the chosen files (full paths, all in one folder; a relative path is
// taken against the current folder): book-side reset for a new project (cover, replacement
// stylesheet, TOC mark, position and file name, stylesheet list), chapter order, source
// folder, sizes, emptying of the OPS and doctmp folders with the image and title lists,
// the grid with its titles, the output location, the Word-import state cleared and Preview
// source := Imported; focuses "btnMake". An empty list changes nothing. Files lying inside
// the OPS or doctmp work folder, which every import empties, are refused with a message
// and nothing changes.
WebImportResult ImportWebPages(Book& book, UiPort& ui, const std::vector<std::string>& dialogFiles,
                               const WebImportOptions& options);

// Rewrites the grid from the Book's file and size lists, refreshes the titles, shows "TOC"
// in the marked row, and sets the last previewed row to 1.
ChapterGrid FillChapterGrid(Book& book, const TitleOptions& titles);

// "Mark As TOC" on grid row currentRow (1-based; 0 = header, nothing happens; false is
// returned when the row does not exist). The previously marked row loses its "TOC" cell; the
// row gets "TOC"; book.tocPosition := currentRow, book.tocMarked := true and
// book.tocFileName := the row's file name, so the package names the marked chapter as the
// table of contents and no toc.htm is generated.
bool MarkAsToc(Book& book, ChapterGrid& grid, int currentRow);

}  // namespace quillery
