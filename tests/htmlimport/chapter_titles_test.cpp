#include "htmlimport/chapter_titles.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace quillery {
namespace {

using testing::TempDir;

TEST(FileNameTitle, TextBeforeTheFirstDot) {
    EXPECT_EQ(FileNameTitle("chapter.01.html"), "chapter");
    EXPECT_EQ(FileNameTitle("intro.part1.htm"), "intro");
    EXPECT_EQ(FileNameTitle("README"), "");
    EXPECT_EQ(FileNameTitle(".htm"), "");
}

TEST(StripTags, DropsTagsAndEveryClosingBracket) {
    EXPECT_EQ(StripTags("Chapter <b class=\"x\">One</b>"), "Chapter One");
    EXPECT_EQ(StripTags("a > b <i>c</i>"), "a  b c");
    EXPECT_EQ(StripTags("a > b"), "a > b");  // no "<": unchanged
    EXPECT_EQ(StripTags("kept<b unterminated"), "kept");
}

TEST(HtmlTitleOf, RawTextUpToTheNextTag) {
    EXPECT_EQ(HtmlTitleOf("<html><head><title> A &amp; B </title></head>"), " A &amp; B ");
    EXPECT_EQ(HtmlTitleOf("<HTML><HEAD><TITLE>Upper</TITLE>"), "Upper");
    EXPECT_EQ(HtmlTitleOf("<html><head><Title>Mixed</Title>"), "");
    EXPECT_EQ(HtmlTitleOf("<title></title>"), "");
    EXPECT_EQ(HtmlTitleOf("<title>never closed"), "");
}

TEST(HtmlTitleOf, OnlyTheFirst255BytesAreSearched) {
    const std::string head = "<html><head>" + std::string(230, ' ');
    EXPECT_EQ(HtmlTitleOf(head + "<title>x</title>"), "x");  // closing "<" at byte 250
    const std::string longHead = "<html><head>" + std::string(240, ' ');
    EXPECT_EQ(HtmlTitleOf(longHead + "<title>Late</title>"), "");
}

TEST(FirstHeadingTitleOf, StrippedTextOfTheFirstNonBlankHeading) {
    EXPECT_EQ(FirstHeadingTitleOf("<h2 class=x>Chapter&nbsp;<b>One</b></h2>"), "Chapter One");
    EXPECT_EQ(FirstHeadingTitleOf("<h1> </h1><h2>Real</h2>"), "Real");
    EXPECT_EQ(FirstHeadingTitleOf("<H1>Title</h1>"), "Title");
    EXPECT_EQ(FirstHeadingTitleOf("<h1>Two\r\nlines</h1>"), "Two\r lines");
    EXPECT_EQ(FirstHeadingTitleOf("<h4>Deep</h4>"), "");
    EXPECT_EQ(FirstHeadingTitleOf("<h1>A</h2><h2>B</h2>"), "B");
}

TEST(FirstHeadingTitleOf, AllBlankGivesTheLastBlankText) {
    EXPECT_EQ(FirstHeadingTitleOf("<h1> </h1><h3>&nbsp;&nbsp;</h3>"), "  ");
}

class TitleMethods : public ::testing::Test {
protected:
    TempDir dir;
    Book book;

    void SetUp() override {
        dir.Write("one.htm",
                  "<html><head><title>First</title></head><body><h1>Head One</h1></body></html>");
        dir.Write("two.htm",
                  "<html><head><title>Second</title></head><body><h4>none</h4></body></html>");
        book.sourceFolder = dir.path();
        book.files = {"one.htm", "two.htm", "three.htm"};  // three.htm does not exist
    }
};

TEST_F(TitleMethods, FileNameMethodLogsNothing) {
    TitlesFromFileNames(book);
    EXPECT_EQ(book.titles, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(book.log, "");
}

TEST_F(TitleMethods, HtmlTitleFallsBackForTheMissingFile) {
    TitlesFromHtmlTitle(book);
    EXPECT_EQ(book.titles, (std::vector<std::string>{"First", "Second", "three"}));
    EXPECT_EQ(book.log, "* file3: HTML tilte not found, use filename instead.\r\n");
}

TEST_F(TitleMethods, FirstHeadingFallsBackPerFile) {
    TitlesFromFirstHeading(book);
    EXPECT_EQ(book.titles, (std::vector<std::string>{"Head One", "two", "three"}));
    EXPECT_EQ(book.log,
              "* file2: HTML tilte not found, use filename instead.\r\n"
              "* file3: HTML tilte not found, use filename instead.\r\n");
}

TEST_F(TitleMethods, AutoTitleOffEmptiesCellsAndOnReExtracts) {
    ChapterGrid grid;
    grid.rows.resize(4);
    RefreshTitles(book, grid, {true, TitleMethod::HtmlTitle});
    EXPECT_EQ(grid.rows[1][kGridTitleColumn], "First");
    EXPECT_EQ(grid.rows[3][kGridTitleColumn], "three");

    RefreshTitles(book, grid, {false, TitleMethod::HtmlTitle});
    EXPECT_TRUE(book.titles.empty());
    for (int row = 1; row < 4; ++row) EXPECT_EQ(grid.rows[row][kGridTitleColumn], "") << row;
    EXPECT_EQ(grid.rows[0][kGridTitleColumn], " Chapter Title (Editable)");

    RefreshTitles(book, grid, {true, TitleMethod::FirstHeading});
    EXPECT_EQ(grid.rows[1][kGridTitleColumn], "Head One");
}

TEST(TitleDisplayText, DecodesUtf8ThenEntities) {
    EXPECT_EQ(TitleDisplayText("Caf\xC3\xA9"), "Caf\xC3\xA9");
    EXPECT_EQ(TitleDisplayText("A &amp; B"), "A & B");
    EXPECT_EQ(TitleDisplayText(""), "");
}

TEST(TitleDisplayText, InvalidUtf8GivesAnEmptyCell) {
    EXPECT_EQ(TitleDisplayText("Caf\xE9"), "");           // a single Latin-1 byte
    EXPECT_EQ(TitleDisplayText("\xC0\xAF"), "");          // overlong form
    EXPECT_EQ(TitleDisplayText("\xED\xA0\x80"), "");      // surrogate
    EXPECT_EQ(TitleDisplayText("\xE2\x82"), "");          // cut short
    EXPECT_EQ(TitleDisplayText("\xF4\x90\x80\x80"), "");  // above U+10FFFF
    EXPECT_EQ(TitleDisplayText("\xF0\x9F\x93\x96 Book"), "\xF0\x9F\x93\x96 Book");
}

TEST(RefreshTitleCells, TitleListKeepsTheRawBytes) {
    Book book;
    book.titles = {"A &amp; B", "Caf\xE9"};
    ChapterGrid grid;
    grid.rows.resize(4);
    grid.rows[3][kGridTitleColumn] = "stale";
    RefreshTitleCells(book, grid);
    EXPECT_EQ(grid.rows[1][kGridTitleColumn], "A & B");
    EXPECT_EQ(grid.rows[2][kGridTitleColumn], "");
    EXPECT_EQ(grid.rows[3][kGridTitleColumn], "");  // no title list entry
    EXPECT_EQ(book.titles[0], "A &amp; B");
}

}  // namespace
}  // namespace quillery
