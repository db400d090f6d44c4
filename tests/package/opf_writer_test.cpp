// The package document content.opf: metadata, chapter manifest items, spine references and
// guide references.

#include "package/opf_writer.h"

#include <tuple>

#include "chapters.h"
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

// A template of placeholders and sections only: what the writer adds is what the tests compare.
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

// With the installed template: the whole document, golden.
TEST_F(PackageTest, WholeDocumentWithCoverTitleAndContentsPages) {
    UseInstalledTemplates();
    AddChapters(2);
    book.coverPath = dir.path() + "pics/cover.png";
    book.options.generateTitlePage = true;
    book.tocFileName = "toc.htm";
    book.tocPosition = 2;
    book.metadata.title = "Caf\xC3\xA9 \xE6\x97\xA5";  // bytes pass unchanged, every occurrence
    book.metadata.subject = "Fiction";
    WriteContentOpf(book, ResourceCollectors{}, "2026-12-06");
    EXPECT_TRUE(MatchesGolden(Ops("content.opf"), "whole_book.content.opf"));
    EXPECT_EQ(book.metadata.date, "2026-12-06");
    book.coverPath.clear();  // the title page alone serves as the cover
    EXPECT_EQ(GuideCoverReference(book),
              "\t<reference href=\"titlepage.htm\" type=\"cover\" title=\"Cover\"/>\r\n\t");
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
