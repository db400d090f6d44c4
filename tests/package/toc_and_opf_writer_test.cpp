// The book's navigation and package document: toc.ncx and toc.htm (navigation points, the
// contents page, the TOC file name they leave), then content.opf (metadata, chapter manifest
// items, spine references and guide references).

#include <system_error>

#include "chapters.h"
#include "package/opf_writer.h"
#include "package/toc_writer.h"
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

std::string Item(const std::string& id, const std::string& href) {
    return "\t<item id=\"" + id + "\" href=\"" + href +
           "\" media-type=\"application/xhtml+xml\" />\r\n\t";
}
std::string Ref(const std::string& idref) { return "\t<itemref idref=\"" + idref + "\" />\r\n\t"; }
std::string StartAndToc(const std::string& start, const std::string& toc) {
    return "\t<reference type=\"start\" title=\"Start Page\" href=\"" + start + "\"/>\r\n\t" +
           "\t<reference type=\"toc\"  title=\"Table of Contents\" href=\"" + toc + "\"/>\r\n\t";
}
std::string CoverRef(const std::string& page) {
    return "\t<reference href=\"" + page + "\" type=\"cover\" title=\"Cover\"/>\r\n\t";
}

// Small templates: the writers' own text is what the tests compare.
class WriterTest : public PackageTest {
protected:
    WriterTest() {
        dir.Write("lib/OPS/toc.ncx", "<ncx uid=\"$$uid$$\">$$title$$<navMap>\r\n\t</navMap>");
        dir.Write("ext/toc.tmp", "<title>$toctitle$</title>$toctitle$");
        dir.Write("lib/OPS/content.opf",
                  "<package>$$title$$|$$creator$$|$$date$$|$$subject$$|$$uid$$|$$lang$$|"
                  "$$publisher$$|$$description$$|$$title$$\r\n\t<manifest>\r\n\t</manifest>"
                  "\r\n\t<spine>\r\n\t</spine>\r\n\t<guide>\r\n\t</guide>\r\n</package>");
    }
    void Write() { WriteContentOpf(book, ResourceCollectors{}, "2026-12-06"); }
};

TEST(NavPointTest, IsFlatWithTabsAndCrLf) {
    EXPECT_EQ(NavPoint(7, "Seven", "g.htm"),
              "\t<navPoint id=\"navpoint-7\" playOrder=\"7\">\r\n\t\t\t<navLabel>\r\n\t\t\t\t"
              "<text>Seven</text>\r\n\t\t\t</navLabel>\r\n\t\t\t<content src=\"g.htm\" />\r\n"
              "\t\t</navPoint>\r\n\t");
}

