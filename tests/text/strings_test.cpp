#include "text/strings.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

TEST(ReplaceAllEx, CaseModes) {
    EXPECT_EQ(ReplaceAll("Tag TAG tag", "tag", "x"), "Tag TAG x");
    EXPECT_EQ(ReplaceAllEx("Tag TAG tag", "tag", "x", true), "x x x");
    EXPECT_EQ(ReplaceAllEx("Tag TAG tag", "TAG", "x", false), "Tag x tag");
}

TEST(ReplaceAllEx, UnmatchedTextKeepsItsCaseAndNewIsInsertedAsIs) {
    EXPECT_EQ(ReplaceAllEx("<P>One</P>", "</p>", "</DIV>", true), "<P>One</DIV>");
    EXPECT_EQ(ReplaceAllEx("ABC", "b", "bb", true), "AbbC");
}

TEST(ReplaceAllEx, OccurrencesDoNotOverlap) {
    EXPECT_EQ(ReplaceAllEx("aaa", "aa", "b", false), "ba");
    EXPECT_EQ(ReplaceAllEx("AaA", "aa", "b", true), "bA");
    EXPECT_EQ(ReplaceAllEx("aaaa", "aa", "a", false), "aa");
}

TEST(ReplaceAllEx, EmptyOldOrNoOccurrenceLeavesTextUnchanged) {
    EXPECT_EQ(ReplaceAllEx("abc", "", "x", false), "abc");
    EXPECT_EQ(ReplaceAllEx("abc", "", "x", true), "abc");
    EXPECT_EQ(ReplaceAllEx("abc", "d", "x", true), "abc");
    EXPECT_EQ(ReplaceAllEx("", "a", "x", true), "");
    EXPECT_EQ(ReplaceAllEx("ab", "abc", "x", false), "ab");
}

TEST(ReplaceAllEx, IgnoreCaseFoldsOnlyAsciiLetters) {
    EXPECT_EQ(ReplaceAllEx("\xC3\x89", "\xC3\xA9", "e", true), "\xC3\x89");
    EXPECT_EQ(ReplaceAllEx("[x] {x}", "[X]", "y", true), "y {x}");
    EXPECT_EQ(ReplaceAllEx("@a `a", "`A", "y", true), "@a y");  // "@" is not "`" folded
}

TEST(ReplaceAllEx, ReplacesAtBothEndsAndWithEmptyNew) {
    EXPECT_EQ(ReplaceAllEx("xaxbx", "x", "", false), "ab");
    EXPECT_EQ(ReplaceAll("\r\n\r\n", "\r\n", "\n"), "\n\n");
    EXPECT_EQ(ReplaceAll(std::string("a\0b\0", 4), std::string("\0", 1), "-"), "a-b-");
}

TEST(FindHelpers, FindFromBoundaries) {
    EXPECT_EQ(FindFrom("abc", "c", 3, false), 3);
    EXPECT_EQ(FindFrom("abc", "c", 4, false), 0);
    EXPECT_EQ(FindFrom("abcabc", "b", 3, false), 5);
    EXPECT_EQ(FindFrom("abc", "B", 1, true), 2);
    EXPECT_EQ(FindFrom("abc", "B", 1, false), 0);
    EXPECT_EQ(FindFrom("abc", "", 1, false), 0);
    EXPECT_EQ(FindFrom("abc", "bcd", 1, false), 0);
    EXPECT_EQ(FindFrom("abc", "a", 0, false), 1);
}

TEST(FindHelpers, FindFromIgnoringCaseWithBothCasesAhead) {
    EXPECT_EQ(FindFrom("xXyxY", "xy", 1, true), 2);
    EXPECT_EQ(FindFrom("XzXzxy", "xY", 1, true), 5);
    EXPECT_EQ(FindFrom("a1a1A1", "A1", 2, true), 3);
}

TEST(FindHelpers, FindInRangeStopsBeforeTheLastByte) {
    // An occurrence starting on the last byte of S is not reported.
    EXPECT_EQ(FindInRange("abc", "c", 1, false, 100), 0);
    EXPECT_EQ(FindInRange("abcc", "c", 1, false, 100), 3);
    EXPECT_EQ(FindInRange("abc", "bc", 1, false, 100), 2);
    // p <= Limit - length(Sub)
    EXPECT_EQ(FindInRange("xxabxx", "ab", 1, false, 5), 3);
    EXPECT_EQ(FindInRange("xxabxx", "ab", 1, false, 4), 0);
    EXPECT_EQ(FindInRange("xxabxx", "AB", 1, true, 5), 3);
    EXPECT_EQ(FindInRange("xxabxxab", "ab", 4, false, 100), 7);
    EXPECT_EQ(FindInRange("abab", "ab", 2, false, 2), 0);
    EXPECT_EQ(FindInRange("ab", "", 1, false, 10), 0);
}

TEST(FindHelpers, FindLastBoundaries) {
    EXPECT_EQ(FindLast("a.b.c", ".", 0, false), 4);
    EXPECT_EQ(FindLast("a.b.c", ".", 3, false), 2);
    EXPECT_EQ(FindLast("a.b.c", ".", 4, false), 4);
    EXPECT_EQ(FindLast("a.b.c", ".", 1, false), 0);
    EXPECT_EQ(FindLast("abAB", "ab", 0, true), 3);
    EXPECT_EQ(FindLast("abAB", "ab", 0, false), 1);
    EXPECT_EQ(FindLast("abc", "bc", 100, false), 2);
    EXPECT_EQ(FindLast("abc", "", 0, false), 0);
    EXPECT_EQ(FindLast("ab", "abc", 0, true), 0);
}

