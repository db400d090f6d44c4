#include <gtest/gtest.h>

#include <stdexcept>

#include "text/regex.h"

namespace quillery {
namespace {

TEST(RegexEngine, SharedInstanceIsCaselessAndDotAll) {
    EXPECT_EQ(SharedRegex().Options(), preCaseLess | preSingleLine);
    EXPECT_EQ(RegexReplaceStr("<title>x</title>", "<TITLE>", "[t]"), "[t]x</title>");
    EXPECT_EQ(RegexReplaceStr("a<!-- one\r\ntwo -->b", "<!.+?>", ""), "ab");
}

TEST(RegexEngine, DollarAndCaretReferToWholeSubject) {
    EXPECT_EQ(RegexReplaceStr("one\ntwo\n", "^two", "X"), "one\ntwo\n");
    EXPECT_EQ(RegexReplaceStr("one\ntwo", "two$", "X"), "one\nX");
}

TEST(RegexEngine, CaselessFoldsOnlyAscii) {
    // Matching is byte-wise with ASCII tables: UTF-8 letters are not folded.
    EXPECT_EQ(RegexReplaceStr("\xC3\x89t\xC3\xA9", "\xC3\xA9", "e"), "\xC3\x89te");
    EXPECT_EQ(RegexReplaceStr("\xC3\xA9", "^.$", "x"), "\xC3\xA9");
    EXPECT_EQ(RegexReplaceStr("\xC3\xA9", "^..$", "x"), "x");
}

TEST(RegexEngine, MatchFirstAndNextWalkTheSubject) {
    TLxRegEx re;
    re.SetPattern("b(\\d)");
    re.SetSubject("ab1cb2");
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.MatchedText(), "b1");
    EXPECT_EQ(re.MatchStart(), 2);
    EXPECT_EQ(re.MatchEnd(), 4);
    EXPECT_EQ(re.MatchLength(), 2);
    EXPECT_EQ(re.Submatch(1), "1");
    EXPECT_EQ(re.SubmatchCount(), 1);
    ASSERT_TRUE(re.MatchNext());
    EXPECT_EQ(re.MatchStart(), 5);
    EXPECT_EQ(re.Submatch(1), "2");
    EXPECT_FALSE(re.MatchNext());
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.MatchStart(), 2);
}

TEST(RegexEngine, FirstMatchNextAfterSubjectActsAsMatchFirst) {
    TLxRegEx re;
    re.SetPattern("x");
    re.SetSubject("axbx");
    ASSERT_TRUE(re.MatchNext());
    EXPECT_EQ(re.MatchStart(), 2);
}

TEST(RegexEngine, NeverProducesAnEmptyMatch) {
    TLxRegEx re;
    re.SetPattern("a*");
    re.SetSubject("bab");
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.MatchStart(), 2);
    EXPECT_EQ(re.MatchLength(), 1);
    EXPECT_FALSE(re.MatchNext());
    EXPECT_EQ(RegexReplaceStr("bab", "a*", "-"), "b-b");
    EXPECT_EQ(RegexReplaceStr("abc", "(?=b)", "-"), "abc");
}

TEST(RegexEngine, EmptySubjectNeverMatches) {
    TLxRegEx re;
    re.SetPattern(".*");
    re.SetSubject("");
    EXPECT_FALSE(re.MatchFirst());
    EXPECT_EQ(RegexReplaceStr("", "x*", "y"), "");
    EXPECT_TRUE(re.MatchAll("").empty());
}

TEST(RegexEngine, SubmatchOfAbsentGroupsIsEmpty) {
    TLxRegEx re;
    re.SetPattern("(a)|(b)(c)?");
    re.SetSubject("b");
    ASSERT_TRUE(re.MatchFirst());
    // Group 2 took part, group 3 did not: the highest group taking part is 2.
    EXPECT_EQ(re.SubmatchCount(), 2);
    EXPECT_EQ(re.Submatch(1), "");
    EXPECT_EQ(re.Submatch(2), "b");
    EXPECT_EQ(re.Submatch(3), "");
    EXPECT_EQ(re.Submatch(50), "");
}

TEST(RegexEngine, MatchStateWithoutMatchIsAnError) {
    TLxRegEx re;
    re.SetPattern("z");
    EXPECT_THROW(re.MatchedText(), std::logic_error);
    re.SetSubject("abc");
    EXPECT_FALSE(re.MatchFirst());
    try {
        (void)re.MatchStart();
        FAIL() << "no exception";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "REQUIRE: There must be a successful match first");
    }
    EXPECT_THROW((void)re.SubmatchCount(), std::logic_error);
}

TEST(RegexEngine, BadPatternThrowsWithThePatternAsMessage) {
    TLxRegEx re;
    re.SetPattern("(unclosed");
    re.SetSubject("x");
    try {
        re.MatchFirst();
        FAIL() << "no exception";
    } catch (const RegexError& e) {
        EXPECT_STREQ(e.what(), "(unclosed");
    }
    EXPECT_THROW(RegexReplaceStr("x", "[", "y"), RegexError);
}

TEST(RegexEngine, EmptyPatternThrowsTheFixedMessage) {
    TLxRegEx re;
    re.SetSubject("x");
    try {
        re.MatchFirst();
        FAIL() << "no exception";
    } catch (const RegexError& e) {
        EXPECT_STREQ(e.what(),
                     "TLxRegEx.Compile() - Please specify a regular expression in RegEx first");
    }
    std::string s = "abc";
    EXPECT_THROW(RegexDelete(s, ""), RegexError);
    EXPECT_EQ(s, "abc");
}

