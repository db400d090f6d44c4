// The book's navigation: toc.ncx and toc.htm (navigation points, the contents page, the TOC
// file name they leave), compared with golden files made from the installed templates.

#include "package/toc_writer.h"

#include <system_error>

#include "chapters.h"
#include "package/opf_writer.h"
#include "package_fixture.h"

namespace quillery::testing {
namespace {

// Links are URIs: a blank, "#" or "%" in a file name is percent-encoded, "&" escaped; titles
// arrive escaped; the typed contents title is escaped where it enters the page.
TEST_F(PackageTest, ThreeChaptersGiveThreePointsAndAContentsPage) {
    UseInstalledTemplates();
    book.chapters =
        ChaptersOf({"a.htm", "q&a.htm", "n#5 1%.htm"}, {"Title A", "Q&amp;A", "&lt;b&gt;"});
    book.tocTitle = "A & B";
    WriteTocFiles(book);
    EXPECT_TRUE(MatchesGolden(Ops("toc.ncx"), "three_chapters.toc.ncx"));
    EXPECT_TRUE(MatchesGolden(Ops("toc.htm"), "three_chapters.toc.htm"));
    EXPECT_EQ(book.tocFileName, "toc.htm");
    EXPECT_EQ(book.log, "Making TOC\r\n");
    book.folders.opsFolder = dir.path() + "missing/OPS/";
    EXPECT_THROW(WriteTocFiles(book), std::system_error);
}

TEST_F(PackageTest, OneFileBookGetsOnePointPerNamedAnchorOrItsChapterAtPositionZero) {
    UseInstalledTemplates();
    book.chapters = ChaptersOf({"b.htm"}, {"b.htm"});
    book.tocPosition = 1;
    book.tocFileName = "toc.htm";  // the contents page of an earlier, longer book is not named
    dir.Write("temp/OPS/b.htm",
              "<a name=\"toc\"></a><A NAME=\"c1\"><a href=\"#x\"><a name=\"c2\" id=\"c2\">");
    WriteTocFiles(book);
    EXPECT_TRUE(MatchesGolden(Ops("toc.ncx"), "one_file.toc.ncx"));
    EXPECT_EQ(book.tocFileName, "");
    // Without anchor points the navMap still lists the chapter: an empty one is no valid NCX.
    book.tocPosition = 0;
    book.tocFileName = "b.htm";
    WriteTocFiles(book);
    EXPECT_TRUE(MatchesGolden(Ops("toc.ncx"), "one_file_chapter_point.toc.ncx"));
    EXPECT_EQ(book.tocFileName, "");
    EXPECT_FALSE(OpsHas("toc.htm"));
}

TEST_F(PackageTest, MarkedChapterIsTheContentsAndNoPageIsGenerated) {
    UseInstalledTemplates();
    AddChapters(3);
    book.tocPosition = 1;  // the make has overwritten the marked row with the box's position
    book.tocMarked = true;
    book.tocFileName = "b.htm";
    WriteTocFiles(book);
    EXPECT_TRUE(Has(Ops("toc.ncx"), "<content src=\"c.htm\" />"));
    EXPECT_FALSE(OpsHas("toc.htm"));
    EXPECT_FALSE(Has(ChapterManifestItems(book) + SpineItemRefs(book), "tocpage"));
    EXPECT_TRUE(Has(GuideTocReference(book), "href=\"b.htm\""));
}

}  // namespace
}  // namespace quillery::testing
