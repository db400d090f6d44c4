// Random stylesheet-like texts through every rewrite: no crash, no exception but the
// documented one, and nothing before the first "font" ever changes.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "css/font_classification.h"
#include "css/font_sizes.h"
#include "text/strings.h"

namespace quillery {
namespace {

std::string RandomCss(std::mt19937& random) {
    static const char* const pieces[] = {"font", "FONT", "-size:", "-family:", "px", "PT", "pt",
                                         "12",   "1.5",  "..",     ".",        ";",  "}",  "{",
                                         " ",    "\r\n", "serif",  "Arial",    "\"", "0"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 40);
    std::string css;
    for (int n = length(random); n > 0; --n) css += pieces[pick(random)];
    return css;
}

// The text before the first "font" (any case): no rewrite may touch it.
std::string Prefix(const std::string& css) {
    const std::size_t at = LowerAscii(css).find("font");
    return css.substr(0, at == std::string::npos ? css.size() : at);
}

TEST(FontRewriteRobustness, RandomTexts) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 3000; ++round) {
        const std::string css = RandomCss(random);
        std::string em = css;
        try {
            ConvertPointsToEm(em, 12);
        } catch (const FontSizeError&) {
            EXPECT_EQ(em, css) << "a failed conversion must leave the text alone";
        }
        std::string patched = css;
        ConvertPixelsToPoints(patched);
        DoublePointSizes(patched);
        std::string classified = css;
        ClassifyFontFamilies(classified);
        const std::string prefix = Prefix(css);
        EXPECT_EQ(em.substr(0, prefix.size()), prefix) << css;
        EXPECT_EQ(patched.substr(0, prefix.size()), prefix) << css;
        EXPECT_EQ(classified.substr(0, prefix.size()), prefix) << css;
    }
}

}  // namespace
}  // namespace quillery
