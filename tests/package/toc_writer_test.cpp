// toc.ncx and toc.htm: navigation points, the contents page and the TOC file name they leave.

#include "package/toc_writer.h"

#include <system_error>

#include "package_fixture.h"

namespace quillery::testing {
namespace {

const std::string kNcxTemplate =
    "<ncx><docTitle><text>$$title$$</text></docTitle>\r\n\t<navMap>\r\n\t</navMap>\r\n</ncx>";
const std::string kTocTemplate =
    "<html><head><title>$toctitle$</title></head><body><h2>$toctitle$</h2>";

std::string Point(int n, const std::string& label, const std::string& target) {
    const std::string num = std::to_string(n);
    return "\t<navPoint id=\"navpoint-" + num + "\" playOrder=\"" + num +
           "\">\r\n"
           "\t\t\t<navLabel>\r\n"
           "\t\t\t\t<text>" +
           label +
           "</text>\r\n"
           "\t\t\t</navLabel>\r\n"
           "\t\t\t<content src=\"" +
           target +
           "\" />\r\n"
           "\t\t</navPoint>\r\n\t";
}

std::string Ncx(const std::string& title, const std::string& points) {
    return "<ncx><docTitle><text>" + title + "</text></docTitle>\r\n\t<navMap>\r\n\t" + points +
           "</navMap>\r\n</ncx>";
}

class TocWriterTest : public PackageTest {
protected:
    TocWriterTest() {
        WriteLib("OPS/toc.ncx", kNcxTemplate);
        WriteExt("toc.tmp", kTocTemplate);
    }
};

TEST(NavPointTest, IsFlatWithTabsAndCrLf) {
    EXPECT_EQ(NavPoint(7, "Seven", "g.htm"),
              "\t<navPoint id=\"navpoint-7\" "
              "playOrder=\"7\">\r\n\t\t\t<navLabel>\r\n\t\t\t\t<text>Seven</text>"
              "\r\n\t\t\t</navLabel>\r\n\t\t\t<content src=\"g.htm\" />\r\n\t\t</navPoint>\r\n\t");
}

TEST_F(TocWriterTest, ThreeChaptersGiveThreePointsAndAContentsPage) {
    AddChapters(3);
    book.tocTitle = "Content";
    WriteTocFiles(book);

    EXPECT_EQ(Ops("toc.ncx"),
              Ncx("My Book", Point(1, "Title A", "a.htm") + Point(2, "Title B", "b.htm") +
                                 Point(3, "Title C", "c.htm")));
    EXPECT_EQ(Ops("toc.htm"),
              "<html><head><title>Content</title></head><body><h2>Content</h2>\r\n"
              "<ol><li><a href=\"a.htm\">Title A</a></li>\r\n"
              "<li><a href=\"b.htm\">Title B</a></li>\r\n"
              "<li><a href=\"c.htm\">Title C</a></li>\r\n"
              "</ol>\r\n</body></html>");
    EXPECT_EQ(book.tocFileName, "toc.htm");
    EXPECT_EQ(book.log, "Making TOC\r\n");
}

TEST_F(TocWriterTest, NcxNamesTheBookByThePackageIdentifier) {
    WriteLib("OPS/toc.ncx", "<meta name=\"dtb:uid\" content=\"$$uid$$\" /><navMap></navMap>");
    AddChapters(2);
    book.metadata.uid = "urn:isbn:123&amp;4";
    WriteTocFiles(book);
    EXPECT_EQ(Ops("toc.ncx").rfind(
                  "<meta name=\"dtb:uid\" content=\"urn:isbn:123&amp;4\" /><navMap>\t<navPoint", 0),
              0u);
}

TEST_F(TocWriterTest, EscapedTitlesAndAmpersandFileNamesStayWellFormed) {
    book.files = {"q&a.htm", "b.htm"};
    book.titles = {"Q&amp;A", "&lt;b&gt;"};
    book.metadata.title = "Tom &amp; Jerry";
    book.tocTitle = "A & B";
    WriteTocFiles(book);

    EXPECT_EQ(Ops("toc.ncx"), Ncx("Tom &amp; Jerry", Point(1, "Q&amp;A", "q&amp;a.htm") +
                                                         Point(2, "&lt;b&gt;", "b.htm")));
    const std::string page = Ops("toc.htm");
    EXPECT_NE(page.find("<li><a href=\"q&amp;a.htm\">Q&amp;A</a></li>\r\n"), std::string::npos);
    // The typed contents title is escaped where it enters the page, so the page stays XML.
    EXPECT_NE(page.find("<title>A &amp; B</title>"), std::string::npos);
    EXPECT_EQ(page.find("A & B"), std::string::npos);
}

TEST_F(TocWriterTest, FileNamesWithBlanksAndHashesBecomeValidLinks) {
    // A file keeps its name on disk; the links to it are URIs, so a blank, "#" or "%" in
    // the name is percent-encoded (a raw blank is not a valid URI, a raw "#" would start
    // a fragment).
    book.files = {"04 The Harbour.htm", "no#5 100%.htm"};
    book.titles = {"Harbour", "Five"};
    WriteTocFiles(book);

    EXPECT_EQ(Ops("toc.ncx"), Ncx("My Book", Point(1, "Harbour", "04%20The%20Harbour.htm") +
                                          Point(2, "Five", "no%235%20100%25.htm")));
    const std::string page = Ops("toc.htm");
    EXPECT_NE(page.find("<li><a href=\"04%20The%20Harbour.htm\">Harbour</a></li>"),
              std::string::npos);
    EXPECT_NE(page.find("<li><a href=\"no%235%20100%25.htm\">Five</a></li>"), std::string::npos);
}

TEST_F(TocWriterTest, OneFileBookGetsOnePointPerNamedAnchor) {
    book.files = {"book.htm"};
    book.titles = {"Book"};
    book.tocPosition = 1;
    WriteOps("book.htm",
             "<p><a name=\"toc\"></a>x<A NAME=\"c1\">One</A> <a href=\"#c1\">j</a>"
             "<a name=\"c2\" id=\"c2\"></a></p>");
    WriteTocFiles(book);

    EXPECT_EQ(Ops("toc.ncx"),
              Ncx("My Book", Point(1, "toc", "book.htm#toc") + Point(2, "c1", "book.htm#c1") +
                                 Point(3, "c2", "book.htm#c2")));
    EXPECT_FALSE(OpsHas("toc.htm"));
    EXPECT_EQ(book.tocFileName, "");
}

TEST_F(TocWriterTest, OneFileBookWithPositionZeroHasNoPointsAndNoTocFile) {
    book.files = {"book.htm"};
    book.titles = {"Book"};
    book.tocPosition = 0;
    book.tocFileName = "book.htm";
    WriteOps("book.htm", "<a name=\"toc\"></a>");
    WriteTocFiles(book);

    EXPECT_EQ(Ops("toc.ncx"), Ncx("My Book", ""));
    EXPECT_EQ(book.tocFileName, "");
    EXPECT_FALSE(OpsHas("toc.htm"));
}

TEST_F(TocWriterTest, WordBookKeepsTheFileThatHoldsItsContents) {
    book.files = {"doc.htm"};
    book.titles = {"Doc"};
    book.tocPosition = 3;
    book.tocFileName = "doc.htm";
    WriteTocFiles(book);
    EXPECT_EQ(book.tocFileName, "doc.htm");
}

TEST_F(TocWriterTest, MarkedChapterIsTheContentsAndNoPageIsGenerated) {
    AddChapters(3);
    book.tocMarked = true;
    book.tocFileName = "b.htm";
    WriteTocFiles(book);

    EXPECT_EQ(Ops("toc.ncx"),
              Ncx("My Book", Point(1, "Title A", "a.htm") + Point(2, "Title B", "b.htm") +
                                 Point(3, "Title C", "c.htm")));
    EXPECT_FALSE(OpsHas("toc.htm"));
    EXPECT_EQ(book.tocFileName, "b.htm");
}

TEST_F(TocWriterTest, ContentsPageOfAnEarlierMakeIsNotNamedWhenNoneIsWritten) {
    book.files = {"one.htm"};
    book.titles = {"One"};
    book.tocPosition = 1;
    book.tocFileName = "toc.htm";  // left by the make of a previous, longer book
    WriteTocFiles(book);
    EXPECT_EQ(book.tocFileName, "");

    // A chapter that is itself called toc.htm keeps its name.
    book.files = {"toc.htm"};
    book.tocFileName = "toc.htm";
    WriteTocFiles(book);
    EXPECT_EQ(book.tocFileName, "toc.htm");
}

TEST_F(TocWriterTest, MissingTemplatesLeaveTheGeneratedTextAlone) {
    book.folders.libFolder = dir.path() + "nolib/";
    book.folders.extFolder = dir.path() + "noext/";
    AddChapters(2);
    WriteTocFiles(book);
    EXPECT_EQ(Ops("toc.ncx"), Point(1, "Title A", "a.htm") + Point(2, "Title B", "b.htm"));
    EXPECT_EQ(Ops("toc.htm"),
              "\r\n<ol><li><a href=\"a.htm\">Title A</a></li>\r\n"
              "<li><a href=\"b.htm\">Title B</a></li>\r\n</ol>\r\n</body></html>");
}

TEST_F(TocWriterTest, UnwritableOpsFolderThrows) {
    AddChapters(2);
    book.folders.opsFolder = dir.path() + "missing/OPS/";
    EXPECT_THROW(WriteTocFiles(book), std::system_error);
}

}  // namespace
}  // namespace quillery::testing
