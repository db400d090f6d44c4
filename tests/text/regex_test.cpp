// The pattern engine, its helpers and how replacement templates expand.
#include "text/regex.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillery {
namespace {

struct ReplaceCase {
    const char* subject;
    const char* pattern;
    const char* replacement;
    const char* expected;
};

constexpr const char* kTwelve = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)";

// Every match of pattern in subject replaced by the template, by an engine with the default
// options (caseless, dot-all) that never makes an empty match.
const ReplaceCase kReplaceCases[] = {
    {"<title>x</title>", "<TITLE>", "[t]", "[t]x</title>"},
    {"a<!-- one\r\ntwo -->b", "<!.+?>", "", "ab"},
    // "^" and "$" refer to the whole subject only.
    {"one\ntwo\n", "^two", "X", "one\ntwo\n"},
    {"one\ntwo", "two$", "X", "one\nX"},
    // Byte-wise matching: UTF-8 letters are not folded, "." is one byte.
    {"\xC3\x89t\xC3\xA9", "\xC3\xA9", "e", "\xC3\x89te"},
    {"\xC3\xA9", "^..$", "x", "x"},
    // No empty match, and an empty subject never matches.
    {"bab", "a*", "-", "b-b"},
    {"abc", "(?=b)", "-", "abc"},
    {"", ".*", "y", ""},
    // The next search sees the text before it: the look-behind finds the preceding "b".
    {"abbb", "(?<=b)b", "x", "abxx"},
    {"<h2>T</H2><h3>U</h2>", "<h(\\d)>(.*?)</h\\1>", "[$2]", "[T]<h3>U</h2>"},
    // "$" digits, "$0" the whole match; every match gets its own expansion.
    {"ab", "(a)(b)", "$2$1", "ba"},
    {"xaby", "a(b)", "[$0|$1]", "x[ab|b]y"},
    {"<P class=a>x</P><p>y</p>", "<p([^>]*)>", "<div$1/>", "<div class=a/>x</P><div/>y</p>"},
    // The look-ahead byte is not consumed.
    {"width=100 ", "=([\\w\\-\\_\\./]+)(?=[\\s/>])", "=\"$1\"", "width=\"100\" "},
    // Two digits only when that many groups take part in this match.
    {"ab", "(a)(b)", "$12", "a2"},
    {"abcdefghijkl", kTwelve, "$12", "l"},
    {"abcdefghijkl", kTwelve, "$13", "a3"},
    {"abcdefghijkl", kTwelve, "\\12$", "l$"},
    {"abcdefghij;abcdefghijk;", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)?;", "<$11>", "<a1><k>"},
    // A missing group inserts nothing.
    {"xay", "(a)", "[$3]", "x[]y"},
    {"xay", "(a)", "[${7}]", "x[]y"},
    {"xay", "(a)", "[\\9]$", "x[]$y"},
    // Braced numbers and names.
    {"abcdefghijkl", kTwelve, "${12}${1}", "la"},
    {"k=v", "(?<key>\\w)=(?<val>\\w)", "${val}=${key}", "v=k"},
    {"k=v", "(?<_k1>\\w)=", "${_k1}:", "k:v"},
    {"k=v", "(?<key>\\w)=", "[${nosuch}]", "[]v"},
    {"abcdefghijkl", kTwelve, "${99999999999999}", ""},
    // "$" with anything else stays text; a trailing "$" never starts a reference.
    {"a", "(a)", "$x", "$x"},
    {"a", "(a)", "${1", "${1"},
    {"a", "(a)", "${}", "${}"},
    {"a", "(a)", "${1x}", "${1x}"},
    {"a", "(a)", "${9name}", "${9name}"},
    {"a", "(a)", "$$1", "$1"},
    {"a", "(a)", "1$", "1$"},
    // Without any "$" the replacement is literal; with one, "\1" is group 1.
    {"a", "(a)", "\\1", "\\1"},
    {"a", "(a)", "\\1$", "a$"},
    {"a", "(a)", "\\1\\$", "a$"},
    // Backslash escapes.
    {"a", "(a)", "\\\\$1", "\\a"},
    {"a", "(a)", "\\$1", "$1"},
    {"a", "(a)", "\\n$1", "\\na"},
    {"a", "(a)", "$1\\", "a\\"},
    {"a", "(a)", "\\F$1", "\\Fa"},
    // Case conversions; letters beyond ASCII are left as they are.
    {"[hELLO wORLD]", "\\[(.*)\\]", "\\F1$", "Hello world$"},
    {"[hELLO wORLD]", "\\[(.*)\\]", "\\L1$", "hello world$"},
    {"[hELLO wORLD]", "\\[(.*)\\]", "\\U1$", "HELLO WORLD$"},
    {"[o'NEIL mc-dONALD 2nd]", "\\[(.*)\\]", "\\I1$", "O'neil Mc-Donald 2nd$"},
    {"[\xC3\xA9t\xC3\xA9]", "\\[(.*)\\]", "\\U1$", "\xC3\xA9T\xC3\xA9$"},
    // Named groups with "\G<name>".
    {"k=v", "(?<key>\\w)=(?<val>\\w)", "\\G<val>$$", "v$"},
    {"k=v", "(?<key>\\w)=", "\\G<key$", "\\G<key$v"},
    {"k=v", "(?<key>\\w)=", "\\G<none>$", "$v"},
    // Inserted text is not scanned again.
    {"x$1y", "x(\\$1)y", "<$1>", "<$1>"},
    {"a\\1b", "a(.+)b", "[$1]", "[\\1]"},
};

