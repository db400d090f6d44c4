// The element cleaner: tag case, quoting and the other passes over a chapter.

#include "htmlimport/element_cleaner.h"

#include <gtest/gtest.h>

#include "text_case.h"

namespace quillery {
namespace {

using testing::TextCase;

template <void (*Pass)(std::string&)>
std::string InPlace(std::string_view s) {
    std::string html(s);
    Pass(html);
    return html;
}
std::string Lowered(std::string_view s) { return ConvertTagCase(s, true); }
std::string Raised(std::string_view s) { return ConvertTagCase(s, false); }

TEST(ElementCleaner, EveryPass) {
    const TextCase cases[] = {
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
    testing::ExpectPasses(cases);
}

}  // namespace
}  // namespace quillery
