// toc.ncx and toc.htm: navigation points, the contents page and the TOC file name they leave.

#include "package/toc_writer.h"

#include <system_error>

#include "package/opf_writer.h"
#include "package_fixture.h"

namespace quillery::testing {
namespace {

std::string Ncx(const std::string& title, const std::string& points) {
    return "<ncx uid=\"None\">" + title + "<navMap>\r\n\t" + points + "</navMap>";
}
std::string Page(const std::string& title, const std::string& items) {
    return "<title>" + title + "</title>" + title + "\r\n<ol>" + items + "</ol>\r\n</body></html>";
}
std::string Li(const std::string& href, const std::string& title) {
    return "<li><a href=\"" + href + "\">" + title + "</a></li>\r\n";
}

class TocWriterTest : public PackageTest {
protected:
    TocWriterTest() {
        dir.Write("lib/OPS/toc.ncx", "<ncx uid=\"$$uid$$\">$$title$$<navMap>\r\n\t</navMap>");
        dir.Write("ext/toc.tmp", "<title>$toctitle$</title>$toctitle$");
    }
};

TEST(NavPointTest, IsFlatWithTabsAndCrLf) {
    EXPECT_EQ(NavPoint(7, "Seven", "g.htm"),
              "\t<navPoint id=\"navpoint-7\" playOrder=\"7\">\r\n\t\t\t<navLabel>\r\n\t\t\t\t"
              "<text>Seven</text>\r\n\t\t\t</navLabel>\r\n\t\t\t<content src=\"g.htm\" />\r\n"
              "\t\t</navPoint>\r\n\t");
}

TEST_F(TocWriterTest, ThreeChaptersGiveThreePointsAndAContentsPage) {
    AddChapters(3);
    book.tocTitle = "Content";
    WriteTocFiles(book);
    EXPECT_EQ(Ops("toc.ncx"),
              Ncx("My Book", NavPoint(1, "Title A", "a.htm") + NavPoint(2, "Title B", "b.htm") +
                                 NavPoint(3, "Title C", "c.htm")));
    EXPECT_EQ(Ops("toc.htm"), Page("Content", Li("a.htm", "Title A") + Li("b.htm", "Title B") +
                                                  Li("c.htm", "Title C")));
    EXPECT_EQ(book.tocFileName, "toc.htm");
    EXPECT_EQ(book.log, "Making TOC\r\n");
    book.folders.opsFolder = dir.path() + "missing/OPS/";
    EXPECT_THROW(WriteTocFiles(book), std::system_error);
}

TEST_F(TocWriterTest, NamesAndTitlesBecomeWellFormedHrefsAndText) {
    // Links are URIs: a blank, "#" or "%" in a file name is percent-encoded, "&" escaped.
    book.files = {"q&a.htm", "n#5 1%.htm"};
    book.titles = {"Q&amp;A", "&lt;b&gt;"};
    book.metadata.title = "Tom &amp; Jerry";
    book.tocTitle = "A & B";  // typed text, escaped where it enters the page
    WriteTocFiles(book);
    EXPECT_EQ(Ops("toc.ncx"),
              Ncx("Tom &amp; Jerry", NavPoint(1, "Q&amp;A", "q&amp;a.htm") +
                                         NavPoint(2, "&lt;b&gt;", "n%235%201%25.htm")));
    EXPECT_EQ(Ops("toc.htm"), Page("A &amp; B", Li("q&amp;a.htm", "Q&amp;A") +
                                                    Li("n%235%201%25.htm", "&lt;b&gt;")));
}

TEST_F(TocWriterTest, OneFileBookGetsOnePointPerNamedAnchorUnlessAtPositionZero) {
    book.files = book.titles = {"b.htm"};
    book.tocPosition = 1;
    book.tocFileName = "toc.htm";  // the contents page of an earlier, longer book is not named
    dir.Write("temp/OPS/b.htm",
              "<a name=\"toc\"></a><A NAME=\"c1\"><a href=\"#x\"><a name=\"c2\" id=\"c2\">");
    WriteTocFiles(book);
    EXPECT_EQ(Ops("toc.ncx"),
              Ncx("My Book", NavPoint(1, "toc", "b.htm#toc") + NavPoint(2, "c1", "b.htm#c1") +
                                 NavPoint(3, "c2", "b.htm#c2")));
    EXPECT_EQ(book.tocFileName, "");
    book.tocPosition = 0;
    book.tocFileName = "b.htm";
    WriteTocFiles(book);
    EXPECT_EQ(Ops("toc.ncx"), Ncx("My Book", ""));
    EXPECT_EQ(book.tocFileName, "");
    book.files = {"toc.htm"};  // a chapter itself called toc.htm keeps its name
    book.tocFileName = "toc.htm";
    book.tocPosition = 1;
    WriteTocFiles(book);
    EXPECT_EQ(book.tocFileName, "toc.htm");
    EXPECT_FALSE(OpsHas("toc.htm"));
}

TEST_F(TocWriterTest, MarkedChapterIsTheContentsAndNoPageIsGenerated) {
    AddChapters(3);
    book.tocPosition = 1;  // the make has overwritten the marked row with the box's position
    book.tocMarked = true;
    book.tocFileName = "b.htm";
    WriteTocFiles(book);
    EXPECT_TRUE(Has(Ops("toc.ncx"), NavPoint(3, "Title C", "c.htm")));
    EXPECT_FALSE(OpsHas("toc.htm"));
    EXPECT_FALSE(Has(ChapterManifestItems(book) + SpineItemRefs(book), "tocpage"));
    EXPECT_TRUE(Has(GuideTocReference(book), "href=\"b.htm\""));
}

}  // namespace
}  // namespace quillery::testing
