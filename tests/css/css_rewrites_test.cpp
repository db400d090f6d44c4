// The stylesheet text rewrites: font sizes, font-family fallbacks, margin shorthand, generic
// family unquoting, the declaration-block lookup and the paragraph rule.

#include <gtest/gtest.h>

#include <string>

#include "css/css_text.h"
#include "css/font_classification.h"
#include "css/font_sizes.h"
#include "css/stylesheet_pass.h"

namespace quillery {
namespace {

using Rewrite = std::string (*)(std::string);
// The in-place rewrite F applied to a copy of the text.
template <void (*F)(std::string&)>
std::string Applied(std::string css) {
    F(css);
    return css;
}
void ToEmAutoBase(std::string& css) { ConvertPointsToEm(css, 0); }
const Rewrite Em = Applied<ToEmAutoBase>, Px = Applied<ConvertPixelsToPoints>,
              Doubled = Applied<DoublePointSizes>, Classified = Applied<ClassifyFontFamilies>,
              Margins = Applied<MarginShorthand>, Unquoted = Applied<UnquoteGenericFamilies>;
std::string SizePatch(std::string css) { return Doubled(Px(std::move(css))); }

TEST(EmConversion, TableWithTheAutoBase) {
    const struct {
        const char* points;
        const char* em;
    } table[] = {{"6", "0.5"},   {"8", "0.67"}, {"9", "0.75"}, {"10", "0.83"}, {"10.5", "0.88"},
                 {"11", "0.92"}, {"12", "1"},   {"14", "1.2"}, {"15", "1.3"},  {"16", "1.3"},
                 {"18", "1.5"},  {"20", "1.7"}, {"24", "2"},   {"36", "3"}};
    for (const auto& row : table) {
        EXPECT_EQ(Em(std::string("p{font-size:") + row.points + "pt;}"),
                  std::string("p{font-size:") + row.em + "em;}");
    }
}

TEST(CssRewrites, Table) {
    const struct {
        Rewrite rewrite;
        const char* in;
        const char* out;
    } table[] = {
        // em conversion: the first lower-case "pt" size of each font declaration
        {Em, "font-size:14.0pt;", "font-size:1.2em;"},
        {Em, "a{font-size:13.8pt} b{font-size:119.5pt}", "a{font-size:1.2em} b{font-size:10em}"},
        {Em, "h1{font-size:0.0pt;} h2{font-size:24pt}", "h1{font-size:0.0pt;} h2{font-size:2em}"},
        {Em, "p{font-family:Optima;font-size:18pt}", "p{font-family:Optima;font-size:1.5em}"},
        {Em, "P{FONT-SIZE:12PT} p{Font-size:12pt} p{font-size:12PT}", nullptr},
        {Em, "p{margin-top:12pt;font-size:12pt;text-indent:10pt}\r\ndiv{margin:6pt 0pt}",
         "p{margin-top:12pt;font-size:1em;text-indent:10pt}\r\ndiv{margin:6pt 0pt}"},
        {Em, "h1{font-weight:bold} h2{margin:12pt}", nullptr},
        {Em, "p{font:12pt/14pt serif}", "p{font:1em/14pt serif}"},
        {Em, "p{font-size:.5pt} p{font-size:6.pt} font-size:18pt",
         "p{font-size:0.042em} p{font-size:0.5em} font-size:1.5em"},
        // size patch for the large KindleGen: pixels to points (halves to even), points doubled
        {SizePatch, "p{font-size:16px}", "p{font-size:24pt}"},
        {SizePatch, "p{font-size:6px}", "p{font-size:8pt}"},
        {SizePatch, "p{font-size:10.5pt}", "p{font-size:21pt}"},
        {Px, "a{font-size:10.5px} b{font-size:10px} c{font-size:14px}",
         "a{font-size:8pt} b{font-size:8pt} c{font-size:10pt}"},
        {Doubled, "P{FONT-SIZE:12PT}", "P{FONT-SIZE:24PT}"},
        {Px, "P{Font-Size:16PX}", "P{Font-Size:12pt}"},
        {SizePatch, "p{text-indent:10px;margin-top:12pt;font-size:12pt}",
         "p{text-indent:10px;margin-top:12pt;font-size:24pt}"},
        {Doubled, "p{font:12pt/14pt serif}", "p{font:24pt/14pt serif}"},
        {Px, "p{font-size:1..2px} h1{font-size:16px}", "p{font-size:1..2px} h1{font-size:12pt}"},
        {Doubled, "p{font-size:1..2pt} h1{font-size:72pt}",
         "p{font-size:1..2pt} h1{font-size:140pt}"},
        // font-family fallbacks
        {Classified, "p{font-family:Courier New;}", "p{font-family:Courier New,monospace;}"},
        {Classified, "p{font-family:Times New Roman;}", "p{font-family:Times New Roman,serif;}"},
        {Classified, "p{font-family:SimSun;}", "p{font-family:SimSun,serif;}"},
        {Classified, "a{font-family:sans-serif}b{font-family:Microsoft Sans Serif}", nullptr},
        {Classified, "p{font-family:Courier, Arial}", "p{font-family:Courier, Arial,monospace}"},
        {Classified, "P{FONT-FAMILY:VERDANA}", "P{FONT-FAMILY:VERDANA,sans-serif}"},
        {Classified, "h1{font-family:Arial;color:red}\r\np{font-family:\"Times New Roman\"}",
         "h1{font-family:Arial,sans-serif;color:red}\r\np{font-family:\"Times New Roman\",serif}"},
        {Classified, "font-family:Tahoma", "font-family:Tahoma,sans-serif"},
        {Classified, "p{font-family:;font-size:12pt;font:Arial}", nullptr},
        // margin shorthand: four longhands in order, within one declaration list
        {Margins, "p{margin-top:0cm; margin-right:0cm;\r\n\tmargin-bottom:8.0pt; margin-left:0cm;}",
         "p{margin:0cm 0cm 8.0pt 0cm;}"},
        {Margins,
         "a{margin-top:1pt;margin-right:2pt;margin-bottom:3pt;margin-left:4pt;}b{margin-top:5pt;"
         "margin-right:6pt;margin-bottom:7pt;margin-left:8pt;color:red}",
         "a{margin:1pt 2pt 3pt 4pt;}b{margin:5pt 6pt 7pt 8pt;color:red}"},
        {Margins, "p{margin-top:0cm;margin-bottom:8.0pt;}", nullptr},
        {Margins, "p{margin-right:0cm;margin-top:0cm;margin-bottom:8.0pt;margin-left:0cm;}",
         nullptr},
        {Margins, "p{margin-top:0;margin-right:0;color:red;margin-bottom:8pt;margin-left:0;}",
         nullptr},
        {Margins,
         ".a{margin-top:0cm}\n.b{font-size:9pt;margin-right:1cm;margin-bottom:2cm;margin-left:3cm;"
         "}",
         nullptr},
        {Margins,
         "<p style='margin-top:0'>x</p><p style='margin-right:1cm;margin-bottom:2cm;"
         "margin-left:3cm;'>y</p>",
         nullptr},
        // generic family names lose their double quotes, letter case exact
        {Unquoted,
         "p{font-family:\"Arial\",\"sans-serif\"}h1{font-family:\"serif\"}pre{font-family:"
         "\"mono\"}",
         "p{font-family:\"Arial\",sans-serif}h1{font-family:serif}pre{font-family:mono}"},
        {Unquoted, "a{font-family:\"Sans-Serif\",serif;} b{font-family:'serif'}", nullptr},
    };
    for (const auto& row : table)
        EXPECT_EQ(row.rewrite(row.in), row.out ? row.out : row.in) << row.in;
}

// A malformed size changes nothing; the stylesheet pass test checks the message it gives.
TEST(EmConversion, MalformedSizeIsReportedAndNothingChanges) {
    for (std::string css : {"p{font-size:12pt} h1{font-size:1..2pt;}", "p{font-size:.pt}"}) {
        const std::string before = css;
        EXPECT_THROW(ConvertPointsToEm(css, 12), FontSizeError);
        EXPECT_EQ(css, before);
    }
}

TEST(DeclarationBlock, FirstRuleAfterTheFirstExactOccurrenceOfTheSelector) {
    const std::string css = "h2{a:1} H1{b:2} h1\r\n\t{c:3;\r\n\td:4;} h1{e:5}";
    EXPECT_EQ(DeclarationBlock("h1", css), "c:3;\r\n\td:4;");
    EXPECT_EQ(DeclarationBlock("H1", css), "b:2");
    for (const char* missing : {"h3", ""}) EXPECT_EQ(DeclarationBlock(missing, css), "");
    EXPECT_EQ(DeclarationBlock("h1", "h1 a:1") + DeclarationBlock("h1", "h1{a:1"), "");
    std::string big;  // positions past 65,535
    while (big.size() < 70000) big += ".filler{margin:0cm;}\r\n";
    EXPECT_EQ(DeclarationBlock("p.Body", big + "p.Body{margin-bottom:6.0pt;}"),
              "margin-bottom:6.0pt;");
}

TEST(ParagraphRule, RuleStrings) {
    const struct {
        ParagraphOptions options;
        const char* rule;
    } table[] = {
        {{}, ""},
        {{.indent = true, .align = true, .gap = true, .lineHeight = true},
         "p{text-indent:2em;margin-top:0em;line-height:120%;text-align:justify;}"},
        {{.indent = true}, "p{text-indent:2em;}"},
        {{.gap = true, .gapEm = "0.75"}, "p{margin-top:0.75em;}"},
        {{.lineHeight = true, .lineHeightPercent = 150}, "p{line-height:150%;}"},
        {{.align = true, .alignment = "Left"}, "p{text-align:Left;}"},
        {{.align = true, .alignment = "center"}, "p{text-align:center;}"},  // typed into the box
        {{.indent = true, .align = true, .gapEm = "1.5", .lineHeightPercent = 150},
         "p{text-indent:2em;text-align:justify;}"},
    };
    for (const auto& row : table) EXPECT_EQ(ParagraphRule(row.options), row.rule);
}

}  // namespace
}  // namespace quillery
