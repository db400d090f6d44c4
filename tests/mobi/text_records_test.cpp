// Text records: PalmDOC compression and the multibyte trailing entry of each record.

#include "mobi/text_records.h"

#include <gtest/gtest.h>

#include <random>

#include "mobi/palmdoc.h"

namespace quillery::mobi {
namespace {

TEST(PalmDoc, RoundTripsTextBinaryAndEdgeCases) {
    std::mt19937 random(3);
    std::string binary(4096, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    std::string prose;
    while (prose.size() < 4096) prose += "The quill wrote slowly, caf\xC3\xA9 and cr\xC3\xA8me. ";
    prose.resize(4096);
    for (const std::string& input :
         {std::string(), std::string("a"), std::string(" A"), std::string("  "),
          std::string(4096, 'x'), std::string("\x01\x02\x08\x09\x80\xFF\0z", 8), binary, prose,
          std::string("abcabcabcabcabc ending with a space ")}) {
        EXPECT_EQ(PalmDocDecompress(PalmDocCompress(input)).value_or("(refused)"), input);
    }
    EXPECT_LT(PalmDocCompress(prose).size(), prose.size() * 2 / 3);
}

TEST(TextRecords, ACharacterCutByABoundaryIsRepeatedInTheTrailingEntry) {
    // A three- and a four-byte character, each cut by the first boundary after one byte.
    for (const std::string character : {"\xE2\x98\x83", "\xF0\x9F\x98\x80"}) {
        const std::string text = std::string(4095, 'a') + character + std::string(5000, 'b');
        const auto records = BuildTextRecords(text, TextCompression::None, true);
        ASSERT_EQ(records.size(), 3u);
        const std::string rest = character.substr(1);
        EXPECT_EQ(records[0].substr(4096), rest + char(rest.size()));
        EXPECT_EQ(records[1].substr(0, rest.size()), rest);
        EXPECT_EQ(records[1].back(), '\0');
        EXPECT_EQ(records[2].size(), text.size() - 8192 + 1);
    }
    for (const auto& record :
         BuildTextRecords(std::string(5000, '\xE9'), TextCompression::None, false))
        EXPECT_EQ(record.back(), '\0');  // single-byte text: empty entries
}

}  // namespace
}  // namespace quillery::mobi
