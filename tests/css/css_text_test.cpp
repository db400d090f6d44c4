#include <gtest/gtest.h>

#include <string>

#include "css/css_text.h"

namespace quillery {
namespace {

// --- Declaration-block lookup ------------------------------------------------------------

TEST(DeclarationBlock, TextBetweenTheBracesOfTheFirstRuleAfterTheSelector) {
    const std::string css = "p.MsoNormal\r\n\t{margin:0cm;\r\n\tfont-size:12.0pt;}\r\nh1\r\n\t{color:red;}";
    EXPECT_EQ(DeclarationBlock("p.MsoNormal", css), "margin:0cm;\r\n\tfont-size:12.0pt;");
    EXPECT_EQ(DeclarationBlock("h1", css), "color:red;");
}

TEST(DeclarationBlock, SelectorIsFoundExactlyAndOnlyItsFirstOccurrenceCounts) {
    const std::string css = "h2{a:1} H1{b:2} h1{c:3} h1{d:4}";
    EXPECT_EQ(DeclarationBlock("h1", css), "c:3");
    EXPECT_EQ(DeclarationBlock("H1", css), "b:2");
}

TEST(DeclarationBlock, EmptyWhenTheSelectorOrTheBracesAreMissing) {
    EXPECT_EQ(DeclarationBlock("h3", "h1{a:1}"), "");
    EXPECT_EQ(DeclarationBlock("h1", "h1 a:1"), "");
    EXPECT_EQ(DeclarationBlock("h1", "h1{a:1"), "");
    EXPECT_EQ(DeclarationBlock("", "h1{a:1}"), "");
    EXPECT_EQ(DeclarationBlock("h1", "h1{}"), "");
}

TEST(DeclarationBlock, WorksBeyondSixtyFourKilobytes) {
    std::string css;
    while (css.size() < 70000) css += ".filler{margin:0cm;}\r\n";
    css += "p.MsoBodyText{margin-bottom:6.0pt;font-size:11.0pt;}\r\n";
    ASSERT_GT(css.size(), 65535u);
    EXPECT_EQ(DeclarationBlock("p.MsoBodyText", css), "margin-bottom:6.0pt;font-size:11.0pt;");
}

// --- Margin shorthand --------------------------------------------------------------------

TEST(MarginShorthand, FourLonghandsInOrderBecomeOne) {
    std::string css =
        "p{margin-top:0cm; margin-right:0cm;\r\n\tmargin-bottom:8.0pt; margin-left:0cm;}";
    MarginShorthand(css);
    EXPECT_EQ(css, "p{margin:0cm 0cm 8.0pt 0cm;}");
}

TEST(MarginShorthand, WithoutWhiteSpaceAndInEveryRule) {
    std::string css =
        "a{margin-top:1pt;margin-right:2pt;margin-bottom:3pt;margin-left:4pt;}"
        "b{margin-top:5pt;margin-right:6pt;margin-bottom:7pt;margin-left:8pt;color:red}";
    MarginShorthand(css);
    EXPECT_EQ(css, "a{margin:1pt 2pt 3pt 4pt;}b{margin:5pt 6pt 7pt 8pt;color:red}");
}

TEST(MarginShorthand, OtherOrdersOrIncompleteSetsStayAsTheyAre) {
    const std::string partial = "p{margin-top:0cm;margin-bottom:8.0pt;}";
    std::string css = partial;
    MarginShorthand(css);
    EXPECT_EQ(css, partial);

    const std::string reordered =
        "p{margin-right:0cm;margin-top:0cm;margin-bottom:8.0pt;margin-left:0cm;}";
    css = reordered;
    MarginShorthand(css);
    EXPECT_EQ(css, reordered);

    const std::string interrupted =
        "p{margin-top:0cm;margin-right:0cm;color:red;margin-bottom:8.0pt;margin-left:0cm;}";
    css = interrupted;
    MarginShorthand(css);
    EXPECT_EQ(css, interrupted);
}

TEST(MarginShorthand, LastLonghandClosedByTheBraceKeepsTheFollowingRuleIntact) {
    std::string css =
        ".s1{margin-top:0cm;margin-right:0cm;margin-bottom:0cm;margin-left:36.0pt}\n"
        ".s2{font-size:14.0pt;}";
    MarginShorthand(css);
    EXPECT_EQ(css, ".s1{margin:0cm 0cm 0cm 36.0pt}\n.s2{font-size:14.0pt;}");
}

TEST(MarginShorthand, LonghandsOfDifferentRulesAreNeverMerged) {
    const std::string css =
        ".s1{margin-top:0cm}\n"
        ".s2{font-size:9pt;margin-right:1cm;margin-bottom:2cm;margin-left:3cm;}";
    std::string text = css;
    MarginShorthand(text);
    EXPECT_EQ(text, css);
}

TEST(MarginShorthand, LonghandsOfDifferentStyleAttributesAreNeverMerged) {
    const std::string html =
        "<p style='margin-top:0cm'>x</p><p style='color:red;margin-right:1cm;"
        "margin-bottom:2cm;margin-left:3cm;'>y</p>";
    std::string text = html;
    MarginShorthand(text);
    EXPECT_EQ(text, html);
}

// --- Generic family unquoting ------------------------------------------------------------

TEST(UnquoteGenericFamilies, QuotedGenericNamesLoseTheirQuotes) {
    std::string css =
        "p{font-family:\"Arial\",\"sans-serif\";}\r\nh1{font-family:\"Times New Roman\",\"serif\";}"
        "\r\npre{font-family:\"Courier New\",\"monospace\";}\r\ncode{font-family:\"mono\"}";
    UnquoteGenericFamilies(css);
    EXPECT_EQ(css,
              "p{font-family:\"Arial\",sans-serif;}\r\nh1{font-family:\"Times New Roman\",serif;}"
              "\r\npre{font-family:\"Courier New\",monospace;}\r\ncode{font-family:mono}");
}

TEST(UnquoteGenericFamilies, CaseAndUnquotedNamesAreLeftAlone) {
    const std::string css = "p{font-family:\"Sans-Serif\",serif;} h1{font-family:'serif'}";
    std::string text = css;
    UnquoteGenericFamilies(text);
    EXPECT_EQ(text, css);
}

}  // namespace
}  // namespace quillery
