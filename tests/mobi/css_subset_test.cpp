#include "mobi/css_subset.h"

#include <gtest/gtest.h>

namespace quillery::mobi {
namespace {

int FindElement(const HtmlDocument& doc, const std::string& name, int nth = 0) {
    for (std::size_t i = 0; i < doc.nodes.size(); ++i) {
        if (!doc.nodes[i].isText && doc.nodes[i].name == name && nth-- == 0)
            return static_cast<int>(i);
    }
    return -1;
}

TEST(CssSubset, CascadesBySpecificityThenOrderThenStyleAttribute) {
    StyleSheet sheet;
    sheet.Add(
        "/* c */ p { text-align: left; font-weight: bold }\n"
        ".intro { text-align: center }\n p { text-align: right }\n"
        "#first { text-indent: 2em } div > p.intro { font-size: 150% }\n"
        "@media print { p { text-align: justify } }\n a:hover { font-weight: bold } p[x] { color: "
        "red }");
    const auto doc = ParseHtml(
        "<body><div><p id=first class='intro x' style='font-style: "
        "italic'>a</p></div><p>b</p></body>");
    const auto style = sheet.StyleFor(doc, FindElement(doc, "p"));
    EXPECT_EQ(style.align.value_or(""), "center");
    EXPECT_TRUE(style.bold.value_or(false));
    EXPECT_TRUE(style.italic.value_or(false));
    EXPECT_DOUBLE_EQ(style.textIndentEm.value_or(0), 2.0);
    EXPECT_EQ(style.fontSize.value_or(0), 5);
    const auto plain = sheet.StyleFor(doc, FindElement(doc, "p", 1));
    EXPECT_EQ(plain.align.value_or(""), "right");
    EXPECT_FALSE(plain.fontSize.has_value());
    EXPECT_FALSE(plain.textIndentEm.has_value());
}

TEST(CssSubset, ReadsLengthsBreaksAndShorthands) {
    MarkupStyle style;
    style.Apply("margin", "12pt 0 0 0");
    style.Apply("text-indent", "-16px");
    style.Apply("page-break-before", "always");
    style.Apply("text-decoration", "underline line-through");
    style.Apply("font-weight", "700");
    style.Apply("font-size", "x-small");
    EXPECT_DOUBLE_EQ(*style.marginTopEm, 1.0);
    EXPECT_DOUBLE_EQ(*style.textIndentEm, -1.0);
    EXPECT_TRUE(style.pageBreakBefore);
    EXPECT_FALSE(style.pageBreakAfter);
    EXPECT_TRUE(*style.underline && *style.strike && *style.bold);
    EXPECT_EQ(*style.fontSize, 2);
    style.Apply("text-indent", "banana");
    EXPECT_DOUBLE_EQ(*style.textIndentEm, -1.0);
}

TEST(CssSubset, ReadsStyleBlocksHiddenInCommentMarkers) {
    StyleSheet sheet;
    sheet.Add("<!--\n p.MsoNormal { text-indent: .5in; margin: 0in }\n/* Page Definitions */\n"
              "@page WordSection1 { size: 8.5in 11.0in; }\ndiv.WordSection1 { page: WordSection1 }\n-->");
    const auto doc = ParseHtml("<body><p class=MsoNormal>x</p></body>");
    const auto style = sheet.StyleFor(doc, doc.node(doc.body).children[0]);
    EXPECT_DOUBLE_EQ(style.textIndentEm.value_or(0), 3.0);
    EXPECT_DOUBLE_EQ(style.marginTopEm.value_or(-1), 0.0);
}

TEST(CssSubset, DescendantSelectorsNeedTheAncestor) {
    StyleSheet sheet;
    sheet.Add("blockquote em { text-decoration: underline }");
    const auto doc =
        ParseHtml("<body><blockquote><p><em>in</em></p></blockquote><em>out</em></body>");
    EXPECT_TRUE(sheet.StyleFor(doc, FindElement(doc, "em")).underline.value_or(false));
    EXPECT_FALSE(sheet.StyleFor(doc, FindElement(doc, "em", 1)).underline.has_value());
}

}  // namespace
}  // namespace quillery::mobi
