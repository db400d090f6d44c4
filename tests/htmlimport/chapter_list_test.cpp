// The chapter list of a web-page import: the dialog's order and the table-of-contents mark.

#include "htmlimport/chapter_list.h"

#include <gtest/gtest.h>

#include "chapters.h"

namespace quillery {
namespace {

using Names = std::vector<std::string>;

// The chapter order from the dialog is checked where the web-page import uses it.
TEST(WebPageDialog, Filter) {
    EXPECT_EQ(std::string(WebPageFileFilter()),
              "HTML Files(*.htm;*.html;*.xml;*.xhtml;*.shtml)|*.htm;*.html;*.xml;*.xhtml;*.shtml");
}

// The marker column of every chapter row.
Names Markers(const ChapterGrid& grid) {
    Names markers;
    for (int row = 1; row < grid.RowCount(); ++row)
        markers.push_back(grid.rows[row][kGridMarkerColumn]);
    return markers;
}

TEST(MarkAsToc, MarkingRowThreeThenFiveLeavesTheMarkOnlyInFive) {
    Book book;
    book.chapters = testing::ChaptersOf({"c1.htm", "c2.htm", "contents.htm", "c4.htm", "c5.htm"});
    ChapterGrid grid = FillChapterGrid(book, {true, TitleMethod::FileName});
    for (const int row : {0, 6, -1}) EXPECT_FALSE(MarkAsToc(book, grid, row)) << row;
    EXPECT_FALSE(book.tocMarked);
    EXPECT_EQ(grid.rows[0][kGridMarkerColumn], " <>");
    ASSERT_TRUE(MarkAsToc(book, grid, 3));
    EXPECT_EQ(Markers(grid), (Names{"", "", "TOC", "", ""}));
    EXPECT_EQ(book.tocFileName, "contents.htm");
    ASSERT_TRUE(MarkAsToc(book, grid, 5));
    EXPECT_EQ(Markers(grid), (Names{"", "", "", "", "TOC"}));
    EXPECT_TRUE(book.tocMarked);
    EXPECT_EQ(book.tocPosition, 5);
    EXPECT_EQ(book.tocFileName, "c5.htm");
    // A refilled grid shows the mark, and only while the book holds it.
    EXPECT_EQ(Markers(FillChapterGrid(book, TitleOptions{})), (Names{"", "", "", "", "TOC"}));
    book.tocMarked = false;
    EXPECT_EQ(Markers(FillChapterGrid(book, TitleOptions{})), (Names{"", "", "", "", ""}));
    // After the user moved rows, the row's own file name cell counts.
    std::swap(grid.rows[1], grid.rows[4]);
    MarkAsToc(book, grid, 1);
    EXPECT_EQ(book.tocFileName, "c4.htm");
    EXPECT_EQ(ChapterRowsOf(grid)[0].fileName, "c4.htm");
}

}  // namespace
}  // namespace quillery
