// How replacement templates expand, case by case.
#include <gtest/gtest.h>

#include <string>

#include "text/regex.h"

namespace quillery {
namespace {

// Replaces the single match of pattern in subject by the template.
std::string Expand(std::string_view subject, std::string_view pattern,
                   std::string_view replacement) {
    TLxRegEx re;
    re.SetPattern(pattern);
    return re.Replace(subject, replacement);
}

TEST(ReplaceTemplate, DollarDigitIsTheGroup) {
    EXPECT_EQ(Expand("ab", "(a)(b)", "$2$1"), "ba");
    EXPECT_EQ(Expand("xaby", "a(b)", "[$0|$1]"), "x[ab|b]y");
}

TEST(ReplaceTemplate, WidthEqualsValueGetsQuoted) {
    EXPECT_EQ(RegexReplaceStr("width=100 ", "=([\\w\\-\\_\\./]+)(?=[\\s/>])", "=\"$1\""),
              "width=\"100\" ");
}

TEST(ReplaceTemplate, TwoDigitsNeedThatManyGroups) {
    // Only two groups: "$12" is group 1 followed by the byte "2".
    EXPECT_EQ(Expand("ab", "(a)(b)", "$12"), "a2");
    const std::string twelve = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)";
    EXPECT_EQ(Expand("abcdefghijkl", twelve, "$12"), "l");
    EXPECT_EQ(Expand("abcdefghijkl", twelve, "$13"), "a3");
    EXPECT_EQ(Expand("abcdefghijkl", twelve, "\\12$"), "l$");
}

TEST(ReplaceTemplate, TwoDigitRuleUsesGroupsTakingPartInEachMatch) {
    // Group 11 exists but takes part only in the second match.
    const std::string pattern = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)?;";
    EXPECT_EQ(Expand("abcdefghij;abcdefghijk;", pattern, "<$11>"), "<a1><k>");
}

TEST(ReplaceTemplate, MissingGroupInsertsNothing) {
    EXPECT_EQ(Expand("xay", "(a)", "[$3]"), "x[]y");
    EXPECT_EQ(Expand("xay", "(a)", "[${7}]"), "x[]y");
    EXPECT_EQ(Expand("xay", "(a)", "[\\9]$"), "x[]$y");
}

TEST(ReplaceTemplate, BracedNumbersAndNames) {
    const std::string twelve = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)";
    EXPECT_EQ(Expand("abcdefghijkl", twelve, "${12}${1}"), "la");
    EXPECT_EQ(Expand("k=v", "(?<key>\\w)=(?<val>\\w)", "${val}=${key}"), "v=k");
    EXPECT_EQ(Expand("k=v", "(?<_k1>\\w)=", "${_k1}:"), "k:v");
    EXPECT_EQ(Expand("k=v", "(?<key>\\w)=", "[${nosuch}]"), "[]v");
    EXPECT_EQ(Expand("abcdefghijkl", twelve, "${99999999999999}"), "");
}

TEST(ReplaceTemplate, DollarWithAnythingElseStaysText) {
    EXPECT_EQ(Expand("a", "(a)", "$x"), "$x");
    EXPECT_EQ(Expand("a", "(a)", "${1"), "${1");
    EXPECT_EQ(Expand("a", "(a)", "${}"), "${}");
    EXPECT_EQ(Expand("a", "(a)", "${1x}"), "${1x}");
    EXPECT_EQ(Expand("a", "(a)", "${9name}"), "${9name}");
    EXPECT_EQ(Expand("a", "(a)", "$$1"), "$1");
    EXPECT_EQ(Expand("a", "(a)", "$"), "$");
    EXPECT_EQ(Expand("a", "(a)", "1$"), "1$");
}

TEST(ReplaceTemplate, BackslashDigitsOnlyInTemplateMode) {
    // Without any "$" the replacement is literal text.
    EXPECT_EQ(Expand("a", "(a)", "\\1"), "\\1");
    EXPECT_EQ(Expand("a", "(a)", "\\U1\\\\"), "\\U1\\\\");
    // With a "$" anywhere, "\1" is group 1.
    EXPECT_EQ(Expand("a", "(a)", "\\1$"), "a$");
    EXPECT_EQ(Expand("a", "(a)", "\\1\\$"), "a$");
}

TEST(ReplaceTemplate, BackslashEscapes) {
    EXPECT_EQ(Expand("a", "(a)", "\\\\$1"), "\\a");
    EXPECT_EQ(Expand("a", "(a)", "\\$1"), "$1");
    EXPECT_EQ(Expand("a", "(a)", "\\n$1"), "\\na");
    EXPECT_EQ(Expand("a", "(a)", "$1\\"), "a\\");
    EXPECT_EQ(Expand("a", "(a)", "\\F$1"), "\\Fa");
}

TEST(ReplaceTemplate, CaseConversions) {
    const std::string p = "\\[(.*)\\]";
    EXPECT_EQ(Expand("[hELLO wORLD]", p, "\\F1$"), "Hello world$");
    EXPECT_EQ(Expand("[hELLO wORLD]", p, "\\L1$"), "hello world$");
    EXPECT_EQ(Expand("[hELLO wORLD]", p, "\\U1$"), "HELLO WORLD$");
    EXPECT_EQ(Expand("[o'NEIL mc-dONALD 2nd]", p, "\\I1$"), "O'neil Mc-Donald 2nd$");
    // Letters beyond ASCII are left as they are.
    EXPECT_EQ(Expand("[\xC3\xA9t\xC3\xA9]", p, "\\U1$"), "\xC3\xA9T\xC3\xA9$");
}

TEST(ReplaceTemplate, NamedGroupWithG) {
    EXPECT_EQ(Expand("k=v", "(?<key>\\w)=(?<val>\\w)", "\\G<val>$$"), "v$");
    EXPECT_EQ(Expand("k=v", "(?<key>\\w)=", "\\G<key$"), "\\G<key$v");
    EXPECT_EQ(Expand("k=v", "(?<key>\\w)=", "\\G<none>$"), "$v");
}

TEST(ReplaceTemplate, InsertedTextIsNotScannedAgain) {
    EXPECT_EQ(Expand("x$1y", "x(\\$1)y", "<$1>"), "<$1>");
    EXPECT_EQ(Expand("a\\1b", "a(.+)b", "[$1]"), "[\\1]");
}

TEST(ReplaceTemplate, ExpandedForEveryMatch) {
    EXPECT_EQ(RegexReplaceStr("<P class=a>x</P><p>y</p>", "<p([^>]*)>", "<div$1/>"),
              "<div class=a/>x</P><div/>y</p>");
    EXPECT_EQ(RegexReplaceStr("a1b2c3", "([a-z])(\\d)", "$2$1"), "1a2b3c");
}

}  // namespace
}  // namespace quillery
