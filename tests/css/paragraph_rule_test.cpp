#include <gtest/gtest.h>

#include "css/stylesheet_pass.h"

namespace quillery {
namespace {

ParagraphOptions AllOn() {
    ParagraphOptions options;
    options.indent = true;
    options.gap = true;
    options.lineHeight = true;
    options.align = true;
    return options;
}

TEST(ParagraphRule, AllOptionsOffGivesNoRule) {
    EXPECT_EQ(ParagraphRule(ParagraphOptions{}), "");
}

TEST(ParagraphRule, AllOptionsOnWithTheDefaults) {
    EXPECT_EQ(ParagraphRule(AllOn()),
              "p{text-indent:2em;margin-top:0em;line-height:120%;text-align:justify;}");
}

TEST(ParagraphRule, EachOptionAlone) {
    ParagraphOptions indent;
    indent.indent = true;
    EXPECT_EQ(ParagraphRule(indent), "p{text-indent:2em;}");

    ParagraphOptions gap;
    gap.gap = true;
    gap.gapEm = "0.75";
    EXPECT_EQ(ParagraphRule(gap), "p{margin-top:0.75em;}");

    ParagraphOptions lineHeight;
    lineHeight.lineHeight = true;
    lineHeight.lineHeightPercent = 150;
    EXPECT_EQ(ParagraphRule(lineHeight), "p{line-height:150%;}");

    ParagraphOptions align;
    align.align = true;
    EXPECT_EQ(ParagraphRule(align), "p{text-align:justify;}");
}

TEST(ParagraphRule, AlignmentChoicesOtherThanJustifiedAreWrittenAsShown) {
    ParagraphOptions options;
    options.align = true;
    options.alignment = "Left";
    EXPECT_EQ(ParagraphRule(options), "p{text-align:Left;}");
    options.alignment = "Right";
    EXPECT_EQ(ParagraphRule(options), "p{text-align:Right;}");
    options.alignment = "center";  // typed into the combo box
    EXPECT_EQ(ParagraphRule(options), "p{text-align:center;}");
}

TEST(ParagraphRule, OptionsTurnedOffAreLeftOutWhateverTheirValues) {
    ParagraphOptions options = AllOn();
    options.gap = false;
    options.gapEm = "1.5";
    options.lineHeight = false;
    EXPECT_EQ(ParagraphRule(options), "p{text-indent:2em;text-align:justify;}");
}

}  // namespace
}  // namespace quillery
