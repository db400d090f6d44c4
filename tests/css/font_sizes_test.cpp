#include "css/font_sizes.h"

#include <gtest/gtest.h>

#include <string>

namespace quillery {
namespace {

std::string Em(std::string css, int base = 0) {
    ConvertPointsToEm(css, base);
    return css;
}

std::string SizePatch(std::string css) {
    ConvertPixelsToPoints(css);
    DoublePointSizes(css);
    return css;
}

std::string PixelsToPoints(std::string css) {
    ConvertPixelsToPoints(css);
    return css;
}

std::string Doubled(std::string css) {
    DoublePointSizes(css);
    return css;
}

// --- Number format -----------------------------------------------------------------------

TEST(TwoSignificantDigits, RoundsTiesAwayFromZeroAndDropsTrailingZeros) {
    EXPECT_EQ(FormatTwoSignificantDigits(0.5), "0.5");
    EXPECT_EQ(FormatTwoSignificantDigits(0.875), "0.88");
    EXPECT_EQ(FormatTwoSignificantDigits(1.25), "1.3");
    EXPECT_EQ(FormatTwoSignificantDigits(1.0), "1");
    EXPECT_EQ(FormatTwoSignificantDigits(2.0), "2");
    EXPECT_EQ(FormatTwoSignificantDigits(21.0), "21");
    EXPECT_EQ(FormatTwoSignificantDigits(0.0), "0");
    EXPECT_EQ(FormatTwoSignificantDigits(0.08333), "0.083");
    EXPECT_EQ(FormatTwoSignificantDigits(0.0012), "0.0012");
}

TEST(TwoSignificantDigits, DecimalTiesThatAreNotExactInBinaryStillRoundAway) {
    // 1.15 and 0.145 are stored slightly below the tie.
    EXPECT_EQ(FormatTwoSignificantDigits(1.15), "1.2");
    EXPECT_EQ(FormatTwoSignificantDigits(0.145), "0.15");
    EXPECT_EQ(FormatTwoSignificantDigits(13.8 / 12), "1.2");
}

TEST(TwoSignificantDigits, CarryIntoANewDigit) {
    EXPECT_EQ(FormatTwoSignificantDigits(9.96), "10");
    EXPECT_EQ(FormatTwoSignificantDigits(0.996), "1");
    EXPECT_EQ(FormatTwoSignificantDigits(99.5), "100");
}

TEST(TwoSignificantDigits, LargeValuesStayInPlainNotation) {
    EXPECT_EQ(FormatTwoSignificantDigits(144), "140");
    EXPECT_EQ(FormatTwoSignificantDigits(1234), "1200");
}

// --- Em conversion -----------------------------------------------------------------------

TEST(EmConversion, TableWithTheAutoBase) {
    const struct {
        const char* points;
        const char* em;
    } table[] = {{"6", "0.5"},   {"8", "0.67"},  {"9", "0.75"}, {"10", "0.83"}, {"10.5", "0.88"},
                 {"11", "0.92"}, {"12", "1"},    {"14", "1.2"}, {"15", "1.3"},  {"16", "1.3"},
                 {"18", "1.5"},  {"20", "1.7"},  {"24", "2"},   {"36", "3"}};
    for (const auto& row : table) {
        EXPECT_EQ(Em(std::string("p{font-size:") + row.points + "pt;}"),
                  std::string("p{font-size:") + row.em + "em;}")
            << row.points << "pt";
    }
}

TEST(EmConversion, AutoIsTwelveAndOtherBasesDivideByThemselves) {
    EXPECT_EQ(Em("font-size:14.0pt;", 0), "font-size:1.2em;");
    EXPECT_EQ(Em("font-size:14.0pt;", 12), "font-size:1.2em;");
    EXPECT_EQ(Em("font-size:12pt;", 16), "font-size:0.75em;");
    EXPECT_EQ(Em("font-size:16pt;", 16), "font-size:1em;");
}

TEST(EmConversion, ZeroStays) {
    EXPECT_EQ(Em("h1{font-size:0pt;}"), "h1{font-size:0pt;}");
    EXPECT_EQ(Em("h1{font-size:0.0pt;} h2{font-size:24pt}"), "h1{font-size:0.0pt;} h2{font-size:2em}");
}

TEST(EmConversion, FontNameHoldingTheUnitLettersIsNotASize) {
    EXPECT_EQ(Em("p{font-family:Optima;}"), "p{font-family:Optima;}");
    EXPECT_EQ(Em("p{font-family:Optima;font-size:18pt}"), "p{font-family:Optima;font-size:1.5em}");
}

TEST(EmConversion, OnlyLowerCaseDeclarationsAndUnits) {
    EXPECT_EQ(Em("P{FONT-SIZE:12PT}"), "P{FONT-SIZE:12PT}");
    EXPECT_EQ(Em("p{Font-size:12pt}"), "p{Font-size:12pt}");
    EXPECT_EQ(Em("p{font-size:12PT}"), "p{font-size:12PT}");
}

TEST(EmConversion, SizesOutsideFontDeclarationsAreNeverChanged) {
    const std::string css =
        "p{margin-top:12pt;font-size:12pt;text-indent:10pt}\r\ndiv{margin:6pt 0pt}";
    EXPECT_EQ(Em(css), "p{margin-top:12pt;font-size:1em;text-indent:10pt}\r\ndiv{margin:6pt 0pt}");
}

TEST(EmConversion, DeclarationEndsAtTheClosingBraceWithoutSemicolon) {
    EXPECT_EQ(Em("h1{font-weight:bold} h2{margin:12pt}"), "h1{font-weight:bold} h2{margin:12pt}");
    EXPECT_EQ(Em("h1{font-size:24pt} h2{margin:12pt}"), "h1{font-size:2em} h2{margin:12pt}");
}

TEST(EmConversion, OnlyTheFirstSizeOfADeclarationChanges) {
    EXPECT_EQ(Em("p{font:12pt/14pt serif}"), "p{font:1em/14pt serif}");
}

TEST(EmConversion, SizeAtTheVeryEndOfTheText) {
    EXPECT_EQ(Em("font-size:18pt"), "font-size:1.5em");
}

TEST(EmConversion, MalformedSizeIsReportedWithItsDeclaration) {
    std::string css = "p{font-size:12pt} h1{font-size:1..2pt;} h2{font-size:24pt}";
    const std::string before = css;
    try {
        ConvertPointsToEm(css, 12);
        FAIL() << "a malformed size must stop the conversion";
    } catch (const FontSizeError& error) {
        EXPECT_EQ(error.number(), "1..2pt");
        EXPECT_EQ(error.declaration(), "font-size:1..2pt");
        EXPECT_STREQ(error.what(),
                     "the font size \"1..2pt\" in \"font-size:1..2pt\" is not a valid number");
    }
    EXPECT_EQ(css, before);  // nothing half-converted
}

TEST(EmConversion, LoneDecimalPointIsMalformed) {
    std::string css = "p{font-size:.pt}";
    EXPECT_THROW(ConvertPointsToEm(css, 12), FontSizeError);
}

TEST(EmConversion, LeadingOrTrailingPointIsAValidNumber) {
    EXPECT_EQ(Em("p{font-size:.5pt}", 12), "p{font-size:0.042em}");
    EXPECT_EQ(Em("p{font-size:6.pt}", 12), "p{font-size:0.5em}");
}

// --- Size patch for the large KindleGen ----------------------------------------------------

TEST(SizePatch, Examples) {
    EXPECT_EQ(PixelsToPoints("p{font-size:16px}"), "p{font-size:12pt}");
    EXPECT_EQ(SizePatch("p{font-size:16px}"), "p{font-size:24pt}");
    EXPECT_EQ(PixelsToPoints("p{font-size:6px}"), "p{font-size:4pt}");
    EXPECT_EQ(SizePatch("p{font-size:6px}"), "p{font-size:8pt}");
    EXPECT_EQ(SizePatch("p{font-size:10.5pt}"), "p{font-size:21pt}");
}

TEST(SizePatch, PixelRoundingHalvesToEven) {
    EXPECT_EQ(PixelsToPoints("p{font-size:10.5px}"), "p{font-size:8pt}");  // 7.875
    EXPECT_EQ(PixelsToPoints("p{font-size:2px}"), "p{font-size:2pt}");     // 1.5
    EXPECT_EQ(PixelsToPoints("p{font-size:10px}"), "p{font-size:8pt}");    // 7.5
    EXPECT_EQ(PixelsToPoints("p{font-size:14px}"), "p{font-size:10pt}");   // 10.5
}

TEST(SizePatch, AnyLetterCaseAndTheCaseIsKept) {
    EXPECT_EQ(Doubled("P{FONT-SIZE:12PT}"), "P{FONT-SIZE:24PT}");
    EXPECT_EQ(PixelsToPoints("P{Font-Size:16PX}"), "P{Font-Size:12pt}");
}

TEST(SizePatch, SizesOutsideFontDeclarationsAreNeverChanged) {
    EXPECT_EQ(SizePatch("p{text-indent:10px;margin-top:12pt;font-size:12pt}"),
              "p{text-indent:10px;margin-top:12pt;font-size:24pt}");
}

TEST(SizePatch, OnlyTheFirstSizeOfADeclarationIsDoubled) {
    EXPECT_EQ(Doubled("p{font:12pt/14pt serif}"), "p{font:24pt/14pt serif}");
}

TEST(SizePatch, MalformedSizesAreLeftAsTheyAre) {
    EXPECT_EQ(PixelsToPoints("p{font-size:1..2px} h1{font-size:16px}"),
              "p{font-size:1..2px} h1{font-size:12pt}");
    EXPECT_EQ(Doubled("p{font-size:1..2pt} h1{font-size:9pt}"),
              "p{font-size:1..2pt} h1{font-size:18pt}");
}

TEST(SizePatch, LargeDoubledSizesStayInPlainNotation) {
    EXPECT_EQ(Doubled("h1{font-size:72pt}"), "h1{font-size:140pt}");
}

}  // namespace
}  // namespace quillery
