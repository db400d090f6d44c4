#pragma once
// The chapter list of a web-page import: the chapter order of the files the user chose, the
// grid that shows the chapters with their proposed titles, and the table-of-contents mark.
// The import itself (the new-project reset, the checks, the save panel) is the workflow's.

#include <string>
#include <vector>

#include "htmlimport/chapter_grid.h"
#include "htmlimport/chapter_titles.h"
#include "project/book.h"
#include "project/book_form.h"

namespace quillery {

// "HTML Files(*.htm;*.html;*.xml;*.xhtml;*.shtml)|*.htm;*.html;*.xml;*.xhtml;*.shtml"
const char* WebPageFileFilter();

// The title options as the Import page holds them: the method is 1 when "from HTML title"
// is checked, else 2 when "from first heading" is checked, else 0.
TitleOptions TitleOptionsOf(const BookForm& form);

// The grid's file name and title cells, row 1 onward, as the make reads them.
std::vector<ChapterRow> ChapterRowsOf(const ChapterGrid& grid);

// The chapter order for the files as the dialog lists them: entries 2..n in their order,
// then the first entry; each reduced to its file-name part. No sorting.
std::vector<std::string> ChapterOrderFromDialog(const std::vector<std::string>& dialogFiles);

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
