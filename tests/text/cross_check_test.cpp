// Randomised checks: the pattern engine against the plain-text helpers where both must agree,
// and odd templates and patterns that must never crash or misbehave.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/regex.h"
#include "text/strings.h"

namespace quillery {
namespace {

std::string RandomText(std::mt19937& rng, std::string_view alphabet, int maxLength,
                       int minLength = 0) {
    std::uniform_int_distribution<int> length(minLength, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string s(static_cast<std::size_t>(length(rng)), ' ');
    for (char& c : s) c = alphabet[pick(rng)];
    return s;
}

TEST(CrossCheck, LiteralPatternReplacesLikeReplaceAllExIgnoringCase) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 3000; ++round) {
        const std::string s = RandomText(rng, "aAbB\n<", 40);
        const std::string old = RandomText(rng, "aAbB", 3, 1);
        const std::string replacement = RandomText(rng, "xy\\1", 3);  // no "$": literal
        ASSERT_EQ(RegexReplaceStr(s, old, replacement), ReplaceAllEx(s, old, replacement, true))
            << "text '" << s << "' old '" << old << "' new '" << replacement << "'";
    }
}

TEST(CrossCheck, FindFromAgreesWithMatchStart) {
    std::mt19937 rng(7);
    TLxRegEx re;
    for (int round = 0; round < 2000; ++round) {
        const std::string s = RandomText(rng, "abAB", 30);
        const std::string sub = RandomText(rng, "abAB", 3, 1);
        re.SetPattern(sub);
        re.SetSubject(s);
        int expected = 0;
        for (int p = 1; p + static_cast<int>(sub.size()) - 1 <= static_cast<int>(s.size()); ++p) {
            if (LowerAscii(s.substr(static_cast<std::size_t>(p - 1), sub.size())) ==
                LowerAscii(sub)) {
                expected = p;
                break;
            }
        }
        ASSERT_EQ(FindFrom(s, sub, 1, true), expected) << s << " / " << sub;
        ASSERT_EQ(re.MatchFirst(), expected != 0);
        if (expected != 0) {
            ASSERT_EQ(re.MatchStart(), expected);
        }
    }
}

TEST(CrossCheck, OddTemplatesNeverBreakTheRest) {
    // Whatever the template, the text outside the matches is kept and nothing is rescanned.
    std::mt19937 rng(42);
    for (int round = 0; round < 3000; ++round) {
        std::string replacement = "$";
        replacement += RandomText(rng, "$\\{}<>G0123FIULab_", 12);
        const std::string out = RegexReplaceStr("[q]ab(c)", "(?<n>a)(b)", replacement);
        ASSERT_EQ(out.substr(0, 3), "[q]") << replacement;
        ASSERT_EQ(out.substr(out.size() - 3), "(c)") << replacement;
    }
}

TEST(CrossCheck, OddPatternsCompileOrThrowRegexError) {
    std::mt19937 rng(99);
    for (int round = 0; round < 3000; ++round) {
        const std::string pattern = RandomText(rng, "()[]{}*+?.\\a1-^$|<>=!:", 8);
        try {
            const std::string out = RegexReplaceStr("a1<>-b", pattern, "$0$0");
            ASSERT_GE(out.size(), 6u);
        } catch (const RegexError& e) {
            if (pattern.empty()) {
                ASSERT_STREQ(
                    e.what(),
                    "TLxRegEx.Compile() - Please specify a regular expression in RegEx first");
            } else {
                ASSERT_EQ(e.what(), pattern);
            }
        }
    }
}

}  // namespace
}  // namespace quillery
