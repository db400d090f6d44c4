// The text passes of the HTML import: title text, element cleaning and element removal.
#include <gtest/gtest.h>

#include "htmlimport/chapter_titles.h"
#include "htmlimport/element_cleaner.h"
#include "htmlimport/element_removal.h"

namespace quillery {
namespace {

// One input of a text pass and the text the pass must give for it.
struct TextCase {
    std::string (*pass)(std::string_view);
    std::string in, out;
};

template <void (*Pass)(std::string&)>
std::string InPlace(std::string_view s) {
    std::string html(s);
    Pass(html);
    return html;
}
std::string Lowered(std::string_view s) { return ConvertTagCase(s, true); }
std::string Raised(std::string_view s) { return ConvertTagCase(s, false); }

TEST(TitleText, FileNamesTagsPageTitlesHeadingsAndDisplay) {
    const std::string head = "<html><head>" + std::string(230, ' ');  // "</title>" at byte 250
    const std::string longHead = "<html><head>" + std::string(240, ' ');
    const TextCase cases[] = {
        {FileNameTitle, "chapter.01.html", "chapter"},
        {FileNameTitle, "README", ""},
        {FileNameTitle, ".htm", ""},
        {StripTags, "a > b <i>c</i>", "a  b c"},
        {StripTags, "a > b", "a > b"},  // no "<": unchanged
        {StripTags, "kept<b unterminated", "kept"},
        {HtmlTitleOf, "<html><head><title> A &amp; B </title></head>", " A &amp; B "},
        {HtmlTitleOf, "<HTML><HEAD><TITLE>Upper</TITLE>", "Upper"},
        {HtmlTitleOf, "<html><head><Title>Mixed</Title>", ""},
        {HtmlTitleOf, "<title>never closed", ""},
        {HtmlTitleOf, head + "<title>x</title>", "x"},
        {HtmlTitleOf, longHead + "<title>Late</title>", ""},  // only the first 255 bytes count
        {FirstHeadingTitleOf, "<h2 class=x>Chapter&nbsp;<b>One</b></h2>", "Chapter One"},
        {FirstHeadingTitleOf, "<h1> </h1><h2>Real</h2>", "Real"},
        {FirstHeadingTitleOf, "<H1>Title</h1>", "Title"},
        {FirstHeadingTitleOf, "<h1>Two\r\nlines</h1>", "Two\r lines"},
        {FirstHeadingTitleOf, "<h4>Deep</h4>", ""},
        {FirstHeadingTitleOf, "<h1>A</h2><h2>B</h2>", "B"},
        {FirstHeadingTitleOf, "<h1> </h1><h3>&nbsp;&nbsp;</h3>", "  "},  // all blank: the last
        {TitleDisplayText, "Caf\xC3\xA9", "Caf\xC3\xA9"},
        {TitleDisplayText, "A &amp; B", "A & B"},
        {TitleDisplayText, "\xF0\x9F\x93\x96 Book", "\xF0\x9F\x93\x96 Book"},
        // Invalid UTF-8 gives an empty cell: Latin-1, overlong, surrogate, cut short, too high.
        {TitleDisplayText, "Caf\xE9", ""},
        {TitleDisplayText, "\xC0\xAF", ""},
        {TitleDisplayText, "\xED\xA0\x80", ""},
        {TitleDisplayText, "\xE2\x82", ""},
        {TitleDisplayText, "\xF4\x90\x80\x80", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(c.pass(c.in), c.out) << ::testing::PrintToString(c.in);
}

TEST(ElementCleaner, EveryPass) {
    const TextCase cases[] = {
        {InPlace<NormaliseChapterMarkup>, "<P CLASS=Body>Text</P>", "<p class=\"Body\">Text</p>"},
        {InPlace<NormaliseChapterMarkup>, "<A HREF='X.HTM' Title=\"Go ON\">Next PAGE</A>",
         "<a href='X.HTM' title=\"Go ON\">Next PAGE</a>"},
        // A lowered "<!doctype html public" is no XML any more: an XHTML chapter must stay one.
        {InPlace<NormaliseChapterMarkup>,
         "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"x.dtd\">\n"
         "<HTML><!-- KEEP Me --><P CLASS=A>T</P></HTML>",
         "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"x.dtd\">\n"
         "<html><!-- KEEP Me --><p class=\"A\">T</p></html>"},
        {InPlace<QuoteAttributeValues>,
         "<td width=100 align=left>x=5 apples<img src=a.gif/><hr size=2/>",
         "<td width=\"100\" align=\"left\">x=\"5\" apples<img src=\"a.gif/\"><hr size=\"2/\">"},
        {InPlace<QuoteAttributeValues>, "<td width=50% bgcolor=#fff>",
         "<td width=50% bgcolor=#fff>"},
        {Raised, "<p class=\"x\" id='y'>Hi</p>", "<P CLASS=\"x\" ID='y'>Hi</P>"},
        {Lowered, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">",
         "<!doctype html public \"-//W3C//DTD HTML 4.01//EN\">"},
        // A ">" inside a value ends the tag, so the rest is text and keeps its case.
        {Lowered, "<A TITLE=\"it's\" X=\"a>B\" C>", "<a title=\"it's\" x=\"a>B\" C>"},
        {Lowered, "<P TITLE=\xC3\x89T\xC3\xA9>\xC3\x89</P>",
         "<p title=\xC3\x89t\xC3\xA9>\xC3\x89</p>"},
        {CleanEmptyElements, "a<span class=x></span>b<P></P>c", "abc"},
        {CleanEmptyElements, "<div></div>", "<div></div>"},
        {CleanEmptyElements, "<bx></b>", "<bx></b>"},  // "<bx>" is not a b element
        {CleanEmptyElements, "<span> </span>", "<span> </span>"},
        {CleanEmptyElements, "<b>&nbsp; </b>", "&nbsp; "},
        {CleanEmptyElements, "<font face=Arial>text</font>", "<font face=Arial>text</font>"},
        {CleanEmptyElements, "<span class=\"c\"> <div id=\"d\"/> </span>", "<div id=\"d\"/>"},
        {CleanEmptyElements, "<b><i></i></b>", "<b></b>"},  // one pass only
        {ExtractBody, "<html><body class=\"x\">\r\n<p>A</p></body></html>", "\r\n<p>A</p>"},
        {ExtractBody, "<html><BODY><p>A</p></BODY></html>", ""},
        {ExtractBody, "<body><p>A</p>", ""},
        {ExtractDefinitionsStyle,
         "<head><style>\np{}\n</style>\n<style type=\"text/css\">\n/* Font Definitions */\n"
         "p.a{margin:0}\n</style><style>/* Style Definitions */</style></head>",
         "\n/* Font Definitions */\np.a{margin:0}"},
        {ExtractDefinitionsStyle, "<style>\np{}\n</style>", ""},
        {ExtractDefinitionsStyle, "<style>Definitions", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(c.pass(c.in), c.out) << ::testing::PrintToString(c.in);
}

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
         "<SCRIPT>w(\"<img src='x.gif'>\");</SCRIPT><noscript>No</noscript>",
         "<head></head><p>a</p>"},
        {"media goes with its content", Kinds("media"),
         "<p>a</p><video controls><source src=\"v.mp4\"/>Fallback</video><p>x<embed src=\"f.swf\">y"
         "</p><AUDIO SRC=\"s.mp3\"></AUDIO><iframe src=\"i.htm\">no frames</iframe>",
         "<p>a</p><p>xy</p>"},
        {"nested objects go as one", Kinds("media"),
         "<object><object data=\"m2\"><embed src=\"e\"></object><p>old</p></object><p>b</p>",
         "<p>b</p>"},
        {"unclosed media loses only its tag; stray end tags go", Kinds("media"),
         "<p>a<video src=\"v.mp4\">b</p><p>c</iframe>d</p>", "<p>ab</p><p>cd</p>"},
        {"complete element inside an unclosed one", Kinds("media"),
         "<object><p>x</p><video>v</video>y", "<p>x</p>y"},
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
        {"all kinds together", all, mixed, "<p>One next <b>page</b></p><p>Name </p>"},
    };
    for (const auto& c : cases) {
        std::string html = c.in;
        RemoveHtmlElements(html, c.options);
        EXPECT_EQ(html, c.out.empty() ? c.in : c.out) << c.what;
    }
}

}  // namespace
}  // namespace quillery
