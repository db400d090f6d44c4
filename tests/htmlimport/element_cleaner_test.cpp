#include "htmlimport/element_cleaner.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

TEST(ChapterNormalisation, QuotesBareValuesAndLowersTagsOnly) {
    std::string html = "<P CLASS=Body>Text</P>";
    NormaliseChapterMarkup(html);
    EXPECT_EQ(html, "<p class=\"Body\">Text</p>");
}

TEST(ChapterNormalisation, QuotedValuesAndTextKeepTheirCase) {
    std::string html = "<A HREF='X.HTM' Title=\"Go ON\">Next PAGE</A>";
    NormaliseChapterMarkup(html);
    EXPECT_EQ(html, "<a href='X.HTM' title=\"Go ON\">Next PAGE</a>");
}

TEST(ChapterNormalisation, DeclarationsAndCommentsKeepTheirCase) {
    // A lowered "<!doctype html public" is no XML any more: an XHTML chapter must stay one.
    std::string html =
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"x.dtd\">\n"
        "<HTML><!-- KEEP Me --><P CLASS=A>T</P></HTML>";
    NormaliseChapterMarkup(html);
    EXPECT_EQ(html,
              "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"x.dtd\">\n"
              "<html><!-- KEEP Me --><p class=\"A\">T</p></html>");
}

TEST(QuoteAttributeValues, WrapsBareRunsFollowedByBlankSlashOrBracket) {
    std::string s = "<td width=100 align=left>x=5 apples<img src=a.gif/><hr size=2/>";
    QuoteAttributeValues(s);
    EXPECT_EQ(
        s, "<td width=\"100\" align=\"left\">x=\"5\" apples<img src=\"a.gif/\"><hr size=\"2/\">");
}

TEST(QuoteAttributeValues, LeavesValuesWithOtherCharactersBare) {
    std::string s = "<td width=50% bgcolor=#fff>";
    QuoteAttributeValues(s);
    EXPECT_EQ(s, "<td width=50% bgcolor=#fff>");
}

TEST(ConvertTagCase, UpperCaseOutsideQuotedValues) {
    EXPECT_EQ(ConvertTagCase("<p class=\"x\" id='y'>Hi</p>", false),
              "<P CLASS=\"x\" ID='y'>Hi</P>");
}

TEST(ConvertTagCase, DoctypeIsLoweredExceptItsQuotedIdentifiers) {
    EXPECT_EQ(ConvertTagCase("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">", true),
              "<!doctype html public \"-//W3C//DTD HTML 4.01//EN\">");
}

TEST(ConvertTagCase, OtherQuoteInsideValueAndBracketInsideValue) {
    // The apostrophe inside a double-quoted value changes nothing; a ">" inside a value ends
    // the tag, so the rest is text and keeps its case.
    EXPECT_EQ(ConvertTagCase("<A TITLE=\"it's\" X=\"a>B\" C>", true),
              "<a title=\"it's\" x=\"a>B\" C>");
}

TEST(ConvertTagCase, BytesBeyondAsciiAndEmptyText) {
    const std::string s = "<P TITLE=\xC3\x89T\xC3\xA9>\xC3\x89</P>";
    const std::string lowered = ConvertTagCase(s, true);
    EXPECT_EQ(lowered, "<p title=\xC3\x89t\xC3\xA9>\xC3\x89</p>");
    EXPECT_EQ(lowered.size(), s.size());
    EXPECT_EQ(ConvertTagCase("", true), "");
}

TEST(CleanEmptyElements, RemovesEmptyElementsOfTheSevenNames) {
    EXPECT_EQ(CleanEmptyElements("a<span class=x></span>b<P></P>c"), "abc");
    EXPECT_EQ(CleanEmptyElements("<div></div>"), "<div></div>");
    // Attributes must begin after white space: "<bx>" is not a b element.
    EXPECT_EQ(CleanEmptyElements("<bx></b>"), "<bx></b>");
}

TEST(CleanEmptyElements, UnwrapsBlankInlineMarkupButNotSpan) {
    EXPECT_EQ(CleanEmptyElements("<span> </span>"), "<span> </span>");
    EXPECT_EQ(CleanEmptyElements("<b>&nbsp; </b>"), "&nbsp; ");
    EXPECT_EQ(CleanEmptyElements("<font face=Arial>text</font>"), "<font face=Arial>text</font>");
}

TEST(CleanEmptyElements, SpanAroundSelfClosedDivBecomesTheDiv) {
    EXPECT_EQ(CleanEmptyElements("<span class=\"c\"> <div id=\"d\"/> </span>"), "<div id=\"d\"/>");
}

TEST(CleanEmptyElements, OnePassOnly) {
    EXPECT_EQ(CleanEmptyElements("<b><i></i></b>"), "<b></b>");
    EXPECT_EQ(CleanEmptyElements("<B></b>"), "");
}

TEST(ExtractBody, ContentBetweenBodyTags) {
    EXPECT_EQ(ExtractBody("<html><body class=\"x\">\r\n<p>A</p></body></html>"), "\r\n<p>A</p>");
    EXPECT_EQ(ExtractBody("<html><BODY><p>A</p></BODY></html>"), "");
    EXPECT_EQ(ExtractBody("<body><p>A</p>"), "");
    EXPECT_EQ(ExtractBody("<body></body>"), "");
}

TEST(ExtractDefinitionsStyle, FirstStyleHoldingDefinitions) {
    const std::string page =
        "<head><style>\np{}\n</style>\n<style type=\"text/css\">\n/* Font Definitions */\n"
        "p.a{margin:0}\n</style><style>/* Style Definitions */</style></head>";
    EXPECT_EQ(ExtractDefinitionsStyle(page), "\n/* Font Definitions */\np.a{margin:0}");
}

TEST(ExtractDefinitionsStyle, NoQualifyingStyle) {
    EXPECT_EQ(ExtractDefinitionsStyle("<style>\np{}\n</style>"), "");
    EXPECT_EQ(ExtractDefinitionsStyle("<p>Definitions</p>"), "");
    EXPECT_EQ(ExtractDefinitionsStyle("<style>Definitions"), "");
}

}  // namespace
}  // namespace quillery
