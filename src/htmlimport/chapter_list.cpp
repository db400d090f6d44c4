// The chapter list of a web-page import (see chapter_list.h).

#include "htmlimport/chapter_list.h"

#include <filesystem>
#include <string_view>

#include "text/file_utils.h"
#include "text/paths.h"
#include "text/strings.h"

namespace fs = std::filesystem;

namespace quillery {

ChapterGridRow ChapterGridCaptions() {
    return {" <>", " No.", " File Name", " Chapter Title (Editable)", " Size"};
}

const char* WebPageFileFilter() {
    return "HTML Files(*.htm;*.html;*.xml;*.xhtml;*.shtml)|*.htm;*.html;*.xml;*.xhtml;*.shtml";
}

std::vector<std::string> ChapterOrderFromDialog(const std::vector<std::string>& dialogFiles) {
    std::vector<std::string> order;
    if (dialogFiles.empty()) return order;
    order.reserve(dialogFiles.size());
    for (std::size_t i = 1; i < dialogFiles.size(); ++i)
        order.push_back(FileNamePart(dialogFiles[i]));
    order.push_back(FileNamePart(dialogFiles.front()));
    return order;
}

TitleOptions TitleOptionsOf(const BookForm& form) {
    TitleOptions options;
    options.autoTitle = form.chkAutoTitle;
    options.method = form.selTitleMethod == 1   ? TitleMethod::HtmlTitle
                     : form.selTitleMethod == 2 ? TitleMethod::FirstHeading
                                                : TitleMethod::FileName;
    return options;
}

std::vector<ChapterRow> ChapterRowsOf(const ChapterGrid& grid) {
    std::vector<ChapterRow> rows;
    for (int row = 1; row < grid.RowCount(); ++row) {
        rows.push_back({grid.rows[row][kGridFileColumn], grid.rows[row][kGridTitleColumn]});
    }
    return rows;
}

ChapterGrid FillChapterGrid(Book& book, const TitleOptions& titles) {
    ChapterGrid grid;
    for (std::size_t i = 0; i < book.chapters.size(); ++i) {
        ChapterGridRow row;
        row[kGridNumberColumn] = std::to_string(i + 1);
        row[kGridFileColumn] = book.chapters[i].file;
        row[kGridSizeColumn] = FormatSizeKB(book.chapters[i].size);
        grid.rows.push_back(std::move(row));
    }
    RefreshTitles(book, grid, titles);
    if (book.tocMarked && book.tocPosition > 0 && book.tocPosition < grid.RowCount()) {
        grid.rows[book.tocPosition][kGridMarkerColumn] = "TOC";
    }
    grid.lastPreviewedRow = 1;
    return grid;
}

bool MarkAsToc(Book& book, ChapterGrid& grid, int currentRow) {
    if (currentRow <= 0 || currentRow >= grid.RowCount()) return false;
    if (book.tocPosition > 0 && book.tocPosition < grid.RowCount()) {
        grid.rows[book.tocPosition][kGridMarkerColumn].clear();
    }
    book.tocPosition = currentRow;
    book.tocMarked = true;
    grid.rows[currentRow][kGridMarkerColumn] = "TOC";
    // The package's guide names this file as the table of contents.
    const std::size_t index = static_cast<std::size_t>(currentRow - 1);
    const std::string& cell = grid.rows[currentRow][kGridFileColumn];
    book.tocFileName =
        !cell.empty() ? cell : (index < book.chapters.size() ? book.chapters[index].file : "");
    return true;
}

}  // namespace quillery