TEST_F(WriterTest, ThreeChaptersGiveThreePointsAndAContentsPage) {
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

TEST_F(WriterTest, NamesAndTitlesBecomeWellFormedHrefsAndText) {
    // Links are URIs: a blank, "#" or "%" in a file name is percent-encoded, "&" escaped.
    book.chapters = ChaptersOf({"q&a.htm", "n#5 1%.htm"}, {"Q&amp;A", "&lt;b&gt;"});
    book.tocTitle = "A & B";  // typed text, escaped where it enters the page
    WriteTocFiles(book);
    EXPECT_EQ(Ops("toc.ncx"), Ncx("My Book", NavPoint(1, "Q&amp;A", "q&amp;a.htm") +
                                                 NavPoint(2, "&lt;b&gt;", "n%235%201%25.htm")));
    EXPECT_EQ(Ops("toc.htm"), Page("A &amp; B", Li("q&amp;a.htm", "Q&amp;A") +
                                                    Li("n%235%201%25.htm", "&lt;b&gt;")));
}

TEST_F(WriterTest, OneFileBookGetsOnePointPerNamedAnchorUnlessAtPositionZero) {
    book.chapters = ChaptersOf({"b.htm"}, {"b.htm"});
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
    EXPECT_FALSE(OpsHas("toc.htm"));
}

TEST_F(WriterTest, MarkedChapterIsTheContentsAndNoPageIsGenerated) {
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

TEST_F(WriterTest, WholeDocumentWithCoverTitleAndContentsPages) {
    AddChapters(2);
    book.coverPath = dir.path() + "pics/cover.png";
    book.options.generateTitlePage = true;
    book.tocFileName = "toc.htm";
    book.tocPosition = 2;
    book.metadata.title = "Caf\xC3\xA9 \xE6\x97\xA5";  // bytes pass unchanged, every occurrence
    book.metadata.subject = "Fiction";
    Write();
    EXPECT_EQ(Ops("content.opf"),
              "<package>Caf\xC3\xA9 \xE6\x97\xA5|Anonymous Author|2026-12-06|Fiction|"
              "None|en|Unknown publisher||Caf\xC3\xA9 \xE6\x97\xA5"
              "\r\n\t<manifest>\r\n\t" +
                  Item("coverpage", "coverpage.htm") + Item("titlepage", "titlepage.htm") +
                  Item("tocpage", "toc.htm") + Item("n0", "a.htm") + Item("n1", "b.htm") +
                  "\t<item id=\"coverPic\" href=\"cover.png\" media-type=\"image/png\" "
                  "/>\r\n\t</manifest>\r\n\t<spine>\r\n\t" +
                  Ref("coverpage") + Ref("titlepage") + Ref("n0") + Ref("tocpage") + Ref("n1") +
                  "</spine>\r\n\t<guide>\r\n\t" + CoverRef("coverpage.htm") +
                  StartAndToc("a.htm", "toc.htm") + "</guide>\r\n</package>");
    EXPECT_EQ(book.metadata.date, "2026-12-06");
    book.coverPath.clear();  // the title page alone serves as the cover
    EXPECT_EQ(GuideCoverReference(book), CoverRef("titlepage.htm"));
}

TEST_F(WriterTest, ContentsPageFirstAtPositionOneOutsideTheSpineAtZeroOrBeyond) {
    AddChapters(3);
    book.tocFileName = "toc.htm";
    const std::string chapters = Ref("n0") + Ref("n1") + Ref("n2");
    for (int position : {1, 0, 4, -1}) {
        book.tocPosition = position;
        EXPECT_EQ(SpineItemRefs(book), (position == 1 ? Ref("tocpage") : "") + chapters);
        EXPECT_TRUE(Has(ChapterManifestItems(book), Item("tocpage", "toc.htm")));
    }
}

TEST_F(WriterTest, GuideNamesTheContentsFileAndEscapesAmpersands) {
    // files, TOC file name before, guide references, TOC file name after
    const std::tuple<std::vector<std::string>, std::string, std::string, std::string> cases[] = {
        {{"a.htm", "b.htm"}, "", StartAndToc("a.htm", "a.htm"), "a.htm"},  // first chapter
        {{"a.htm"}, "", StartAndToc("a.htm", "a.htm#toc"), "a.htm"},       // one-file book
        // A bare "&" would make the document ill-formed, so the start reference is escaped too.
        {{"Q&A.htm", "b.htm"}, "Q&A.htm", StartAndToc("Q&amp;A.htm", "Q&amp;A.htm"), "Q&A.htm"},
        {{}, "", StartAndToc("", "#toc"), ""},  // no chapter at all must not crash
    };
    for (const auto& [files, before, guide, after] : cases) {
        book.chapters = ChaptersOf(files, files);
        book.tocFileName = before;
        Write();
        EXPECT_TRUE(Has(Ops("content.opf"), "\t<guide>\r\n\t" + guide + "</guide>"));
        EXPECT_EQ(book.tocFileName, after);
        EXPECT_FALSE(Has(Ops("content.opf"), "Q&A"));
    }
}

}  // namespace
}  // namespace quillery::testing
