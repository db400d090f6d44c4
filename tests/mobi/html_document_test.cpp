#include "mobi/html_document.h"

#include <gtest/gtest.h>

namespace quillery::mobi {
namespace {

// The tree as "name(children)" with text in quotes, for compact comparisons.
std::string Shape(const HtmlDocument& doc, int index) {
    const auto& node = doc.node(index);
    std::string out;
    if (node.isText) {
        out.append(1, '\'').append(node.text).append(1, '\'');
        return out;
    }
    out.append(node.name).append(1, '(');
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        if (i > 0) out.append(1, ' ');
        out.append(Shape(doc, node.children[i]));
    }
    out.append(1, ')');
    return out;
}

TEST(HtmlReader, ClosesParagraphsAndListItemsLikeBrowsers) {
    const auto doc = ParseHtml("<BODY><P>one<P>two<UL><LI>a<LI>b</UL><p>three</BODY>");
    EXPECT_EQ(Shape(doc, doc.body), "body(p('one') p('two') ul(li('a') li('b')) p('three'))");
}

TEST(HtmlReader, ReadsUnquotedAttributesEntitiesAndSkipsCommentsAndScripts) {
    const auto doc = ParseHtml(
        "<html><head><title>T</title><script>if (a<b) document.write('<p>x</p>')</script>"
        "<style>p{color:red}</style><LINK REL=stylesheet HREF=s.css></head>"
        "<body><A HREF=ch2.html#x ID='y' class=\"c d\">caf&eacute; &amp co &#8220;q&#x201d; "
        "&bogus;</A><!-- <p>no</p> --></body></html>");
    EXPECT_EQ(Shape(doc, doc.body),
              "body(a('caf\xC3\xA9 & co \xE2\x80\x9Cq\xE2\x80\x9D &bogus;'))");
    const auto& a = doc.node(doc.node(doc.body).children[0]);
    EXPECT_EQ(*a.Attribute("href"), "ch2.html#x");
    EXPECT_EQ(*a.Attribute("id"), "y");
    EXPECT_EQ(*a.Attribute("class"), "c d");
    ASSERT_EQ(doc.stylesheetLinks.size(), 1u);
    EXPECT_EQ(doc.stylesheetLinks[0], "s.css");
    ASSERT_EQ(doc.styleBlocks.size(), 1u);
    EXPECT_EQ(doc.styleBlocks[0], "p{color:red}");
}

TEST(HtmlReader, AnUnclosedLinkEndsAtTheNextLink) {
    const auto doc = ParseHtml("<body><p><a href=#1>one<a href=#2>two</a></p></body>");
    EXPECT_EQ(Shape(doc, doc.body), "body(p(a('one') a('two')))");
}

TEST(HtmlReader, ToleratesStrayMarkupAndXhtmlSelfClosing) {
    const auto doc = ParseHtml("<body>a < b <i>x</b> y</i><a id=\"z\"/>after<br>c</body>");
    EXPECT_EQ(Shape(doc, doc.body), "body('a < b ' i('x y') a() 'after' br() 'c')");
}

TEST(HtmlReader, FlattensAbsurdNestingAndSurvivesCutInput) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<div>";
    deep += "x";
    const auto doc = ParseHtml(deep);
    EXPECT_EQ(TextContent(doc, 0), "x");
    for (const char* cut :
         {"<p>text<a href=\"", "<!-- never closed", "<script>x", "<p a='b", "&#x", "<"}) {
        const auto partial = ParseHtml(cut);
        EXPECT_GE(partial.nodes.size(), 1u);
    }
}

TEST(HtmlReader, WindowsReferencesMeanTheirCodePageCharacters) {
    EXPECT_EQ(DecodeCharacterReferences("&#150;&#8211;&#x41;&lt"),
              "\xE2\x80\x93\xE2\x80\x93"
              "A<");
}

}  // namespace
}  // namespace quillery::mobi