// On a fresh engine and on the shared one, which have the same options.
TEST(ReplaceTemplate, ExpandsEveryFormOfReference) {
    EXPECT_EQ(SharedRegex().Options(), preCaseLess | preSingleLine);
    EXPECT_EQ(TLxRegEx().Options(), preCaseLess | preSingleLine);
    for (const ReplaceCase& c : kReplaceCases) {
        SCOPED_TRACE(std::string("template '") + c.replacement + "' pattern '" + c.pattern +
                     "' subject '" + c.subject + "'");
        TLxRegEx re;
        re.SetPattern(c.pattern);
        EXPECT_EQ(re.Replace(c.subject, c.replacement), c.expected);
        EXPECT_EQ(RegexReplaceStr(c.subject, c.pattern, c.replacement), c.expected);
    }
}

TEST(ReplaceTemplate, OddTemplatesNeverBreakTheRest) {
    // Whatever the template, the text outside the match is kept and nothing is rescanned.
    std::mt19937 rng(42);
    const std::string_view alphabet = "$\\{}<>G0123FIULab_";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int round = 0; round < 3000; ++round) {
        std::string replacement = "$";
        for (int n = length(rng); n > 0; --n) replacement += alphabet[pick(rng)];
        const std::string out = RegexReplaceStr("[q]ab(c)", "(?<n>a)(b)", replacement);
        ASSERT_EQ(out.substr(0, 3), "[q]") << replacement;
        ASSERT_EQ(out.substr(out.size() - 3), "(c)") << replacement;
    }
}

// The message of the Exception that action throws, or "" when it throws none.
template <class Exception, class Action>
std::string MessageOf(Action action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

TEST(RegexEngine, MatchNextWalksTheSubjectMatchFirstRestartsAndGroupsAreFoundByNumberOrName) {
    TLxRegEx re;
    re.SetPattern("b(\\d)");
    re.SetSubject("ab1cb2");
    ASSERT_TRUE(re.MatchNext());  // the first call after SetSubject acts as MatchFirst
    EXPECT_EQ(re.MatchStart(), 2);
    EXPECT_EQ(re.MatchEnd(), 4);
    ASSERT_TRUE(re.MatchNext());
    EXPECT_EQ(re.MatchStart(), 5);
    EXPECT_EQ(re.Submatch(1), "2");
    EXPECT_FALSE(re.MatchNext());
    EXPECT_EQ(MessageOf<std::logic_error>([&] { (void)re.MatchStart(); }),
              "REQUIRE: There must be a successful match first");
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.MatchLength(), 2);
    // Groups by number and by name.
    re.SetPattern("(a)|(b)(c)?");
    re.SetSubject("b");
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.SubmatchCount(), 2);  // the highest group taking part
    EXPECT_EQ(re.Submatch(1), "");
    EXPECT_EQ(re.Submatch(2), "b");
    EXPECT_EQ(re.Submatch(50), "");
    re.SetPattern("(?<tag>\\w+)=(?<value>\\d+)");
    EXPECT_EQ(re.SubmatchIndexOf("value"), 2);
    EXPECT_LE(re.SubmatchIndexOf("missing"), 0);
}

