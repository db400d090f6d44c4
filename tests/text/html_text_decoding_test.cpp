// Percent-decoding of references and the decoding of page text to UTF-8.

#include "text/html_text_decoding.h"

#include <gtest/gtest.h>

#include "text/percent_decoding.h"
#include "text/utf8.h"

namespace quillery {
namespace {

TEST(PercentDecode, EveryHexPairIsOneByte) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"My%20Photo.jpg", "My Photo.jpg"},
        {"%C3%A9t%c3%a9", "\xC3\xA9t\xC3\xA9"},
        {"a%23b%2Fc", "a#b/c"},
        {"100%", "100%"},
        {"%2", "%2"},
        {"%zz%4", "%zz%4"},
        {"%41%42", "AB"},
    };
    for (const auto& c : cases) EXPECT_EQ(PercentDecode(c.in), c.out) << c.in;
}

TEST(AsUtf8, ValidTextStaysOtherBytesAreWindows1252) {
    EXPECT_EQ(AsUtf8("\xC3\xA9t\xC3\xA9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(AsUtf8("\xE9t\xE9 \x85 \x81"), "\xC3\xA9t\xC3\xA9 \xE2\x80\xA6 \xC2\x81");
    EXPECT_EQ(Windows1252ToUtf8("plain"), "plain");
}

TEST(IsValidUtf8, ASequenceIsJudgedWhereverTheAsciiAroundItEnds) {
    const struct {
        std::string sequence;
        bool valid;
    } cases[] = {
        {"\xC3\xA9", true},  {"\xE2\x98\x83", true},  {"\xF0\x9F\x98\x80", true},  {"\xC3", false},
        {"\xC0\xAF", false}, {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false}, {"\x80", false},
        {"\xFF", false},
    };
    for (const auto& c : cases) {
        for (std::size_t before = 0; before < 18; ++before) {
            for (std::size_t after : {0, 3, 9}) {
                const std::string text =
                    std::string(before, 'a') + c.sequence + std::string(after, 'z');
                EXPECT_EQ(IsValidUtf8(text), c.valid) << before << " " << after;
            }
        }
    }
}

TEST(DecodeHtmlText, NamedAndNumericReferences) {
    EXPECT_EQ(DecodeHtmlText("&AElig;&zwnj;&yuml;&euro;&#128512;&#X41;"),
              "\xC3\x86\xE2\x80\x8C\xC3\xBF\xE2\x82\xAC\xF0\x9F\x98\x80"
              "A");
    EXPECT_EQ(DecodeHtmlText("&#0; &#1114112; &eacute &amp"), "&#0; &#1114112; &eacute &amp");
}

}  // namespace
}  // namespace quillery
