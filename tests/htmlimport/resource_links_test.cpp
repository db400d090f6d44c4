#include "htmlimport/resource_links.h"

#include <gtest/gtest.h>

#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery {
namespace {

using testing::TempDir;
using Paths = std::vector<std::string>;

class Collectors : public ::testing::Test {
protected:
    TempDir dir;

    Paths Images(const std::string& page) {
        dir.Write("c.htm", page);
        return CollectImages(dir.path(), {"c.htm"});
    }
    Paths Stylesheets(const std::string& page) {
        dir.Write("c.htm", page);
        return CollectStylesheets(dir.path(), {"c.htm"});
    }
};

TEST_F(Collectors, QuotedLocalImagesAreTaken) {
    EXPECT_EQ(Images("<img src=\"pics/My%20Photo.jpg\">"), Paths{"pics/My Photo.jpg"});
    EXPECT_EQ(Images("<IMG SRC='a.gif'>"), Paths{"a.gif"});
    EXPECT_EQ(Images("<img alt=\"x\" src=\"Fish &amp; Chips.png\" />"), Paths{"Fish & Chips.png"});
    EXPECT_EQ(Images("<img src=\" pics\\b.png \">"), Paths{"pics/b.png"});
}

TEST_F(Collectors, UnquotedEmptyAndUnclosedValuesAreSkipped) {
    EXPECT_EQ(Images("<img src=a.gif>"), Paths{});
    EXPECT_EQ(Images("<img src=\"\">"), Paths{});
    EXPECT_EQ(Images("<img src=\"a.gif>"), Paths{});
    EXPECT_EQ(Images("<img alt=\"no source\">"), Paths{});
}

TEST_F(Collectors, RemoteAbsoluteAndOutsideReferencesAreSkipped) {
    EXPECT_EQ(Images("<img src=\"http://example.com/a.gif\"><img src=\"https://x/b.gif\">"),
              Paths{});
    EXPECT_EQ(Images("<img src=\"C:\\x.png\"><img src=\"/etc/x.png\">"), Paths{});
    EXPECT_EQ(Images("<img src=\"../x.png\"><img src=\"..\\y.png\"><img src=\"a/../../z.png\">"),
              Paths{});
}

TEST_F(Collectors, EachImageOnceInTheFormOfItsFirstAppearance) {
    dir.Write("1.htm", "<img src=\"Img/A.JPG\"><img src='b.png'>");
    dir.Write("2.htm", "<img src=\"img/a.jpg\"><img src=\"c.gif\"><img src=\"B.PNG\">");
    EXPECT_EQ(CollectImages(dir.path(), {"1.htm", "missing.htm", "2.htm"}),
              (Paths{"Img/A.JPG", "b.png", "c.gif"}));
    EXPECT_EQ(CollectImages(dir.path(), {"2.htm", "1.htm"}),
              (Paths{"img/a.jpg", "c.gif", "B.PNG"}));
}

TEST_F(Collectors, TheChapterTextIsNotChanged) {
    const std::string page = "<img src=\"pics/My%20Photo.jpg\"><link href=\"A.CSS\">";
    dir.Write("c.htm", page);
    EXPECT_EQ(CollectImages(dir.path(), {"c.htm"}), Paths{"pics/My Photo.jpg"});
    EXPECT_EQ(CollectStylesheets(dir.path(), {"c.htm"}), Paths{"A.css"});
    EXPECT_EQ(ReadTextFile(dir.path() + "c.htm"), page);
}

TEST_F(Collectors, AbsolutePathsHiddenBehindBlanksAreSkipped) {
    EXPECT_EQ(Images("<img src=\" /etc/x.png\"><img src=\"%20/etc/y.png\">"), Paths{});
}

TEST_F(Collectors, StylesheetsEndInLowerCaseCss) {
    EXPECT_EQ(Stylesheets("<link rel=\"stylesheet\" href=\"css/Main.CSS\">"),
              Paths{"css/Main.css"});
    EXPECT_EQ(Stylesheets("<LINK REL=stylesheet HREF=plain.css>"), Paths{"plain.css"});
    EXPECT_EQ(Stylesheets("<link href='x.css' rel='stylesheet'/><link href=\"X.CSS\">"),
              Paths{"x.css"});
}

TEST_F(Collectors, StylesheetsNeedHrefAndCss) {
    EXPECT_EQ(Stylesheets("<link rel=\"icon\" href=\"fav.ico\">"), Paths{});
    EXPECT_EQ(Stylesheets("<link rel=\"stylesheet\" type=\"text/css\">"), Paths{});
    EXPECT_EQ(Stylesheets("<link href=\"http://cdn/x.css\"><link href=\"../up.css\">"), Paths{});
    // A ".css" that belongs to another attribute would give a value holding markup.
    EXPECT_EQ(Stylesheets("<link href=\"next.htm\" title=\"a.css\">"), Paths{});
}

TEST(RepairAnchorLinks, LinkToAnAnchorOfAnotherPartNamesThatFile) {
    Book book;
    book.files = {"part1.htm", "part2.htm"};
    book.contents = {
        "<html><body><a name=\"n5\"></a><p>x</p><a href=\"#n5\">self</a></body></html>",
        "<html><body><p>See <a href=\"#n5\">there</a></p></body></html>"};
    RepairAnchorLinks(book);
    EXPECT_EQ(
        book.contents[0],
        "<html><body><a name=\"n5\"></a><p>x</p><a href=\"part1.htm#n5\">self</a></body></html>");
    EXPECT_EQ(book.contents[1],
              "<html><body><p>See <a href=\"part1.htm#n5\">there</a></p></body></html>");
}

TEST(RepairAnchorLinks, NamesAnyCaseUnquotedAndRepeated) {
    Book book;
    book.files = {"s_1.htm", "s_2.htm"};
    book.contents = {
        "<body><A NAME=top></A><a name=\"top\"></a></body>",
        "<body><a href=\"#top\">1</a><a href=\"#TOP\">2</a><a href=\"#top\">3</a></body>"};
    RepairAnchorLinks(book);
    EXPECT_EQ(book.contents[1],
              "<body><a href=\"s_1.htm#top\">1</a><a href=\"#TOP\">2</a><a "
              "href=\"s_1.htm#top\">3</a></body>");
}

TEST(RepairAnchorLinks, OnlyNamesInsideTheBodyCount) {
    Book book;
    book.files = {"a.htm", "b.htm", "c.htm"};
    book.contents = {"<head><meta name=\"x\"></head><body><a name=\"y\"></a></body>",
                     "<body><a href=\"#x\">x</a><a href=\"#y\">y</a><a href=\"#z\">z</a></body>",
                     "<BODY><a name=\"z\"></a></BODY>"};  // "<BODY>" is not a body
    RepairAnchorLinks(book);
    EXPECT_EQ(book.contents[1],
              "<body><a href=\"#x\">x</a><a href=\"a.htm#y\">y</a><a href=\"#z\">z</a></body>");
}

}  // namespace
}  // namespace quillery
