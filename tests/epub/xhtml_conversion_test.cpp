// The HTML to XHTML conversion: every output is well-formed XML (read back by pugixml), the
// text and markup keep their meaning, ids and links survive, and presentational markup
// becomes CSS.

#include "epub/xhtml_conversion.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>

namespace quillery::epub {
namespace {

// The body of the converted page, as written.
std::string Body(const std::string& xhtml) {
    const std::size_t open = xhtml.find("<body");
    const std::size_t start = xhtml.find('>', open) + 1;
    return xhtml.substr(start, xhtml.rfind("</body>") - start);
}

XhtmlDocument Convert(const std::string& html) {
    const XhtmlOptions options{std::string("Fallback"), std::string("fr"), nullptr};
    return ConvertToXhtml(html, options);
}

struct Case {
    const char* name;
    const char* html;
    const char* body;  // the expected body, exactly
};

class XhtmlBodies : public ::testing::TestWithParam<Case> {};

TEST_P(XhtmlBodies, AreWellFormedAndAsExpected) {
    const Case& c = GetParam();
    const XhtmlDocument doc = Convert(c.html);
    pugi::xml_document xml;
    const pugi::xml_parse_result parsed = xml.load_string(doc.text.c_str());
    EXPECT_TRUE(parsed) << parsed.description() << "\n" << doc.text;
    EXPECT_STREQ(xml.document_element().name(), "html");
    EXPECT_STREQ(xml.document_element().attribute("xmlns").value(), "http://www.w3.org/1999/xhtml");
    EXPECT_EQ(Body(doc.text), c.body) << doc.text;
    // Whichever way the tree was built, the HTML5 parser's writes the same.
    XhtmlOptions byParser{std::string("Fallback"), std::string("fr"), nullptr};
    byParser.alwaysParseAsHtml = true;
    EXPECT_EQ(ConvertToXhtml(c.html, byParser).text, doc.text);
}

// clang-format off
const Case kCases[] = {
    {"UpperCaseTagsUnquotedAttributesAndUnclosedParagraphs",
     "<BODY><P CLASS=note ID=p1>Hi<p>two</BODY>", "<p class=\"note\" id=\"p1\">Hi</p><p>two</p>"},
    {"MisnestedInlineElementsAreRepaired", "<body><b><i>x</b>y</i></body>",
     "<b><i>x</i></b><i>y</i>"},
    {"EntitiesBecomeCharactersAndMarkupCharactersStayEscaped",
     "<body>&nbsp;&eacute;&mdash;&#8230;&#x263A;&lt;a&gt; &amp; &quot;q&quot;</body>",
     "\xC2\xA0\xC3\xA9\xE2\x80\x94\xE2\x80\xA6\xE2\x98\xBA&lt;a&gt; &amp; \"q\""},
    {"VoidElementsAreSelfClosed", "<body>a<br>b<hr><img src=x.png alt=\"\"></body>",
     "a<br/>b<hr/><img src=\"x.png\" alt=\"\"/>"},
    // An anchor name becomes its id, unless it is another element's id; an id is kept once.
    {"AnchorNamesAndIds", "<body><a name=top>T</a><a name=\"x\" id=\"y\">U</a><p id=a>1</p>"
     "<p id=a>2</p><a name=s>1</a><h2 id=s>2</h2></body>",
     "<a id=\"top\">T</a><a id=\"y\">U</a><p id=\"a\">1</p><p>2</p><a>1</a><h2 id=\"s\">2</h2>"},
    {"LinksAndFragmentsStayAndAttributeValuesAreEscaped",
     "<body><a href=\"b.htm#s1\">n</a> <a href='#top' title='a \"b\" & <c>'>t</a></body>",
     "<a href=\"b.htm#s1\">n</a> <a href=\"#top\" title=\"a &quot;b&quot; &amp; &lt;c&gt;\">t</a>"},
    {"CenterAndFontBecomeCss",
     "<body><center>c</center><font face=Arial color=red size=5>f</font></body>",
     "<div style=\"text-align: center\">c</div>"
     "<span style=\"font-family: Arial; color: red; font-size: x-large\">f</span>"},
    {"AlignAndBgcolorJoinAnExistingStyle",
     "<body><p align=right style=\"margin: 0;\" bgcolor=#fff>x</p></body>",
     "<p style=\"margin: 0; text-align: right; background-color: #fff\">x</p>"},
    {"TablesGetTheirBodyAndLoseObsoleteAttributes",
     "<body><table border=0 cellpadding=2 width=80%><tr><td valign=top width=40>a</table></body>",
     "<table style=\"width: 80%\"><tbody><tr><td style=\"vertical-align: top; width: 40px\">a</td>"
     "</tr></tbody></table>"},
    {"OfficeTagsAndAttributesAreUnwrapped",
     "<body><p class=MsoNormal o:spid=1>a<o:p></o:p>b</p></body>",
     "<p class=\"MsoNormal\">ab</p>"},
    {"CommentsAndDoctypesGo",
     "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"><body><!-- c -->x</body>",
     "x"},
    {"ScriptTextIsEscapedForXml", "<body><script>if (a < b && c) {}</script></body>",
     "<script>if (a &lt; b &amp;&amp; c) {}</script>"},
    {"InlineSvgGetsItsNamespaceAndCase",
     "<body><svg viewbox=\"0 0 1 1\"><lineargradient/></svg></body>",
     "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
     "viewBox=\"0 0 1 1\"><linearGradient></linearGradient></svg>"},
    // The parser makes a control character U+FFFD; a form feed, not XML, is dropped.
    {"ControlCharactersThatXmlForbidsGo", "<body>a\x01" "b\x0C" "c</body>", "a\xEF\xBF\xBD" "bc"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, XhtmlBodies, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(XhtmlHead, KeepsTitleStylesAndLanguageAndDropsTheCharsetAndBase) {
    const XhtmlDocument doc = Convert(
        "<html><head><meta http-equiv=Content-Type content='text/html; charset=iso-8859-1'>"
        "<base href='http://x/'><title>Mine</title><link rel=stylesheet href=s.css>"
        "<style>p{}</style></head><body>x</body></html>");
    EXPECT_NE(doc.text.find("<title>Mine</title>"), std::string::npos) << doc.text;
    EXPECT_NE(doc.text.find("<link rel=\"stylesheet\" href=\"s.css\"/>"), std::string::npos);
    EXPECT_NE(doc.text.find("<style>p{}</style>"), std::string::npos);
    EXPECT_EQ(doc.text.find("charset"), std::string::npos);
    EXPECT_EQ(doc.text.find("<base"), std::string::npos);
    // A page without title gets the fallback and the book's language.
    const std::string bare = Convert("<p>x").text;
    EXPECT_NE(bare.find("<title>Fallback</title>"), std::string::npos) << bare;
    EXPECT_NE(bare.find("lang=\"fr\" xml:lang=\"fr\""), std::string::npos);
    EXPECT_NE(Convert("<html lang=de><p>x").text.find("xml:lang=\"de\""), std::string::npos);
}

TEST(XhtmlProperties, ScriptsFormsSvgAndMathAreReported) {
    EXPECT_TRUE(Convert("<script>x</script>").scripted);
    EXPECT_TRUE(Convert("<form><input></form>").scripted);
    EXPECT_FALSE(Convert("<p>x</p>").scripted);
    EXPECT_TRUE(Convert("<svg></svg>").svg);
    EXPECT_TRUE(Convert("<math><mi>x</mi></math>").mathml);
}

// Links, pictures, stylesheets and the url(...) of style elements and style attributes.
TEST(XhtmlUrls, EveryReferenceGoesThroughTheRewriterAndMissingOnesAreLeftOut) {
    XhtmlOptions options;
    options.rewriteUrl = [](std::string_view url) {
        return url == "gone.png" || url == "gone.htm" ? std::string() : "new/" + std::string(url);
    };
    const XhtmlDocument doc = ConvertToXhtml(
        "<link rel=stylesheet href=a.css><style>p{background:url(d.png)}</style>"
        "<p><a href=b.htm>b</a><img src=c.png alt=c>"
        "<img src=gone.png alt=g><a href=gone.htm>kept text</a>"
        "<span style=\"background:url(&quot;e.png&quot;)\">s</span><i style=\"x:url(gone.png)\">",
        options);
    const std::string body = Body(doc.text);
    EXPECT_EQ(body,
              "<p><a href=\"new/b.htm\">b</a><img src=\"new/c.png\" alt=\"c\"/>"
              "<a>kept text</a><span style=\"background:url('new/e.png')\">s</span>"
              "<i style=\"x:none\"></i></p>");
    EXPECT_NE(doc.text.find("href=\"new/a.css\""), std::string::npos);
    EXPECT_NE(doc.text.find("p{background:url('new/d.png')}"), std::string::npos) << doc.text;
}

}  // namespace
}  // namespace quillery::epub
