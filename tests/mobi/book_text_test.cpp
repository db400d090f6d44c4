// The book's text assembled from a package: guide, chapter starts, page breaks, links, cover.

#include "mobi/book_text.h"

#include <gtest/gtest.h>

#include <regex>

#include "mobi/book_pictures.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::mobi {
namespace {

std::string Opf(const std::string& manifest, const std::string& spine, const std::string& guide,
                const std::string& meta = {}) {
    return "<?xml version='1.0'?><package xmlns='http://www.idpf.org/2007/opf'><metadata "
           "xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:title>T</dc:title>" +
           meta + "</metadata><manifest>" + manifest + "</manifest><spine>" + spine +
           "</spine><guide>" + guide + "</guide></package>";
}

struct Assembled {
    std::optional<BookText> book;
    Diagnostics diagnostics;
};

std::unique_ptr<Assembled> Assemble(const quillery::testing::TempDir& dir, const std::string& opf) {
    auto out = std::make_unique<Assembled>();
    dir.Write("content.opf", opf);
    auto package = ReadOpfPackage(dir.path() + "content.opf", out->diagnostics);
    if (!package) return out;
    BookPictures pictures(*package, PictureFormat::Jpeg, out->diagnostics);
    out->book = AssembleBookText(*package, false, pictures, out->diagnostics);
    return out;
}

const char* kTwoChapters =
    "<item id='a' href='a.html' media-type='application/xhtml+xml'/>"
    "<item id='b' href='b.html' media-type='application/xhtml+xml'/>"
    "<item id='cp' href='cover.html' media-type='application/xhtml+xml'/>";

TEST(BookText, GuideNamesTheStartAsTextAndSkipsPagesOutsideTheSpine) {
    quillery::testing::TempDir dir;
    dir.Write("a.html", "<body>\n\n  <h1>A</h1></body>");
    dir.Write("b.html", "<body><p>B <a href='a.html#nowhere'>x</a></p></body>");
    dir.Write("cover.html", "<body><img src='c.jpg'></body>");
    const auto out =
        Assemble(dir, Opf(kTwoChapters, "<itemref idref='a'/><itemref idref='b'/>",
                          "<reference type='cover' href='cover.html'/>"
                          "<reference type='start' title='Start Page' href='a.html'/>"
                          "<reference type='toc'  title='Table of Contents' href='b.html'/>"
                          "<reference type='text' href='b.html'/>"));
    ASSERT_TRUE(out->book);
    const std::string& text = out->book->text.bytes();
    const std::regex guide(
        "^<html><head><guide><reference type=\"text\" title=\"Start Page\" filepos=([0-9]{10}) />"
        "<reference type=\"toc\" title=\"Table of Contents\" filepos=([0-9]{10}) "
        "/></guide></head>");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, guide)) << text;
    const std::size_t start = std::stoul(match[1].str());
    const std::size_t contents = std::stoul(match[2].str());
    // The chapter starts at its first element, not at the white space before it.
    EXPECT_EQ(text.substr(start - 3, 13), "\n  <h1>A</h1>");
    EXPECT_EQ(text.substr(start + 10, 16), "<mbp:pagebreak/>");
    EXPECT_EQ(text.substr(contents - 16, 22), "<mbp:pagebreak/><p>B <");
    // A missing fragment is reported and the link leads to its chapter.
    EXPECT_NE(text.find("<a filepos=" + match[1].str() + ">x</a>"), std::string::npos);
    ASSERT_EQ(out->diagnostics.Count(Severity::Warning), 1);
    EXPECT_EQ(out->diagnostics.findings()[0].text,
              "link target \"a.html#nowhere\" (from \"b.html\") does not exist; the link leads to "
              "the start of its chapter");
}

