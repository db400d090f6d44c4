#include "htmlimport/element_removal.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

RemoveElementOptions Only(bool scripts, bool media, bool forms, bool images, bool links) {
    RemoveElementOptions o;
    o.enabled = true;
    o.scripts = scripts;
    o.media = media;
    o.forms = forms;
    o.images = images;
    o.links = links;
    return o;
}

const RemoveElementOptions kScripts = Only(true, false, false, false, false);
const RemoveElementOptions kMedia = Only(false, true, false, false, false);
const RemoveElementOptions kForms = Only(false, false, true, false, false);
const RemoveElementOptions kImages = Only(false, false, false, true, false);
const RemoveElementOptions kLinks = Only(false, false, false, false, true);
const RemoveElementOptions kAll = Only(true, true, true, true, true);

std::string Removed(std::string html, const RemoveElementOptions& options) {
    RemoveHtmlElements(html, options);
    return html;
}

// A chapter page that holds every kind of markup the options remove.
const std::string kPage =
    "<html><head><title>T</title><script src=\"a.js\"></script>"
    "<style>p{color:red}</style></head><body>\n"
    "<p>One <a href=\"two.htm\">next <b>page</b></a> <a name=\"n1\">here</a>.</p>\n"
    "<script type=\"text/javascript\">if (a<b) document.write(\"</p><img "
    "src='x.gif'>\");</script>\n"
    "<noscript><p>No JS</p></noscript>\n"
    "<p><img src=\"pic.jpg\" alt=\"P\"/>Caption</p>\n"
    "<video controls><source src=\"v.mp4\"/>Fallback</video>\n"
    "<form action=\"x.cgi\"><p>Name <input type=\"text\" name=\"n\"/></p>"
    "<select name=\"s\"><option>1</option></select><textarea>t <b>x</b></textarea>"
    "<button>Go</button></form>\n"
    "</body></html>";

TEST(RemoveHtmlElements, ScriptsGoWithTheirContent) {
    EXPECT_EQ(Removed(kPage, kScripts),
              "<html><head><title>T</title>"
              "<style>p{color:red}</style></head><body>\n"
              "<p>One <a href=\"two.htm\">next <b>page</b></a> <a name=\"n1\">here</a>.</p>\n"
              "\n"
              "\n"
              "<p><img src=\"pic.jpg\" alt=\"P\"/>Caption</p>\n"
              "<video controls><source src=\"v.mp4\"/>Fallback</video>\n"
              "<form action=\"x.cgi\"><p>Name <input type=\"text\" name=\"n\"/></p>"
              "<select name=\"s\"><option>1</option></select><textarea>t <b>x</b></textarea>"
              "<button>Go</button></form>\n"
              "</body></html>");
}

TEST(RemoveHtmlElements, MediaGoesWithItsContent) {
    EXPECT_EQ(
        Removed("<p>a</p><video controls><source src=\"v.mp4\"/>Fallback</video><p>b</p>", kMedia),
        "<p>a</p><p>b</p>");
    EXPECT_EQ(Removed("<p>x<embed src=\"f.swf\">y</p><AUDIO SRC=\"s.mp3\"></AUDIO>"
                      "<iframe src=\"i.htm\">no frames</iframe>",
                      kMedia),
              "<p>xy</p>");
}

TEST(RemoveHtmlElements, NestedObjectsGoAsOne) {
    EXPECT_EQ(Removed("<p>a</p><object data=\"m.swf\"><object data=\"m2.swf\"><embed src=\"e\">"
                      "</object><p>old</p></object><p>b</p>",
                      kMedia),
              "<p>a</p><p>b</p>");
}

TEST(RemoveHtmlElements, UnclosedMediaLosesOnlyItsTagAndStrayEndTagsGo) {
    EXPECT_EQ(Removed("<p>a<video src=\"v.mp4\">b</p>", kMedia), "<p>ab</p>");
    EXPECT_EQ(Removed("<p>a</iframe>b</p>", kMedia), "<p>ab</p>");
    // A complete element inside an unclosed one still goes whole.
    EXPECT_EQ(Removed("<object><p>x</p><video>v</video>y", kMedia), "<p>x</p>y");
}

TEST(RemoveHtmlElements, FormsKeepTheFormsOtherContent) {
    EXPECT_EQ(
        Removed("<form action=\"x.cgi\"><p>Name <input type=\"text\" name=\"n\"/></p>"
                "<select name=\"s\"><option>1</option></select><textarea>t <b>x</b></textarea>"
                "<button type=\"submit\">Go</button></form>",
                kForms),
        "<p>Name </p>");
}

TEST(RemoveHtmlElements, ImagesGo) {
    EXPECT_EQ(Removed("<p><img src=\"a.gif\" alt=\"x\"/>Text<IMG SRC=b.gif></p>", kImages),
              "<p>Text</p>");
}

TEST(RemoveHtmlElements, LinksLoseTheirTagsButKeepTheirText) {
    EXPECT_EQ(Removed("<p>See <a href=\"x.htm\">the <b>next</b> page</a>, "
                      "<a name=\"n1\">anchor</a>, <A HREF=\"#z\" ID=\"i\">both</A>.</p>",
                      kLinks),
              "<p>See the <b>next</b> page, <a name=\"n1\">anchor</a>, <A ID=\"i\">both</A>.</p>");
}

TEST(RemoveHtmlElements, LinksLeaveOtherTagsBeginningWithA) {
    const std::string page =
        "<abbr title=\"a href=x\">A</abbr><address>y</address><area href=\"m\"/>";
    EXPECT_EQ(Removed(page, kLinks), page);
}

TEST(RemoveHtmlElements, EachKindLeavesTheOthersUntouched) {
    const std::string plain =
        "<html><head><title>T</title></head><body>\n"
        "<h1 class=\"c\">One</h1><p>Text &amp; more<br/></p></body></html>";
    EXPECT_EQ(Removed(plain, kAll), plain);
    EXPECT_EQ(Removed(kPage, Only(false, false, false, false, false)), kPage);
}

TEST(RemoveHtmlElements, DisabledChangesNothing) {
    RemoveElementOptions off = kAll;
    off.enabled = false;
    EXPECT_EQ(Removed(kPage, off), kPage);
}

TEST(RemoveHtmlElements, CommentsAndRawTextAreNotMarkup) {
    // An img inside a comment or a style element is not an image of the page.
    const std::string page = "<!-- <img src=\"c.gif\"> --><style>/* <img> */</style><p>x</p>";
    EXPECT_EQ(Removed(page, kImages), page);
    // With scripts kept, markup-like text inside a script is left alone.
    const std::string script = "<script>var s = \"<video>\";</script><p>x</p>";
    EXPECT_EQ(Removed(script, kMedia), script);
}

TEST(RemoveHtmlElements, AllKindsTogether) {
    EXPECT_EQ(Removed(kPage, kAll),
              "<html><head><title>T</title>"
              "<style>p{color:red}</style></head><body>\n"
              "<p>One next <b>page</b> <a name=\"n1\">here</a>.</p>\n"
              "\n"
              "\n"
              "<p>Caption</p>\n"
              "\n"
              "<p>Name </p>\n"
              "</body></html>");
}

}  // namespace
}  // namespace quillery
