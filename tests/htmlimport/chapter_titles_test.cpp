// Chapter titles from file names, page titles and first headings, and their display form.

#include "htmlimport/chapter_titles.h"

#include <gtest/gtest.h>

#include "text_case.h"

namespace quillery {
namespace {

using testing::TextCase;

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
        // Every entity, named or numeric, decoded once.
        {TitleDisplayText, "It&#8217;s &eacute;t&eacute;", "It\xE2\x80\x99s \xC3\xA9t\xC3\xA9"},
        {TitleDisplayText, "&#x2014;&lt;b&gt;&amp;amp;&nbsp;&#150;",
         "\xE2\x80\x94<b>&amp; \xE2\x80\x93"},
        {TitleDisplayText, "&bogus; &#xD800; &#; & x", "&bogus; &#xD800; &#; & x"},
        // Bytes that are not UTF-8 are Windows-1252, as older pages are written.
        {TitleDisplayText, "Caf\xE9 \x93quoted\x94 \x80",
         "Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC"},
        {TitleDisplayText, "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {TitleDisplayText, "\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},
    };
    testing::ExpectPasses(cases);
}

}  // namespace
}  // namespace quillery
