#include "mobi/palmdoc.h"

#include <gtest/gtest.h>

#include <random>

namespace quillery::mobi {
namespace {

TEST(PalmDoc, RoundTripsTextBinaryAndEdgeCases) {
    std::mt19937 random(3);
    std::string binary(4096, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    std::string prose;
    while (prose.size() < 4096)
        prose += "The quill wrote slowly across the paper, caf\xC3\xA9 and cr\xC3\xA8me. ";
    prose.resize(4096);
    const std::vector<std::string> inputs = {"",
                                             "a",
                                             " A",
                                             "  ",
                                             std::string(4096, 'x'),
                                             std::string("\x01\x02\x08\x09\x80\xFF\0z", 8),
                                             binary,
                                             prose,
                                             "abcabcabcabcabc ending with a space "};
    for (const auto& input : inputs) {
        const auto compressed = PalmDocCompress(input);
        const auto restored = PalmDocDecompress(compressed);
        ASSERT_TRUE(restored.has_value());
        EXPECT_EQ(*restored, input);
    }
    EXPECT_LT(PalmDocCompress(prose).size(), prose.size() * 2 / 3);
    EXPECT_LT(PalmDocCompress(std::string(4096, 'x')).size(), 1000u);
}

TEST(PalmDoc, DecodesEachTokenKind) {
    // literal run of 2, plain literal, "space + character", back-reference (distance 3, length 4)
    const std::string data =
        std::string("\x02\xE9\x80") + "a" + "\xC2" + std::string("\x80\x19", 2);
    const auto text = PalmDocDecompress(data);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, std::string("\xE9\x80") + "a B" + "a Ba");
}

TEST(PalmDoc, RefusesReferencesBeforeTheStartAndCutTokens) {
    EXPECT_FALSE(PalmDocDecompress(std::string("\x80\x19", 2)).has_value());
    EXPECT_FALSE(PalmDocDecompress("\x05"
                                   "ab")
                     .has_value());
    EXPECT_FALSE(PalmDocDecompress("abc\x80").has_value());
}

}  // namespace
}  // namespace quillery::mobi
