// content.opf: metadata, chapter manifest items, spine references and guide references.

#include "package/opf_writer.h"

#include "package_fixture.h"

namespace quillery::testing {
namespace {

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

class OpfWriterTest : public PackageTest {
protected:
    OpfWriterTest() {
        dir.Write("lib/OPS/content.opf",
                  "<package>$$title$$|$$creator$$|$$date$$|$$subject$$|$$uid$$|$$lang$$|"
                  "$$publisher$$|$$description$$|$$title$$\r\n\t<manifest>\r\n\t</manifest>"
                  "\r\n\t<spine>\r\n\t</spine>\r\n\t<guide>\r\n\t</guide>\r\n</package>");
    }
    void Write() { WriteContentOpf(book, ResourceCollectors{}, "2026-12-06"); }
};

TEST_F(OpfWriterTest, WholeDocumentWithCoverTitleAndContentsPages) {
    AddChapters(2);
    book.coverPath = dir.path() + "pics/cover.png";
    book.options.generateTitlePage = true;
    book.tocFileName = "toc.htm";
    book.tocPosition = 2;
    book.metadata.title = "Caf\xC3\xA9 \xE6\x97\xA5";  // bytes pass unchanged, every occurrence
    book.metadata.subject = "Fiction";
    book.metadata.uid = "urn:isbn:978&amp;1";
    book.metadata.description = "A &amp; B";
    Write();
    EXPECT_EQ(Ops("content.opf"),
              "<package>Caf\xC3\xA9 \xE6\x97\xA5|Anonymous Author|2026-12-06|Fiction|"
              "urn:isbn:978&amp;1|en|Unknown publisher|A &amp; B|Caf\xC3\xA9 \xE6\x97\xA5"
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

TEST_F(OpfWriterTest, ContentsPageFirstAtPositionOneOutsideTheSpineAtZeroOrBeyond) {
    AddChapters(3);
    book.tocFileName = "toc.htm";
    const std::string chapters = Ref("n0") + Ref("n1") + Ref("n2");
    for (int position : {1, 0, 4, -1}) {
        book.tocPosition = position;
        EXPECT_EQ(SpineItemRefs(book), (position == 1 ? Ref("tocpage") : "") + chapters);
        EXPECT_TRUE(Has(ChapterManifestItems(book), Item("tocpage", "toc.htm")));
    }
}

TEST_F(OpfWriterTest, GuideNamesTheContentsFileAndEscapesAmpersands) {
    struct Case {
        std::vector<std::string> files;
        std::string tocFileName, guide, tocFileNameAfter;
    } cases[] = {
        {{"a.htm", "b.htm"}, "", StartAndToc("a.htm", "a.htm"), "a.htm"},  // first chapter
        {{"a.htm"}, "", StartAndToc("a.htm", "a.htm#toc"), "a.htm"},       // one-file book
        // A bare "&" would make the document ill-formed, so the start reference is escaped too.
        {{"Q&A.htm", "b.htm"}, "Q&A.htm", StartAndToc("Q&amp;A.htm", "Q&amp;A.htm"), "Q&A.htm"},
        {{}, "", StartAndToc("", "#toc"), ""},  // no chapter at all must not crash
    };
    for (const Case& c : cases) {
        book.files = book.titles = c.files;
        book.tocFileName = c.tocFileName;
        Write();
        EXPECT_TRUE(Has(Ops("content.opf"), "\t<guide>\r\n\t" + c.guide + "</guide>"));
        EXPECT_EQ(book.tocFileName, c.tocFileNameAfter);
        EXPECT_FALSE(Has(Ops("content.opf"), "Q&A"));
    }
}

TEST_F(OpfWriterTest, ChapterCopiesNameTheirPicturesAndStylesheetsUnlessFromWord) {
    AddChapters(2);
    dir.Write("temp/OPS/a.htm", "<link href=\"css/Book.CSS\"><img src=\"images/pic%201.png\">");
    dir.Write("temp/OPS/b.htm", "<img src='images/missing.gif'><IMG SRC=\"Images/PIC%201.png\">");
    dir.Write("src/css/Book.css", "p{}");
    dir.Write("src/images/pic 1.png", "png");
    WriteContentOpf(book);  // with the clock's date and the chapter collectors
    EXPECT_TRUE(Has(Ops("content.opf"),
                    Item("n1", "b.htm") +
                        "\t\t<item id=\"css0\" href=\"css/Book.css\" media-type=\"text/css\" />\r\n"
                        "\t<item id=\"img0\" href=\"images/pic%201.png\" "
                        "media-type=\"image/png\" />\r\n\t</manifest>"));
    EXPECT_EQ(book.stylesheets, std::vector<std::string>{"css/Book.css"});  // for the style pass
    EXPECT_EQ(Ops("images/pic 1.png"), "png");
    EXPECT_EQ(book.log, "images/missing.gifdoes not exist\r\n");
    EXPECT_EQ(book.metadata.date, TodayIsoDate());

    dir.Write("src/style.css", "p{}");  // a Word project keeps the list its import set up
    book.wordImport = true;
    book.stylesheets = {"style.css"};
    WriteContentOpf(book);
    EXPECT_TRUE(Has(Ops("content.opf"), "\"css0\" href=\"style.css\""));
    EXPECT_FALSE(Has(Ops("content.opf"), "Book.css"));
}

}  // namespace
}  // namespace quillery::testing
