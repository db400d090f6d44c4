#pragma once
// "Import Web Pages": turns the HTML files the user chose into a new Book project. Nothing is
// copied or rewritten at import time: the chapter files stay where they are until a make.
//
// The front-end runs, in this order: ConfirmNewProject (stop on No); the open dialog with
// WebPageFileFilter() and multiple selection (stop on cancel); the read-back of the Import
// page options into the form; then ImportWebPages with the dialog's file list exactly as the
// dialog returns it. Afterwards it shows result.grid and the form's new values (book
// information boxes, save panel), restores its own widgets (save panel styles, cover view,
// Edit menu sub-items), loads result.previewFile into the preview when it is not empty, and
// disables the "Validate This" and "Re-Import Word Doc" menu items.

#include <string>
#include <vector>

#include "htmlimport/chapter_grid.h"
#include "htmlimport/chapter_titles.h"
#include "project/book.h"
#include "project/book_form.h"
#include "text/ui_port.h"

namespace quillery {

// "HTML Files(*.htm;*.html;*.xml;*.xhtml;*.shtml)|*.htm;*.html;*.xml;*.xhtml;*.shtml"
const char* WebPageFileFilter();

struct WebImportResult {
    bool imported = false;    // false: nothing was chosen, or the choice was refused
    ChapterGrid grid;         // captions + one row per chapter
    std::string previewFile;  // source folder + first chapter when it exists and preview is on
};

// The title options as the Import page holds them: the method is 1 when "from HTML title"
// is checked, else 2 when "from first heading" is checked, else 0.
TitleOptions TitleOptionsOf(const BookForm& form);

// The grid's file name and title cells, row 1 onward, as the make reads them.
std::vector<ChapterRow> ChapterRowsOf(const ChapterGrid& grid);

// The chapter order for the files as the dialog lists them: entries 2..n in their order,
// then the first entry; each reduced to its file-name part. No sorting.
std::vector<std::string> ChapterOrderFromDialog(const std::vector<std::string>& dialogFiles);

// Runs the import for the chosen files (full paths, all in one folder; a relative path is
// taken against the current folder):
//  - the new-project reset of the Book and the form: book information boxes (not the
//    description and language), save panel, cover picture, replacement stylesheet, TOC mark,
//    position and file name, stylesheet list, chapter rows;
//  - chapter order, source folder, sizes; the OPS and doctmp folders emptied, image and title
//    lists cleared; the grid with its titles (title options from the form), form.fileList;
//  - focus on "btnMake"; book title and output location (inTitle, lblDesName, and lblDesPath:
//    the source folder when saving beside the source, else the default book folder);
//  - the Word-import state cleared, Preview source := Imported.
// An empty list changes nothing. Files lying inside the OPS or doctmp work folder, which
// every import empties, are refused with a message and nothing changes.
WebImportResult ImportWebPages(Book& book, BookForm& form, UiPort& ui,
                               const std::vector<std::string>& dialogFiles, bool previewOn);

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
