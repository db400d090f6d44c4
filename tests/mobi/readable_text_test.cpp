// Plain renderings for labels, metadata and the Palm database name: what a device shows must
// be readable text, never "&#N;".

#include "mobi/readable_text.h"

#include <gtest/gtest.h>

namespace quillery::mobi {
namespace {

TEST(ReadableText, WesternLabelsKeepTheCodePageAndFoldTheRest) {
    struct Case {
        const char* utf8;
        std::string cp1252;
    };
    const Case cases[] = {
        {"Caf\xC3\xA9 \xE2\x80\x9CQuotes\xE2\x80\x9D \xE2\x82\xAC", "Caf\xE9 \x93Quotes\x94 \x80"},
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "L\xF3"
         "dz"},  // ó is in the code page, Ł and ź are not
        {"Erd\xC5\x91s \xC4\x8C\x61pek", "Erdos Capek"},  // ő, Č: accents dropped
        {"Snow \xE2\x98\x83 and \xF0\x9F\x98\x80", "Snow ? and ?"},
        {"a\xE2\x80\x90"
         "b\xE2\x88\x92"
         "c\xE2\x80\x89"
         "d\xE2\x80\x8B"
         "e",
         "a-b-c de"},
        {"5\xE2\x80\xB2 6\xE2\x80\xB3", "5' 6\""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252Label(c.utf8), c.cp1252) << c.utf8;
    EXPECT_EQ(Utf8ToCp1252Label("x&#9731;y").find("&#"), 1u);  // literal text stays literal
}

TEST(ReadableText, PalmDatabaseNamesAreReadableAscii) {
    struct Case {
        const char* title;
        const char* name;
    };
    const Case cases[] = {
        {"The Test Book", "The_Test_Book"},
        {"Caf\xC3\xA9 Letters: \xC3\x86sop & Co.", "Cafe_Letters_AEsop_Co"},
        {"  Stra\xC3\x9F"
         "e -- 2nd ed.  ",
         "Strasse_--_2nd_ed"},
        {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "Untitled"},
        {"", "Untitled"},
        {"A very long title that goes on and on beyond the limit",
         "A_very_long_title_that_goes_on"},
    };
    for (const Case& c : cases) {
        const std::string name = PalmDatabaseName(c.title);
        EXPECT_EQ(name, c.name) << c.title;
        EXPECT_LE(name.size(), 31u);
    }
    EXPECT_EQ(AsciiLetters(U'\u00F8'), "o");
    EXPECT_EQ(AsciiLetters(U'\u0153'), "oe");
    EXPECT_EQ(AsciiLetters(U'\u2603'), "");
}

}  // namespace
}  // namespace quillery::mobi