TEST(RegexEngine, BadOrEmptyPatternThrowsItsMessageAndTheEngineGoesOn) {
    EXPECT_EQ(MessageOf<RegexError>([] { RegexReplaceStr("x", "(unclosed", "y"); }), "(unclosed");
    std::string s = "abc";
    EXPECT_EQ(MessageOf<RegexError>([&] { RegexDelete(s, ""); }),
              "TLxRegEx.Compile() - Please specify a regular expression in RegEx first");
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(RegexReplaceStr("abc", "b", "x"), "axc");
}

TEST(RegexEngine, OptionsChangeTheCompiledFormAndReplaceKeepsItsOwnSubject) {
    TLxRegEx re(0);
    re.SetPattern("A.B");
    EXPECT_EQ(re.Replace("a\nb A\nB AxB", "-"), "a\nb A\nB -");
    re.SetOptions(preCaseLess | preSingleLine);
    EXPECT_EQ(re.Replace("a\nb A\nB AxB", "-"), "- - -");
    re.SetOptions(preMultiLine);
    re.SetPattern("^x");
    EXPECT_EQ(re.Replace("x\nx", "y"), "y\ny");
    // Replace and MatchAll keep their own copy of the subject.
    re.SetOptions(preCaseLess | preSingleLine);
    re.SetPattern("<img[^>]*>");
    EXPECT_EQ(re.MatchAll("<IMG a><p><img b>"), (std::vector<std::string>{"<IMG a>", "<img b>"}));
    EXPECT_TRUE(re.MatchAll("").empty());
    re.SetPattern("b");
    std::string subject = "abcb";
    EXPECT_EQ(re.Replace(subject, "x"), "axcx");
    subject.assign("zzzz");
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.MatchStart(), 2);
}

TEST(RegexEngine, RegexReplaceAndDeleteWorkInPlaceOnTheSharedEngine) {
    std::string s = "width=100 height=20>";
    RegexReplace(s, "=(\\w+)", "=\"$1\"");
    EXPECT_EQ(s, "width=\"100\" height=\"20\">");
    RegexDelete(s, "\\s*height=\"\\d+\"");
    EXPECT_EQ(s, "width=\"100\">");
    // The shared engine keeps the pattern and the previous text as its subject.
    ASSERT_TRUE(SharedRegex().MatchFirst());
    EXPECT_EQ(SharedRegex().MatchedText(), " height=\"20\"");
}

TEST(RegexEngine, MatchLimitStopsOnlyRunawayPatternsAndIsReported) {
    // Catastrophic backtracking runs into PCRE2's match limit: the replace must fail loudly
    // rather than return the text as if nothing matched.
    std::string s(40, 'a');
    EXPECT_THROW(RegexReplace(s, "(a|aa)+\\d", ""), std::runtime_error);
    EXPECT_EQ(s, std::string(40, 'a'));
    // Dots over chapters of many megabytes take more steps than PCRE2's default limit: the
    // limit grows with the subject, so these finish.
    std::string text = "<!--" + std::string(3'000'000, 'x') + "-->tail";
    RegexDelete(text, "<!--.*?-->");
    EXPECT_EQ(text, "tail");
    std::string chapter = "<head>x</head>" + std::string(12'000'000, 'y');
    RegexDelete(chapter, "<head>.*</head>");
    EXPECT_EQ(chapter, std::string(12'000'000, 'y'));
    const std::string unterminated = "<!--" + std::string(12'000'000, 'z');
    EXPECT_EQ(RegexReplaceStr(unterminated, "<!--.*?-->", ""), unterminated);
}

}  // namespace
}  // namespace quillery