TEST(RegexEngine, EngineStaysUsableAfterACompileFailure) {
    EXPECT_THROW(RegexReplaceStr("abc", "(", ""), RegexError);
    EXPECT_EQ(RegexReplaceStr("abc", "b", "x"), "axc");
}

TEST(RegexEngine, OptionsChangeTheCompiledForm) {
    TLxRegEx re(0);
    re.SetPattern("A.B");
    EXPECT_EQ(re.Replace("a\nb A\nB AxB", "-"), "a\nb A\nB -");
    re.SetOptions(preCaseLess | preSingleLine);
    EXPECT_EQ(re.Replace("a\nb A\nB AxB", "-"), "- - -");
    re.SetOptions(preMultiLine);
    re.SetPattern("^x");
    EXPECT_EQ(re.Replace("x\nx", "y"), "y\ny");
    re.SetOptions(preUnGreedy);
    re.SetPattern("a+");
    EXPECT_EQ(re.Replace("aaa", "b"), "bbb");
}

TEST(RegexEngine, MatchThatCannotFinishIsReportedNotTakenAsNoMatch) {
    // Catastrophic backtracking runs into PCRE2's match limit: the replace must fail loudly
    // rather than return the text as if nothing matched.
    std::string s(40, 'a');
    EXPECT_THROW(RegexReplace(s, "(a|aa)+\\d", ""), std::runtime_error);
    EXPECT_EQ(s, std::string(40, 'a'));
    EXPECT_EQ(RegexReplaceStr("abc", "b", "x"), "axc");  // and the engine goes on working
}

TEST(RegexEngine, SubmatchIndexOfNamesGroups) {
    TLxRegEx re;
    re.SetPattern("(?<tag>\\w+)=(?<value>\\d+)");
    EXPECT_EQ(re.SubmatchIndexOf("tag"), 1);
    EXPECT_EQ(re.SubmatchIndexOf("value"), 2);
    EXPECT_LE(re.SubmatchIndexOf("missing"), 0);
}

TEST(RegexEngine, MatchAllListsEveryWholeMatch) {
    TLxRegEx re;
    re.SetPattern("<img[^>]*>");
    const auto all = re.MatchAll("<IMG a><p><img b>");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], "<IMG a>");
    EXPECT_EQ(all[1], "<img b>");
}

TEST(RegexEngine, LookBehindSeesTextBeforeTheNextStart) {
    TLxRegEx re;
    re.SetPattern("(?<=a)b");
    re.SetSubject("abab");
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.MatchStart(), 2);
    ASSERT_TRUE(re.MatchNext());
    EXPECT_EQ(re.MatchStart(), 4);
}

TEST(RegexEngine, BackReferencesInPatterns) {
    EXPECT_EQ(RegexReplaceStr("<h2>T</H2><h3>U</h2>", "<h(\\d)>(.*?)</h\\1>", "[$2]"),
              "[T]<h3>U</h2>");
}

TEST(RegexEngine, ReplaceKeepsTheSubjectForLaterMatching) {
    TLxRegEx re;
    re.SetPattern("b");
    std::string subject = "abcb";
    EXPECT_EQ(re.Replace(subject, "x"), "axcx");
    subject.assign("zzzz");  // the engine holds its own copy
    ASSERT_TRUE(re.MatchFirst());
    EXPECT_EQ(re.MatchStart(), 2);
}

TEST(RegexEngine, RegexReplaceAndDeleteWorkInPlace) {
    std::string s = "width=100 height=20>";
    RegexReplace(s, "=([\\w\\-\\_\\./]+)(?=[\\s/>])", "=\"$1\"");
    EXPECT_EQ(s, "width=\"100\" height=\"20\">");
    RegexDelete(s, "\\s*height=\"\\d+\"");
    EXPECT_EQ(s, "width=\"100\">");
    EXPECT_EQ(SharedRegex().Pattern(), "\\s*height=\"\\d+\"");
    // The shared engine keeps the previous text as its subject.
    ASSERT_TRUE(SharedRegex().MatchFirst());
    EXPECT_EQ(SharedRegex().MatchedText(), " height=\"20\"");
}

TEST(RegexEngine, RegexReplaceStrLeavesSubjectUnchanged) {
    const std::string subject = "a-b-c";
    EXPECT_EQ(RegexReplaceStr(subject, "-", "+"), "a+b+c");
    EXPECT_EQ(subject, "a-b-c");
}

TEST(RegexEngine, LongSubjectsWithLazyDotMatch) {
    // A lazy dot over megabytes must neither fail nor stop early.
    std::string text = "<!--" + std::string(3'000'000, 'x') + "-->tail";
    RegexDelete(text, "<!--.*?-->");
    EXPECT_EQ(text, "tail");
    // A greedy dot walks back over the whole chapter: more steps than PCRE2's default limit.
    std::string chapter = "<head>x</head>" + std::string(12'000'000, 'y');
    RegexDelete(chapter, "<head>.*</head>");
    EXPECT_EQ(chapter, std::string(12'000'000, 'y'));
    std::string unterminated = "<!--" + std::string(12'000'000, 'z');
    EXPECT_EQ(RegexReplaceStr(unterminated, "<!--.*?-->", ""), unterminated);
    std::string many;
    for (int i = 0; i < 100000; ++i) many += "<b>x</b>";
    RegexReplace(many, "<b>(.*?)</b>", "$1");
    EXPECT_EQ(many, std::string(100000, 'x'));
}

}  // namespace
}  // namespace quillery
