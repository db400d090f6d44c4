// The plain-text and entity helpers.

#include "text/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillery {
namespace {

using Strings = std::vector<std::string>;

struct ReplaceAllCase {
    std::string s;
    std::string oldText;
    std::string newText;
    bool ignoreCase;
    std::string expected;
};

const ReplaceAllCase kReplaceAllCases[] = {
    // Case modes; unmatched text keeps its case and New is inserted as it is.
    {"Tag TAG tag", "tag", "x", false, "Tag TAG x"},
    {"Tag TAG tag", "tag", "x", true, "x x x"},
    {"Tag TAG tag", "TAG", "x", false, "Tag x tag"},
    {"<P>One</P>", "</p>", "</DIV>", true, "<P>One</DIV>"},
    // Occurrences do not overlap.
    {"aaa", "aa", "b", false, "ba"},
    {"AaA", "aa", "b", true, "bA"},
    {"aaaa", "aa", "a", false, "aa"},
    // Empty Old, empty S, Old longer than S: S unchanged.
    {"abc", "", "x", true, "abc"},
    {"", "a", "x", true, ""},
    {"ab", "abc", "x", false, "ab"},
    // Ignoring case folds only A..Z: not UTF-8 letters, not "[" / "{" or "@" / "`".
    {"\xC3\x89", "\xC3\xA9", "e", true, "\xC3\x89"},
    {"[x] {x}", "[X]", "y", true, "y {x}"},
    {"@a `a", "`A", "y", true, "@a y"},
    // Both ends, an empty New, NUL bytes.
    {"xaxbx", "x", "", false, "ab"},
    {"\r\n\r\n", "\r\n", "\n", false, "\n\n"},
    {std::string("a\0b\0", 4), std::string("\0", 1), "-", false, "a-b-"},
};

TEST(ReplaceAllEx, ReplacesEveryOccurrenceOnce) {
    for (const ReplaceAllCase& c : kReplaceAllCases) {
        SCOPED_TRACE("'" + c.s + "' old '" + c.oldText + "' ignoreCase " +
                     std::to_string(c.ignoreCase));
        EXPECT_EQ(ReplaceAllEx(c.s, c.oldText, c.newText, c.ignoreCase), c.expected);
        EXPECT_EQ(ReplaceAll(c.s, c.oldText, c.newText),
                  ReplaceAllEx(c.s, c.oldText, c.newText, false));
    }
}

TEST(FindHelpers, FindFromFindInRangeFindLastAndPosInBoundaries) {
    EXPECT_EQ(FindFrom("abc", "c", 3, false), 3);
    EXPECT_EQ(FindFrom("abc", "c", 4, false), 0);
    EXPECT_EQ(FindFrom("abcabc", "b", 3, false), 5);
    EXPECT_EQ(FindFrom("abc", "", 1, false), 0);
    EXPECT_EQ(FindFrom("abc", "bcd", 1, false), 0);
    EXPECT_EQ(FindFrom("abc", "a", 0, false), 1);
    // The first byte matches ignoring case before the rest is compared.
    EXPECT_EQ(FindFrom("XzXzxy", "xY", 1, true), 5);
    EXPECT_EQ(FindFrom("a1a1A1", "A1", 2, true), 3);
    // An occurrence starting on the last byte of S is not reported.
    EXPECT_EQ(FindInRange("abc", "c", 1, false, 100), 0);
    EXPECT_EQ(FindInRange("abcc", "c", 1, false, 100), 3);
    // The occurrence must begin at or before Limit - length(Sub).
    EXPECT_EQ(FindInRange("xxabxx", "AB", 1, true, 5), 3);
    EXPECT_EQ(FindInRange("xxabxx", "ab", 1, false, 4), 0);
    EXPECT_EQ(FindInRange("xxabxxab", "ab", 4, false, 100), 7);
    EXPECT_EQ(FindInRange("abab", "ab", 2, false, 2), 0);
    EXPECT_EQ(FindInRange("ab", "", 1, false, 10), 0);
    EXPECT_EQ(FindLast("a.b.c", ".", 0, false), 4);
    EXPECT_EQ(FindLast("a.b.c", ".", 3, false), 2);
    EXPECT_EQ(FindLast("a.b.c", ".", 4, false), 4);
    EXPECT_EQ(FindLast("a.b.c", ".", 1, false), 0);
    EXPECT_EQ(FindLast("abAB", "ab", 0, true), 3);
    EXPECT_EQ(FindLast("abAB", "ab", 0, false), 1);
    EXPECT_EQ(FindLast("abc", "bc", 100, false), 2);
    EXPECT_EQ(FindLast("abc", "", 0, false), 0);
    EXPECT_EQ(PosIn("Hello", "l"), 3);
    EXPECT_EQ(PosIn("Hello", "h"), 0);
}

TEST(SubstringHelpers, LeftRightMidStrFrom) {
    EXPECT_EQ(LeftStr("abc", -1), "");
    EXPECT_EQ(LeftStr("abc", 9), "abc");
    EXPECT_EQ(RightStr("abc", 2), "bc");
    EXPECT_EQ(RightStr("abc", -1), "abc");
    EXPECT_EQ(RightStr("abc", 4), "abc");
    EXPECT_EQ(MidStr("abcdef", 2, 3), "bcd");
    EXPECT_EQ(MidStr("abcdef", 2, 0), "bcdef");
    EXPECT_EQ(MidStr("abcdef", 5, 9), "ef");
    EXPECT_EQ(MidStr("abcdef", 7, 1), "");
    EXPECT_EQ(StrFrom("abcdef", 3), "cdef");
    EXPECT_EQ(StrFrom("abcdef", 7), "");
}

TEST(ExtractHelpers, ExtractBetweenAndAllBetween) {
    EXPECT_EQ(ExtractBetween("<TITLE>Hi</Title>", "<title>", "</title>", true), "Hi");
    EXPECT_EQ(ExtractBetween("<TITLE>Hi</Title>", "<title>", "</title>", false), "");
    EXPECT_EQ(ExtractBetween("</t><t>x", "<t>", "</t>", false), "");
    EXPECT_EQ(ExtractBetween("[a][b]", "[", "]", false), "a");
    const std::string s = "<a>1</a> <A>2</A> <a>3";
    EXPECT_EQ(ExtractAllBetween(s, "<a>", "</a>", false, true), (Strings{"1", "2"}));
    EXPECT_EQ(ExtractAllBetween(s, "<a>", "</a>", true, true), (Strings{"<a>1</a>", "<A>2</A>"}));
    EXPECT_EQ(ExtractAllBetween(s, "<a>", "</a>", false, false), (Strings{"1"}));
    // The next start tag is looked for after the end tag.
    EXPECT_EQ(ExtractAllBetween("((a)(b))", "(", ")", false, false), (Strings{"(a", "b"}));
}

TEST(AppendRangeHelper, WritesAndGrowsTheBuffer) {
    std::string buffer;
    int pos = 1;
    AppendRange(buffer, pos, "hello", 2, 4);
    EXPECT_EQ(buffer.size(), 1025u);  // grown to BufferPos + 1024 at the first byte
    const std::string big(3000, 'z');
    AppendRange(buffer, pos, big, 1, 3000);
    AppendRange(buffer, pos, "abc", 3, 2);  // an inverted range writes nothing
    EXPECT_EQ(pos, 3004);
    ASSERT_GE(buffer.size(), 3003u);
    EXPECT_EQ(buffer.substr(0, pos - 1), "ell" + big);
}

TEST(Entities, ReplacedInTheirOrder) {
    EXPECT_EQ(EncodeEntities("a<b&c"), "a&lt;b&amp;c");
    EXPECT_EQ(EncodeEntities("&lt;>"), "&amp;lt;&gt;");
    EXPECT_EQ(DecodeEntities("&amp;nbsp;"), " ");
    EXPECT_EQ(DecodeEntities("&lt;b&gt;"), "&lt;b&gt;");
    EXPECT_EQ(DecodeEntities("plain text"), "plain text");
}

TEST(SmallConveniences, TrimAndAsciiCase) {
    EXPECT_EQ(Trim(" \t\r\nab c\x01 "), "ab c");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x");
    EXPECT_EQ(LowerAscii("AbC\xC3\x89"), "abc\xC3\x89");
    EXPECT_EQ(UpperAscii("aBc\xC3\xA9"), "ABC\xC3\xA9");
}

}  // namespace
}  // namespace quillery
