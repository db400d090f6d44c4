// Reading a package and assembling the book's text: encodings, paths that stay inside the
// package, guide, chapter starts, page breaks, links, cover.

#include "mobi/book_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "mobi/book_pictures.h"
#include "mobi/package_paths.h"
#include "mobi/text_encoding.h"
#include "temp_dir.h"

namespace quillery::mobi {
namespace {

std::string Opf(const std::string& spine, const std::string& guide,
                const std::string& manifest = {}, const std::string& meta = {}) {
    return "<?xml version='1.0'?><package xmlns='http://www.idpf.org/2007/opf'><metadata "
           "xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:title>T</dc:title>" + meta +
           "</metadata><manifest>" + manifest +
           "<item id='a' href='a.html' media-type='application/xhtml+xml'/>"
           "<item id='b' href='b.html' media-type='application/xhtml+xml'/>"
           "<item id='t' href='toc.htm' media-type='application/xhtml+xml'/></manifest><spine>" +
           spine + "</spine><guide>" + guide + "</guide></package>";
}

struct Assembled {
    std::optional<BookText> book;
    Diagnostics diagnostics;
    const std::string& text() const { return book->text.bytes(); }
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

std::size_t GuideFilepos(const std::string& text, const std::string& reference) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(reference + " filepos=([0-9]{10}) />")))
        return std::string::npos;
    return std::stoul(match[1].str());
}

TEST(BookText, GuideLinksAndPageBreaksLandOnTheFirstElementOfTheirChapter) {
    quillery::testing::TempDir dir;
    dir.Write("a.html", "<body>\n\n  <h1>A</h1></body>");
    dir.Write("b.html", "<body><p>B <a href='a.html#nowhere'>x</a></p></body>");
    dir.Write("toc.htm", "<body><img src='c.jpg'></body>");
    const auto out = Assemble(dir, Opf("<itemref idref='a'/><itemref idref='b'/>",
                                       "<reference type='cover' href='toc.htm'/>"
                                       "<reference type='start' title='Start Page' href='a.html'/>"
                                       "<reference type='toc' title='Table of Contents' "
                                       "href='b.html'/><reference type='text' href='b.html'/>"));
    ASSERT_TRUE(out->book);
    const std::string& text = out->text();
    // "start" is written as "text"; the second "text" and a page outside the spine are left out.
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
    ASSERT_EQ(out->diagnostics.findings().size(), 1u);
    EXPECT_EQ(out->diagnostics.findings()[0].text,
              "link target \"a.html#nowhere\" (from \"b.html\") does not exist; the link leads to "
              "the start of its chapter");
}

TEST(BookText, AContentsPageNamedOnlyByTheGuideGoesAtTheEnd) {
    quillery::testing::TempDir dir;
    dir.Write("a.html", "<body><h1>A</h1></body>");
    dir.Write("b.html", "<body><h1>B</h1></body>");
    dir.Write("toc.htm", "<body><ol><li><a href='a.html'>A</a><li><a href='b.html'>B</a></ol>");
    const auto out = Assemble(dir, Opf("<itemref idref='a'/><itemref idref='b'/>",
                                       "<reference type='toc' title='Table of Contents' "
                                       "href='toc.htm'/>"));
    ASSERT_TRUE(out->book);
    EXPECT_EQ(out->book->chapters, (std::vector<std::string>{"a.html", "b.html", "toc.htm"}));
    const std::size_t contents = GuideFilepos(out->text(), "title=\"Table of Contents\"");
    ASSERT_NE(contents, std::string::npos);
    EXPECT_EQ(out->text().substr(contents, 8), "<ol><li>");
    EXPECT_GT(contents, out->text().find("<h1>B</h1>"));
    EXPECT_EQ(out->diagnostics.findings().size(), 0u);
}

TEST(OpfPackage, ReadsPackagesAndChaptersInTheWindowsCodePage) {
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // an overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
    quillery::testing::TempDir dir;
    dir.Write("w.opf", "\xEF\xBB\xBF<?xml version='1.0' encoding='windows-1252'?><package><metadata>"
                       "<dc:title xmlns:dc='http://purl.org/dc/elements/1.1/'>Caf\xE9 \x93"
                       "Book\x94</dc:title></metadata></package>");
    Diagnostics diagnostics;
    const auto package = ReadOpfPackage(dir.path() + "w.opf", diagnostics);
    ASSERT_TRUE(package.has_value());
    EXPECT_EQ(package->title, "Caf\xC3\xA9 \xE2\x80\x9C" "Book\xE2\x80\x9D");
    dir.Write("a.html", "<body><p>caf\xE9 \x93quoted\x94 \x80 5</p></body>");
    dir.Write("b.html", "<body><p>caf\xC3\xA9</p></body>");
    dir.Write("toc.htm", "<body></body>");
    const auto out = Assemble(dir, Opf("<itemref idref='a'/><itemref idref='b'/>", ""));
    ASSERT_TRUE(out->book);
    EXPECT_NE(out->text().find("<p>caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC 5</p>"),
              std::string::npos)
        << out->text();
    EXPECT_NE(out->text().find("<p>caf\xC3\xA9</p>"), std::string::npos);
    ASSERT_EQ(out->diagnostics.findings().size(), 1u);
    EXPECT_EQ(FormatFinding(out->diagnostics.findings()[0]),
              "Info(opf2mobi): chapter \"a.html\" is not UTF-8; it is read as Windows-1252");
}

TEST(PackagePaths, PathsAndSymbolicLinksMayNotLeadOutOfThePackage) {
    EXPECT_EQ(ResolveInPackage("text/", "./../images/a.png").value_or("?"), "images/a.png");
    for (const char* outside : {"../../etc/passwd", "/etc/passwd", "file:///etc/passwd"})
        EXPECT_FALSE(ResolveInPackage("text/", outside).has_value()) << outside;
    quillery::testing::TempDir dir;
    dir.Write("outside.txt", "secret");
    dir.Write("pkg/inside.txt", "fine");
    std::filesystem::create_symlink(dir.path() + "outside.txt", dir.path() + "pkg/escape.html");
    std::filesystem::create_symlink(dir.path() + "pkg/inside.txt", dir.path() + "pkg/alias.html");
    EXPECT_EQ(ReadPackageFile(dir.path() + "pkg/", "alias.html").value_or("?"), "fine");
    EXPECT_FALSE(ReadPackageFile(dir.path() + "pkg/", "escape.html").has_value());
    EXPECT_FALSE(IsReadablePackageFile(dir.path() + "pkg/", "escape.html"));
}

}  // namespace
}  // namespace quillery::mobi
