#include "css/font_classification.h"

#include <gtest/gtest.h>

#include <string>

namespace quillery {
namespace {

std::string Classified(std::string css) {
    ClassifyFontFamilies(css);
    return css;
}

TEST(FontClassification, Examples) {
    EXPECT_EQ(Classified("p{font-family:Arial;}"), "p{font-family:Arial,sans-serif;}");
    EXPECT_EQ(Classified("p{font-family:Courier New;}"), "p{font-family:Courier New,monospace;}");
    EXPECT_EQ(Classified("p{font-family:Times New Roman;}"),
              "p{font-family:Times New Roman,serif;}");
    EXPECT_EQ(Classified("p{font-family:SimSun;}"), "p{font-family:SimSun,serif;}");
    EXPECT_EQ(Classified("p{font-family:sans-serif;}"), "p{font-family:sans-serif;}");
}

TEST(FontClassification, ValuesNamingSerifAnywhereAreLeftAlone) {
    const std::string css =
        "a{font-family:\"Times New Roman\",serif;}b{font-family:Microsoft Sans Serif}"
        "c{font-family:Arial,sans-serif}";
    EXPECT_EQ(Classified(css), css);
}

TEST(FontClassification, CourierWinsOverTheSansSerifList) {
    EXPECT_EQ(Classified("p{font-family:Courier, Arial}"),
              "p{font-family:Courier, Arial,monospace}");
}

TEST(FontClassification, LetterCaseOfThePropertyAndValueDoesNotMatter) {
    EXPECT_EQ(Classified("P{FONT-FAMILY:VERDANA}"), "P{FONT-FAMILY:VERDANA,sans-serif}");
}

TEST(FontClassification, TwoDeclarationsGetTwoFallbacksEachAfterItsOwnValue) {
    EXPECT_EQ(Classified("h1{font-family:Arial;color:red}\r\np{font-family:Georgia}"),
              "h1{font-family:Arial,sans-serif;color:red}\r\np{font-family:Georgia,serif}");
}

TEST(FontClassification, QuotedValueGetsItsFallbackAfterTheClosingQuote) {
    EXPECT_EQ(Classified("p{font-family:\"Times New Roman\";}"),
              "p{font-family:\"Times New Roman\",serif;}");
}

TEST(FontClassification, ValueRunsToTheEndOfTheText) {
    EXPECT_EQ(Classified("font-family:Tahoma"), "font-family:Tahoma,sans-serif");
}

TEST(FontClassification, EmptyValuesAndOtherPropertiesAreLeftAlone) {
    const std::string css = "p{font-family:;font-size:12pt;font:Arial}";
    EXPECT_EQ(Classified(css), css);
}

}  // namespace
}  // namespace quillery