TEST(BookText, AContentsPageNamedOnlyByTheGuideGoesAtTheEnd) {
    quillery::testing::TempDir dir;
    dir.Write("a.html", "<body><h1>A</h1></body>");
    dir.Write("b.html", "<body><h1>B</h1></body>");
    dir.Write("toc.htm",
              "<body><ol><li><a href='a.html'>A</a><li><a href='b.html'>B</a></ol></body>");
    dir.Write("cover.html", "<body></body>");
    const std::string manifest = std::string(kTwoChapters) +
                                 "<item id='t' href='toc.htm' media-type='application/xhtml+xml'/>";
    const auto out =
        Assemble(dir, Opf(manifest, "<itemref idref='a'/><itemref idref='b'/>",
                          "<reference type='toc'  title='Table of Contents' href='toc.htm'/>"));
    ASSERT_TRUE(out->book);
    EXPECT_EQ(out->book->chapters, (std::vector<std::string>{"a.html", "b.html", "toc.htm"}));
    const std::string& text = out->book->text.bytes();
    const std::regex guide(
        "<reference type=\"toc\" title=\"Table of Contents\" filepos=([0-9]{10}) />");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, guide)) << text;
    EXPECT_EQ(text.substr(std::stoul(match[1].str()), 8), "<ol><li>");
    EXPECT_GT(std::stoul(match[1].str()), text.find("<h1>B</h1>"));
    EXPECT_EQ(out->diagnostics.findings().size(), 0u);
}

TEST(BookText, UnreadableChaptersAreLeftOutWithAWarningAndNoneIsAnError) {
    quillery::testing::TempDir dir;
    dir.Write("b.html", "<p>B</p>");
    const auto some =
        Assemble(dir, Opf(kTwoChapters, "<itemref idref='a'/><itemref idref='b'/>", ""));
    ASSERT_TRUE(some->book);
    EXPECT_EQ(some->book->chapters, std::vector<std::string>{"b.html"});
    EXPECT_EQ(some->diagnostics.findings()[0].text,
              "file \"a.html\" named by the manifest does not exist; it is left out");
    const auto none = Assemble(dir, Opf(kTwoChapters, "<itemref idref='a'/>", ""));
    EXPECT_FALSE(none->book);
    EXPECT_TRUE(none->diagnostics.HasErrors());
}

TEST(BookText, ChaptersInTheWindowsCodePageAreReadAsSuch) {
    quillery::testing::TempDir dir;
    dir.Write("a.html", "<body><p>caf\xE9 \x93quoted\x94 \x80 5</p></body>");
    dir.Write("b.html", "<body><p>caf\xC3\xA9</p></body>");
    dir.Write("cover.html", "<body></body>");
    const auto out =
        Assemble(dir, Opf(kTwoChapters, "<itemref idref='a'/><itemref idref='b'/>", ""));
    ASSERT_TRUE(out->book);
    const std::string& text = out->book->text.bytes();
    EXPECT_NE(text.find("<p>caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC 5</p>"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<p>caf\xC3\xA9</p>"), std::string::npos);
    ASSERT_EQ(out->diagnostics.findings().size(), 1u);
    EXPECT_EQ(FormatFinding(out->diagnostics.findings()[0]),
              "Info(opf2mobi): chapter \"a.html\" is not UTF-8; it is read as Windows-1252");
}

TEST(BookPictures, FindsTheCoverByMetaThenIdThenCoverPage) {
    quillery::testing::TempDir dir;
    Diagnostics diagnostics;
    dir.Write("pages/cover.html", "<body><p><IMG SRC='../pics/front.jpg'></p></body>");
    const auto find = [&](const std::string& opf) {
        auto package = ParseOpfPackage(opf, diagnostics);
        package->folder = dir.path();
        return BookPictures::FindCoverPath(*package);
    };
    const std::string pictures =
        "<item id='p1' href='pics/one.jpg' media-type='image/jpeg'/>"
        "<item id='myCoverImage' href='pics/two.jpg' media-type='image/jpeg'/>"
        "<item id='coverPic' href='pics/three.jpg' media-type='image/jpeg'/>";
    EXPECT_EQ(find(Opf(pictures, "", "", "<meta name='cover' content='p1'/>")), "pics/one.jpg");
    EXPECT_EQ(find(Opf(pictures, "", "")), "pics/three.jpg");
    EXPECT_EQ(find(Opf("<item id='x' href='a.jpg' media-type='image/jpeg'/>"
                       "<item id='front-cover' href='b.png' media-type='image/png'/>",
                       "", "")),
              "b.png");
    EXPECT_EQ(find(Opf("<item id='x' href='a.jpg' media-type='image/jpeg'/>", "",
                       "<reference type='cover' href='pages/cover.html'/>")),
              "pics/front.jpg");
    EXPECT_EQ(find(Opf("<item id='x' href='a.jpg' media-type='image/jpeg'/>", "", "")), "");
}

}  // namespace
}  // namespace quillery::mobi
