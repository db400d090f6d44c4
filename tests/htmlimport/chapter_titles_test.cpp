#include "htmlimport/chapter_titles.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace quillery {
namespace {

using Titles = std::vector<std::string>;

struct TextCase {
    std::string (*pass)(std::string_view);
    std::string in, out;
};

TEST(TitleText, FileNamesTagsPageTitlesHeadingsAndDisplay) {
    const std::string head = "<html><head>" + std::string(230, ' ');  // "</title>" at byte 250
    const std::string longHead = "<html><head>" + std::string(240, ' ');
    const TextCase cases[] = {
        {FileNameTitle, "chapter.01.html", "chapter"},
        {FileNameTitle, "README", ""},
        {FileNameTitle, ".htm", ""},
        {StripTags, "Chapter <b class=\"x\">One</b>", "Chapter One"},
        {StripTags, "a > b <i>c</i>", "a  b c"},
        {StripTags, "a > b", "a > b"},  // no "<": unchanged
        {StripTags, "kept<b unterminated", "kept"},
        {HtmlTitleOf, "<html><head><title> A &amp; B </title></head>", " A &amp; B "},
        {HtmlTitleOf, "<HTML><HEAD><TITLE>Upper</TITLE>", "Upper"},
        {HtmlTitleOf, "<html><head><Title>Mixed</Title>", ""},
        {HtmlTitleOf, "<title>never closed", ""},
        {HtmlTitleOf, head + "<title>x</title>", "x"},
        {HtmlTitleOf, longHead + "<title>Late</title>", ""},  // only the first 255 bytes count
        {FirstHeadingTitleOf, "<h2 class=x>Chapter&nbsp;<b>One</b></h2>", "Chapter One"},
        {FirstHeadingTitleOf, "<h1> </h1><h2>Real</h2>", "Real"},
        {FirstHeadingTitleOf, "<H1>Title</h1>", "Title"},
        {FirstHeadingTitleOf, "<h1>Two\r\nlines</h1>", "Two\r lines"},
        {FirstHeadingTitleOf, "<h4>Deep</h4>", ""},
        {FirstHeadingTitleOf, "<h1>A</h2><h2>B</h2>", "B"},
        {FirstHeadingTitleOf, "<h1> </h1><h3>&nbsp;&nbsp;</h3>", "  "},  // all blank: the last
        {TitleDisplayText, "Caf\xC3\xA9", "Caf\xC3\xA9"},
        {TitleDisplayText, "A &amp; B", "A & B"},
        {TitleDisplayText, "\xF0\x9F\x93\x96 Book", "\xF0\x9F\x93\x96 Book"},
        // Invalid UTF-8 gives an empty cell: Latin-1, overlong, surrogate, cut short, too high.
        {TitleDisplayText, "Caf\xE9", ""},
        {TitleDisplayText, "\xC0\xAF", ""},
        {TitleDisplayText, "\xED\xA0\x80", ""},
        {TitleDisplayText, "\xE2\x82", ""},
        {TitleDisplayText, "\xF4\x90\x80\x80", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(c.pass(c.in), c.out) << ::testing::PrintToString(c.in);
}

class TitleMethods : public ::testing::Test {
protected:
    quillery::testing::TempDir dir;
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

TEST_F(TitleMethods, EachMethodFallsBackToTheFileNameAndLogsIt) {
    const std::string file2 = "* file2: HTML tilte not found, use filename instead.\r\n";
    const std::string file3 = "* file3: HTML tilte not found, use filename instead.\r\n";
    const auto expect = [this](void (*method)(Book&), const Titles& titles,
                               const std::string& log) {
        book.log.clear();
        method(book);
        EXPECT_EQ(book.titles, titles);
        EXPECT_EQ(book.log, log);
    };
    expect(TitlesFromFileNames, {"one", "two", "three"}, "");
    expect(TitlesFromHtmlTitle, {"First", "Second", "three"}, file3);
    expect(TitlesFromFirstHeading, {"Head One", "two", "three"}, file2 + file3);
}

TEST_F(TitleMethods, AutoTitleOffEmptiesCellsAndOnReExtracts) {
    ChapterGrid grid;
    grid.rows.resize(4);
    RefreshTitles(book, grid, {true, TitleMethod::HtmlTitle});
    EXPECT_EQ(grid.rows[1][kGridTitleColumn], "First");
    RefreshTitles(book, grid, {false, TitleMethod::HtmlTitle});
    EXPECT_TRUE(book.titles.empty());
    for (int row = 1; row < 4; ++row) EXPECT_EQ(grid.rows[row][kGridTitleColumn], "") << row;
    EXPECT_EQ(grid.rows[0][kGridTitleColumn], " Chapter Title (Editable)");
    RefreshTitles(book, grid, {true, TitleMethod::FirstHeading});
    EXPECT_EQ(grid.rows[1][kGridTitleColumn], "Head One");
    // The cells show decoded text; the title list keeps the raw bytes.
    book.titles = {"A &amp; B", "Caf\xE9"};
    RefreshTitleCells(book, grid);
    EXPECT_EQ(grid.rows[1][kGridTitleColumn], "A & B");
    EXPECT_EQ(grid.rows[2][kGridTitleColumn], "");
    EXPECT_EQ(grid.rows[3][kGridTitleColumn], "");  // no title list entry
    EXPECT_EQ(book.titles[0], "A &amp; B");
}

}  // namespace
}  // namespace quillery
