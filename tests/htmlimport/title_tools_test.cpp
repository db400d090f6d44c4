// The chapter title tools: capitalising, Roman numerals, subtitles, and the snapshot that
// "Undo" returns to.

#include "htmlimport/title_tools.h"

#include <gtest/gtest.h>

#include "chapters.h"
#include "htmlimport/chapter_list.h"
#include "temp_dir.h"
#include "text_case.h"

namespace quillery {
namespace {

using testing::TextCase;
using Titles = std::vector<std::string>;

std::string Capitalized(std::string_view s) { return UpperRomanNumerals(CapitalizeWords(s)); }

TEST(TitleTools, CapitalisingRomanNumeralsAndSubtitles) {
    const TextCase cases[] = {
        {Capitalized, "THE END OF BOOK iii", "The End Of Book III"},
        {Capitalized, "chapter one's 2nd part", "Chapter One'S 2Nd Part"},
        {Capitalized, "part xi-iv, i vixen", "Part XI-IV, I Vixen"},
        // Other characters keep their bytes and count as not letters.
        {Capitalized, "\xC3\xA9t\xC3\xA9 \xC3\xA0 paris", "\xC3\xA9t\xC3\xA9 \xC3\xA0 Paris"},
        {Capitalized, "fisherman\xE2\x80\x99s tale", "Fisherman\xE2\x80\x99s Tale"},
        {UpperRomanNumerals, "Chapter Iv x2 ivy", "Chapter IV x2 ivy"},
        {SubtitleOf, "<h1>Chapter 1</h1>\r\n<h2>The Start</h2>", "The Start"},
        {SubtitleOf, "<h1>Chapter 1</h1><p>x</p><h2>The Start</h2>", ""},
        {SubtitleOf, "<h1> </h1><h2>Real</h2> <h5 id=s>A&nbsp;<i>b</i>\nc</h5>", "A b c"},
        {SubtitleOf, "<h1>A</h1><H2>B</H2>", ""},  // the next tag must be written "<h"
        {SubtitleOf, "<h1>A</h1><hr><h2>B</h2>", ""},
        {SubtitleOf, "<h1>A</h1><h6>B</h6>", ""},
        {SubtitleOf, "<h1>A</h1><h2>never closed", ""},
        {TitleListFormOf, "A &amp; B & C", "A &amp;amp; B &amp; C"},
    };
    testing::ExpectPasses(cases);
}

struct TitleToolsBook : ::testing::Test {
    testing::TempDir dir;
    Book book;
    ChapterGrid grid;
    TitleTools tools;

    void SetUp() override {
        dir.Write("c1.htm", "<h1>Chapter 1</h1>\n<h2>The Start</h2>");
        dir.Write("c2.htm", "<h1>Chapter 2</h1><p>text</p><h2>Later</h2>");
        dir.Write("c3.htm", "<p>no heading</p>");
        book.sourceFolder = dir.path();
        book.chapters = testing::ChaptersOf({"c1.htm", "c2.htm", "c3.htm"});
        grid = FillChapterGrid(book, {true, TitleMethod::FileName});
    }
    Titles Cells() const {
        Titles cells;
        for (int row = 1; row < grid.RowCount(); ++row)
            cells.push_back(grid.rows[row][kGridTitleColumn]);
        return cells;
    }
};

TEST_F(TitleToolsBook, EachToolRedisplaysTheGridAndUndoReturnsToTheLastSnapshot) {
    // "Undo" with no snapshot touches nothing, not even a cell edited by hand.
    grid.rows[2][kGridTitleColumn] = "typed";
    tools.UndoTitleEdit(book, grid);
    EXPECT_EQ(Cells(), (Titles{"c1", "typed", "c3"}));
    EXPECT_EQ(testing::TitlesOf(book), (Titles{"c1", "c2", "c3"}));

    // Re-extraction uses the first headings although "from file name" is chosen.
    TitleTools::ReExtractTitles(book, grid);
    EXPECT_EQ(Cells(), (Titles{"Chapter 1", "Chapter 2", "c3"}));
    EXPECT_NE(book.log.find("* file3: HTML tilte not found"), std::string::npos);

    tools.AppendSubtitles(book, grid);
    EXPECT_EQ(Cells(), (Titles{"Chapter 1 The Start", "Chapter 2 ", "c3 "}));
    tools.TrimTitles(book, grid);
    EXPECT_EQ(Cells(), (Titles{"Chapter 1 The Start", "Chapter 2", "c3"}));
    for (int undo = 0; undo < 2; ++undo) {
        tools.UndoTitleEdit(book, grid);
        EXPECT_EQ(Cells(), (Titles{"Chapter 1 The Start", "Chapter 2 ", "c3 "})) << undo;
    }

    // Non-ASCII text and literal entity text come back from the title list as they were.
    grid.rows[1][kGridTitleColumn] = " \xC3\xA9t\xC3\xA9 &amp; co xiv\t";
    tools.TrimTitles(book, grid);
    EXPECT_EQ(Cells()[0], "\xC3\xA9t\xC3\xA9 &amp; co xiv");
    EXPECT_EQ(*book.chapters[0].title, "\xC3\xA9t\xC3\xA9 &amp;amp; co xiv");
    tools.CapitalizeTitles(book, grid);
    EXPECT_EQ(Cells(), (Titles{"\xC3\xA9t\xC3\xA9 &Amp; Co XIV", "Chapter 2", "C3"}));

    // After a row move every chapter gets its own snapshot title back.
    std::swap(grid.rows[1], grid.rows[3]);
    std::swap(book.chapters[0], book.chapters[2]);
    tools.UndoTitleEdit(book, grid);
    EXPECT_EQ(Cells(), (Titles{"c3", "Chapter 2", "\xC3\xA9t\xC3\xA9 &amp; co xiv"}));
}

}  // namespace
}  // namespace quillery
