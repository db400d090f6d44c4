// content.opf: metadata, chapter manifest items, spine references and guide references.

#include "package/opf_writer.h"

#include "package/toc_writer.h"
#include "package_fixture.h"

namespace quillery::testing {
namespace {

const std::string kOpfTemplate =
    "<package>$$title$$|$$creator$$|$$date$$|$$subject$$|$$uid$$|$$lang$$|$$publisher$$|$$"
    "description$$|$$title$$"
    "\r\n\t<manifest>\r\n\t\t<item id=\"ncx\" />\r\n\t</manifest>"
    "\r\n\t<spine toc=\"ncx\">\r\n\t</spine>"
    "\r\n\t<guide>\r\n\t</guide>\r\n</package>";

std::string Item(const std::string& id, const std::string& href) {
    return "\t<item id=\"" + id + "\" href=\"" + href +
           "\" media-type=\"application/xhtml+xml\" />\r\n\t";
}
std::string Ref(const std::string& idref) { return "\t<itemref idref=\"" + idref + "\" />\r\n\t"; }
std::string StartRef(const std::string& href) {
    return "\t<reference type=\"start\" title=\"Start Page\" href=\"" + href + "\"/>\r\n\t";
}
std::string TocRef(const std::string& href) {
    return "\t<reference type=\"toc\"  title=\"Table of Contents\" href=\"" + href + "\"/>\r\n\t";
}
const std::string kCoverPageRef =
    "\t<reference href=\"coverpage.htm\" type=\"cover\" title=\"Cover\"/>\r\n\t";
const std::string kTitlePageRef =
    "\t<reference href=\"titlepage.htm\" type=\"cover\" title=\"Cover\"/>\r\n\t";

class OpfWriterTest : public PackageTest {
protected:
    OpfWriterTest() { WriteLib("OPS/content.opf", kOpfTemplate); }
    void Write() { WriteContentOpf(book, ResourceCollectors{}, "2026-12-06"); }
};

TEST_F(OpfWriterTest, WholeDocumentForTwoChaptersWithContentsPageFirst) {
    AddChapters(2);
    book.tocFileName = "toc.htm";
    book.tocPosition = 1;
    book.metadata.subject = "Fiction";
    book.metadata.description = "A &amp; B";
    Write();

    EXPECT_EQ(Ops("content.opf"),
              "<package>My Book|Anonymous Author|2026-12-06|Fiction|None|en|Unknown publisher|A "
              "&amp; B|My Book"
              "\r\n\t<manifest>\r\n\t\t<item id=\"ncx\" />\r\n\t" +
                  Item("tocpage", "toc.htm") + Item("n0", "a.htm") + Item("n1", "b.htm") +
                  "</manifest>\r\n\t<spine toc=\"ncx\">\r\n\t" + Ref("tocpage") + Ref("n0") +
                  Ref("n1") + "</spine>\r\n\t<guide>\r\n\t" + StartRef("a.htm") +
                  TocRef("toc.htm") + "</guide>\r\n</package>");
    EXPECT_EQ(book.metadata.date, "2026-12-06");
}

TEST_F(OpfWriterTest, CoverAndTitlePageComeFirstAndTheCoverReferenceNamesTheCoverPage) {
    AddChapters(2);
    book.coverPath = dir.path() + "pics/cover.png";
    book.options.generateTitlePage = true;
    book.tocFileName = "toc.htm";
    book.tocPosition = 2;

    EXPECT_EQ(ChapterManifestItems(book),
              Item("coverpage", "coverpage.htm") + Item("titlepage", "titlepage.htm") +
                  Item("tocpage", "toc.htm") + Item("n0", "a.htm") + Item("n1", "b.htm"));
    EXPECT_EQ(SpineItemRefs(book),
              Ref("coverpage") + Ref("titlepage") + Ref("n0") + Ref("tocpage") + Ref("n1"));
    EXPECT_EQ(GuideCoverReference(book), kCoverPageRef);
}

TEST_F(OpfWriterTest, TitlePageAloneServesAsCover) {
    AddChapters(2);
    book.options.generateTitlePage = true;
    EXPECT_EQ(GuideCoverReference(book), kTitlePageRef);
    book.options.generateTitlePage = false;
    EXPECT_EQ(GuideCoverReference(book), "");
}

TEST_F(OpfWriterTest, ContentsPageAtTheEndOrBeyondIsNotInTheSpine) {
    AddChapters(3);
    book.tocFileName = "toc.htm";
    for (int position : {0, 4, 9, -1}) {
        book.tocPosition = position;
        EXPECT_EQ(SpineItemRefs(book), Ref("n0") + Ref("n1") + Ref("n2")) << position;
        EXPECT_EQ(ChapterManifestItems(book), Item("tocpage", "toc.htm") + Item("n0", "a.htm") +
                                                  Item("n1", "b.htm") + Item("n2", "c.htm"));
    }
    book.tocPosition = 3;
    EXPECT_EQ(SpineItemRefs(book), Ref("n0") + Ref("n1") + Ref("tocpage") + Ref("n2"));
}

TEST_F(OpfWriterTest, WithoutGeneratedContentsPageTheFirstChapterIsTheContents) {
    AddChapters(2);
    book.tocPosition = 1;
    Write();
    const std::string opf = Ops("content.opf");
    EXPECT_EQ(opf.find("tocpage"), std::string::npos);
    EXPECT_NE(opf.find(StartRef("a.htm") + TocRef("a.htm") + "</guide>"), std::string::npos);
    EXPECT_EQ(book.tocFileName, "a.htm");
}

TEST_F(OpfWriterTest, OneFileBookPointsAtItsTocAnchor) {
    book.files = {"a.htm"};
    book.titles = {"A"};
    Write();
    EXPECT_NE(Ops("content.opf").find(StartRef("a.htm") + TocRef("a.htm#toc")), std::string::npos);
    EXPECT_EQ(book.tocFileName, "a.htm");
}

TEST_F(OpfWriterTest, MarkedChapterIsNamedByTheGuideAfterTheTocFiles) {
    WriteLib("OPS/toc.ncx", "<navMap>\r\n</navMap>");
    WriteExt("toc.tmp", "<body>");
    AddChapters(3);
    book.tocPosition = 1;  // the make has overwritten the marked row with the box's position
    book.tocMarked = true;
    book.tocFileName = "b.htm";
    WriteTocFiles(book);
    Write();

    const std::string opf = Ops("content.opf");
    EXPECT_FALSE(OpsHas("toc.htm"));
    EXPECT_EQ(opf.find("tocpage"), std::string::npos);
    EXPECT_NE(opf.find(StartRef("a.htm") + TocRef("b.htm") + "</guide>"), std::string::npos);
    EXPECT_EQ(book.tocFileName, "b.htm");
}

TEST_F(OpfWriterTest, AmpersandInFileNamesIsEscapedEverywhere) {
    book.files = {"Q&A.htm", "b.htm"};
    book.titles = {"Q&amp;A", "B"};
    book.tocMarked = true;
    book.tocFileName = "Q&A.htm";
    Write();
    const std::string opf = Ops("content.opf");
    EXPECT_NE(opf.find(Item("n0", "Q&amp;A.htm")), std::string::npos);
    EXPECT_NE(opf.find(StartRef("Q&amp;A.htm") + TocRef("Q&amp;A.htm")), std::string::npos);
    EXPECT_EQ(opf.find("Q&A"), std::string::npos);
}

TEST_F(OpfWriterTest, MetadataBytesPassUnchangedAndEveryPlaceholderIsReplaced) {
    AddChapters(2);
    book.metadata.title = "Caf\xC3\xA9 \xE6\x97\xA5";
    book.metadata.uid = "urn:isbn:978&amp;1";
    Write();
    const std::string opf = Ops("content.opf");
    EXPECT_EQ(opf.rfind("<package>Caf\xC3\xA9 \xE6\x97\xA5|", 0), 0u);
    EXPECT_NE(opf.find("|urn:isbn:978&amp;1|"), std::string::npos);
    EXPECT_NE(opf.find("|Caf\xC3\xA9 \xE6\x97\xA5\r\n"), std::string::npos);
    EXPECT_EQ(opf.find("$$"), std::string::npos);
}

TEST_F(OpfWriterTest, ClockDateIsStoredInTheBook) {
    AddChapters(2);
    WriteContentOpf(book, ResourceCollectors{});
    EXPECT_EQ(book.metadata.date, TodayIsoDate());
    ASSERT_EQ(book.metadata.date.size(), 10u);
    EXPECT_EQ(book.metadata.date[4], '-');
    EXPECT_EQ(book.metadata.date[7], '-');
}

TEST_F(OpfWriterTest, ResourceListsAreGatheredFromTheOpsFolderAfterTheChapters) {
    AddChapters(2);
    WriteSource("style/main.css", "p{}");
    WriteSource("pic.gif", TinyGif());
    std::vector<std::string> asked;
    ResourceCollectors collect;
    collect.stylesheets = [&](const Book&, const std::string& folder) {
        asked.push_back("css " + folder);
        return std::vector<std::string>{"style/main.css"};
    };
    collect.images = [&](const Book&, const std::string& folder) {
        asked.push_back("img " + folder);
        return std::vector<std::string>{"pic.gif"};
    };
    WriteContentOpf(book, collect, "2026-01-02");

    EXPECT_EQ(asked, (std::vector<std::string>{"css " + book.folders.opsFolder,
                                               "img " + book.folders.opsFolder}));
    EXPECT_EQ(book.stylesheets, std::vector<std::string>{"style/main.css"});
    EXPECT_EQ(book.images, std::vector<std::string>{"pic.gif"});
    EXPECT_NE(Ops("content.opf")
                  .find(Item("n1", "b.htm") +
                        "\t\t<item id=\"css0\" href=\"style/main.css\" "
                        "media-type=\"text/css\" />\r\n\t<item id=\"img0\" href=\"pic.gif\" "
                        "media-type=\"image/gif\" />\r\n\t</manifest>"),
              std::string::npos);
}

TEST_F(OpfWriterTest, ChapterCopiesNameTheirPicturesAndStylesheets) {
    AddChapters(2);
    WriteOps("a.htm",
             "<link rel=\"stylesheet\" href=\"css/Book.CSS\"><img src=\"images/pic%201.png\">");
    WriteOps("b.htm", "<img src='images/missing.gif'><IMG SRC=\"Images/PIC%201.png\">");
    WriteSource("css/Book.css", "p{}");
    WriteSource("images/pic 1.png", TinyPng());
    WriteContentOpf(book);

    EXPECT_NE(
        Ops("content.opf")
            .find("\t\t<item id=\"css0\" href=\"css/Book.css\" media-type=\"text/css\" />\r\n"
                  "\t<item id=\"img0\" href=\"images/pic%201.png\" media-type=\"image/png\" />\r\n\t"
                  "</manifest>"),
        std::string::npos);
    EXPECT_EQ(Ops("images/pic 1.png"), TinyPng());
    EXPECT_EQ(book.log, "images/missing.gifdoes not exist\r\n");
    EXPECT_EQ(book.metadata.date, TodayIsoDate());
}

TEST_F(OpfWriterTest, WordProjectKeepsItsStylesheetList) {
    AddChapters(2);
    book.wordImport = true;
    book.stylesheets = {"style.css"};
    WriteSource("style.css", "p{}");
    ResourceCollectors collect;
    collect.stylesheets = [](const Book&, const std::string&) {
        return std::vector<std::string>{"other.css"};
    };
    WriteContentOpf(book, collect, "2026-01-02");
    EXPECT_EQ(book.stylesheets, std::vector<std::string>{"style.css"});
    EXPECT_NE(Ops("content.opf").find("href=\"style.css\""), std::string::npos);
}

TEST_F(OpfWriterTest, EmptyChapterListDoesNotCrash) {
    Write();
    EXPECT_NE(Ops("content.opf").find(StartRef("") + TocRef("#toc")), std::string::npos);
}

}  // namespace
}  // namespace quillery::testing
