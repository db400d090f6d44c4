// "Remove HTML Elements": each kind of element, and what stays.

#include "htmlimport/element_removal.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

// Removal of the named kinds only, e.g. Kinds("media links").
RemoveElementOptions Kinds(std::string_view names) {
    const auto has = [names](std::string_view kind) { return names.find(kind) != names.npos; };
    return {true, has("scripts"), has("media"), has("forms"), has("images"), has("links")};
}

TEST(RemoveHtmlElements, EachKind) {
    const auto all = Kinds("scripts media forms images links");
    const std::string mixed =
        "<p>One <a href=\"two.htm\">next <b>page</b></a><img src=\"p.jpg\"/></p>"
        "<script>x()</script><video>v</video><form><p>Name <input/></p></form>";
    // An empty expectation: the page must come back unchanged.
    const struct {
        const char* what;
        RemoveElementOptions options;
        std::string in, out;
    } cases[] = {
        {"scripts go with their content", Kinds("scripts"),
         "<head><script src=\"a.js\"></script></head><p>a</p><script>if (a<b) w(\"</p>\");</script>"
         "<SCRIPT>w(\"<img src='x.gif'>\");</SCRIPT><noscript>No <b>script</b></noscript>",
         "<head></head><p>a</p>No <b>script</b>"},
        {"media goes, its fallback text stays", Kinds("media"),
         "<p>a</p><video controls><source src=\"v.mp4\"/>Fallback</video><p>x<embed src=\"f.swf\">y"
         "</p><AUDIO SRC=\"s.mp3\"></AUDIO><iframe src=\"i.htm\">no frames</iframe>",
         "<p>a</p>Fallback<p>xy</p>no frames"},
        {"nested objects lose their tags", Kinds("media"),
         "<object><object data=\"m2\"><param name=\"p\"/><embed src=\"e\"></object><p>old</p>"
         "</object><p>b</p>",
         "<p>old</p><p>b</p>"},
        {"unclosed media loses only its tag; stray end tags go", Kinds("media"),
         "<p>a<video src=\"v.mp4\">b</p><p>c</iframe>d</p>", "<p>ab</p><p>cd</p>"},
        {"complete element inside an unclosed one", Kinds("media"),
         "<object><p>x</p><video>v</video>y", "<p>x</p>vy"},
        {"forms keep their other content", Kinds("forms"),
         "<form action=\"x.cgi\"><p>Name <input type=\"text\" name=\"n\"/></p><select name=\"s\">"
         "<option>1</option></select><textarea>t <b>x</b></textarea><button>Go</button></form>",
         "<p>Name </p>"},
        {"images go", Kinds("images"), "<p><img src=\"a.gif\" alt=\"x\"/>Text<IMG SRC=b.gif></p>",
         "<p>Text</p>"},
        {"links lose their tags but keep their text", Kinds("links"),
         "<p><a href=\"x.htm\">the <b>next</b> page</a>, <a name=\"n1\">anchor</a>, "
         "<A HREF=\"#z\" ID=\"i\">both</A>.</p>",
         "<p>the <b>next</b> page, <a name=\"n1\">anchor</a>, <A ID=\"i\">both</A>.</p>"},
        {"other tags beginning with a", Kinds("links"),
         "<abbr title=\"a href=x\">A</abbr><address>y</address><area href=\"m\"/>", ""},
        {"comments and raw text are not markup", Kinds("images"),
         "<!-- <img src=\"c.gif\"> --><style>/* <img> */</style><p>x</p>", ""},
        {"markup in kept script text", Kinds("media"), "<script>var s = \"<video>\";</script>", ""},
        {"nothing of the kinds", all,
         "<head><title>T</title></head><h1 class=\"c\">One</h1><p>A &amp; B<br/></p>", ""},
        {"no kind chosen", Kinds(""), mixed, ""},
        {"disabled", {false, true, true, true, true, true}, mixed, ""},
        {"all kinds together", all, mixed, "<p>One next <b>page</b></p>v<p>Name </p>"},
    };
    for (const auto& c : cases) {
        std::string html = c.in;
        RemoveHtmlElements(html, c.options);
        EXPECT_EQ(html, c.out.empty() ? c.in : c.out) << c.what;
    }
}

}  // namespace
}  // namespace quillery
