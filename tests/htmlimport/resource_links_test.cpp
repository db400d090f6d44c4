// The resource collectors and the cross-file anchor link repair.

#include "htmlimport/resource_links.h"

#include <gtest/gtest.h>

#include "chapters.h"

namespace quillery {
namespace {

using Paths = std::vector<std::string>;

// The references a page's collector finds, in order of first appearance.
Paths Collected(bool stylesheets, std::initializer_list<std::string_view> pages) {
    Paths list;
    for (std::string_view page : pages)
        stylesheets ? CollectPageStylesheets(page, list) : CollectPageImages(page, list);
    return list;
}

TEST(Collectors, ImagesAndStylesheetsOfOneChapter) {
    const struct {
        bool stylesheets;
        std::string page;
        Paths found;
    } cases[] = {
        {false, "<img src=\"pics/My%20Photo.jpg\">", {"pics/My Photo.jpg"}},
        {false, "<IMG SRC='a.gif'>", {"a.gif"}},
        {false, "<img alt=\"x\" src=\"Fish &amp; Chips.png\" />", {"Fish & Chips.png"}},
        {false, "<img src=\" pics\\b.png \">", {"pics\\b.png"}},
        {false, "<img src=a.gif><img src=\"\"><img alt=\"no source\">", {"a.gif"}},
        // Every %XX decoded, after the fragment and query are split off.
        {false,
         "<img src=\"%C3%A9t%C3%A9%2Bn%25.png#x\"><img src=\"a%23b.png?v=2\">",
         {"\xC3\xA9t\xC3\xA9+n%.png", "a#b.png"}},
        {false,
         "<img data-src=\"lazy.png\" src=\"real.png\"><img data-src=\"only.png\">",
         {"real.png"}},
        {false, "<img src=\"%2E%2E/x.png\"><img src=\"%2Fetc/x.png\"><img src=\"C%3A/x\">", {}},
        {false, "<img src=\"a.gif>", {}},
        {false, "<img src=\"http://example.com/a.gif\"><img src=\"https://x/b.gif\">", {}},
        {false, "<img src=\"C:\\x.png\"><img src=\"/etc/x.png\">", {}},
        {false, "<img src=\"../x.png\"><img src=\"a/../../z.png\"><img src=\"file:///x\">", {}},
        {false, "<img src=\" /etc/x.png\"><img src=\"%20/etc/y.png\">", {}},
        {true, "<link rel=\"stylesheet\" href=\"css/Main.CSS\">", {"css/Main.CSS"}},
        {true, "<LINK REL=stylesheet HREF=plain.css>", {"plain.css"}},
        {true, "<link href='x.css' rel='stylesheet'/><link href=\"X.CSS\">", {"x.css", "X.CSS"}},
        {true, "<link data-href=\"no.css\" href=\"s%20t.css?v=1\">", {"s t.css"}},
        {true, "<link rel=\"icon\" href=\"fav.ico\"><link rel=\"stylesheet\">", {}},
        {true, "<link href=\"http://cdn/x.css\"><link href=\"../up.css\">", {}},
        // A ".css" that belongs to another attribute would give a value holding markup.
        {true, "<link href=\"next.htm\" title=\"a.css\">", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Collected(c.stylesheets, {c.page}), c.found) << c.page;
}

// Names differing only in case are different files on Linux: both are kept.
TEST(Collectors, EachImageOnceNamesInAnyCaseKept) {
    const std::string_view first = "<img src=\"Img/A.JPG\"><img src='b.png'>";
    const std::string_view second = "<img src=\"img/a.jpg\"><img src=\"c.gif\"><img src=\"B.PNG\">";
    EXPECT_EQ(Collected(false, {first, second}),
              (Paths{"Img/A.JPG", "b.png", "img/a.jpg", "c.gif", "B.PNG"}));
    EXPECT_EQ(Collected(false, {second, second}), (Paths{"img/a.jpg", "c.gif", "B.PNG"}));
}

TEST(RepairAnchorLinks, LinksToAnchorsOfAnyPartNameThatFile) {
    Book book;
    // Names in any case, unquoted and twice; only names inside the body count, and "<BODY>" is
    // not a body. A link's own case must match.
    const Paths contents = {
        "<head><meta name=\"x\"></head><body><a name=\"n5\"></a><A NAME=top></A>"
        "<a name=\"top\"></a><a href=\"#n5\">self</a></body>",
        "<body><a href=\"#n5\">1</a><a href=\"#top\">2</a><a href=\"#TOP\">3</a>"
        "<a href=\"#top\">4</a><a href=\"#x\">5</a><a href=\"#z\">6</a></body>",
        "<BODY><a name=\"z\"></a></BODY>"};
    book.chapters = testing::ChaptersOf({"a.htm", "b.htm", "c.htm"});
    for (std::size_t i = 0; i < contents.size(); ++i) book.chapters[i].content = contents[i];
    Paths repaired = contents;
    repaired[0].replace(repaired[0].find("#n5"), 3, "a.htm#n5");
    repaired[1] =
        "<body><a href=\"a.htm#n5\">1</a><a href=\"a.htm#top\">2</a><a href=\"#TOP\">3</a>"
        "<a href=\"a.htm#top\">4</a><a href=\"#x\">5</a><a href=\"#z\">6</a></body>";
    RepairAnchorLinks(book);
    for (std::size_t i = 0; i < repaired.size(); ++i)
        EXPECT_EQ(book.chapters[i].content, repaired[i]) << i;
}

}  // namespace
}  // namespace quillery