TEST(FindHelpers, PosInIsExactCase) {
    EXPECT_EQ(PosIn("Hello", "l"), 3);
    EXPECT_EQ(PosIn("Hello", "H"), 1);
    EXPECT_EQ(PosIn("Hello", "h"), 0);
    EXPECT_EQ(PosIn("Hello", ""), 0);
}

TEST(SubstringHelpers, LeftRightMid) {
    EXPECT_EQ(LeftStr("abc", 2), "ab");
    EXPECT_EQ(LeftStr("abc", 0), "");
    EXPECT_EQ(LeftStr("abc", -1), "");
    EXPECT_EQ(LeftStr("abc", 9), "abc");
    EXPECT_EQ(RightStr("abc", 2), "bc");
    EXPECT_EQ(RightStr("abc", 0), "");
    EXPECT_EQ(RightStr("abc", -1), "abc");
    EXPECT_EQ(RightStr("abc", 4), "abc");
    EXPECT_EQ(MidStr("abcdef", 2, 3), "bcd");
    EXPECT_EQ(MidStr("abcdef", 2, 0), "bcdef");
    EXPECT_EQ(MidStr("abcdef", 5, 9), "ef");
    EXPECT_EQ(MidStr("abcdef", 7, 1), "");
    EXPECT_EQ(StrFrom("abcdef", 3), "cdef");
    EXPECT_EQ(StrFrom("abcdef", 7), "");
    EXPECT_EQ(StrFrom("abcdef", 1), "abcdef");
}

TEST(ExtractHelpers, ExtractBetween) {
    EXPECT_EQ(ExtractBetween("<title>Hi</title>", "<title>", "</title>", false), "Hi");
    EXPECT_EQ(ExtractBetween("<TITLE>Hi</Title>", "<title>", "</title>", true), "Hi");
    EXPECT_EQ(ExtractBetween("<TITLE>Hi</Title>", "<title>", "</title>", false), "");
    EXPECT_EQ(ExtractBetween("<t></t>", "<t>", "</t>", false), "");
    EXPECT_EQ(ExtractBetween("</t><t>x", "<t>", "</t>", false), "");
    EXPECT_EQ(ExtractBetween("[a][b]", "[", "]", false), "a");
}

TEST(ExtractHelpers, ExtractAllBetween) {
    const std::string s = "<a>1</a> <A>2</A> <a>3";
    const auto inner = ExtractAllBetween(s, "<a>", "</a>", false, true);
    ASSERT_EQ(inner.size(), 2u);
    EXPECT_EQ(inner[0], "1");
    EXPECT_EQ(inner[1], "2");
    const auto whole = ExtractAllBetween(s, "<a>", "</a>", true, true);
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_EQ(whole[1], "<A>2</A>");
    EXPECT_EQ(ExtractAllBetween(s, "<a>", "</a>", false, false).size(), 1u);
    EXPECT_TRUE(ExtractAllBetween("<a>x", "<a>", "</a>", false, false).empty());
    // The next start tag is looked for after the end tag.
    const auto nested = ExtractAllBetween("((a)(b))", "(", ")", false, false);
    ASSERT_EQ(nested.size(), 2u);
    EXPECT_EQ(nested[0], "(a");
    EXPECT_EQ(nested[1], "b");
}

TEST(AppendRangeHelper, WritesAndGrowsTheBuffer) {
    std::string buffer;
    int pos = 1;
    AppendRange(buffer, pos, "hello", 2, 4);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(buffer.size(), 1025u);  // grown to BufferPos + 1024 at the first byte
    EXPECT_EQ(buffer.substr(0, 3), "ell");
    AppendRange(buffer, pos, "XY", 1, 2);
    EXPECT_EQ(buffer.substr(0, pos - 1), "ellXY");
    EXPECT_EQ(buffer.size(), 1025u);
    // A long range grows the buffer as often as needed.
    const std::string big(3000, 'z');
    AppendRange(buffer, pos, big, 1, 3000);
    EXPECT_EQ(pos, 3006);
    ASSERT_GE(buffer.size(), 3005u);
    EXPECT_EQ(buffer.substr(0, pos - 1), "ellXY" + big);
    // Nothing for an empty or inverted range.
    AppendRange(buffer, pos, "abc", 3, 2);
    EXPECT_EQ(pos, 3006);
}

TEST(Entities, EncodeInOrder) {
    EXPECT_EQ(EncodeEntities("a<b&c"), "a&lt;b&amp;c");
    EXPECT_EQ(EncodeEntities("&lt;>"), "&amp;lt;&gt;");
}

TEST(Entities, DecodeAmpersandFirstThenNbsp) {
    EXPECT_EQ(DecodeEntities("&amp;nbsp;"), " ");
    EXPECT_EQ(DecodeEntities("a&nbsp;b &amp; c"), "a b & c");
    EXPECT_EQ(DecodeEntities("&lt;b&gt;"), "&lt;b&gt;");
    EXPECT_EQ(DecodeEntities("plain text"), "plain text");
}

TEST(SmallConveniences, TrimAndCase) {
    EXPECT_EQ(Trim(" \t\r\nab c\x01 "), "ab c");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x");
    EXPECT_EQ(LowerAscii("AbC\xC3\x89"), "abc\xC3\x89");
    EXPECT_EQ(UpperAscii("aBc\xC3\xA9"), "ABC\xC3\xA9");
}

}  // namespace
}  // namespace quillery
