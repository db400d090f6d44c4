// Dictionary-compressed text records, decompressed by libmobi back to the exact input.
#include "mobi/huffdic.h"

#include <gtest/gtest.h>

#include <random>

#include "mini_mobi.h"

namespace quillery::mobi {
namespace {

// Text of at least `size` bytes made of numbered pieces: piece(i) for i = 0, 1, ...
template <typename Piece>
std::string Generated(std::size_t size, Piece piece) {
    std::string text;
    for (int i = 0; text.size() < size; ++i) text += piece(i);
    return text;
}

TEST(Huffdic, TextsComeBackExactlyThroughLibmobi) {
    std::mt19937 random(7);
    const auto randomByte = [&](int) { return char(random()); };
    const auto utf8 = [](int) {
        return "Caf\xC3\xA9 \xE2\x80\x94 <p>\xE6\x97\xA5\xE6\x9C\xAC</p>\r\n";
    };
    const auto chapter = [](int i) {
        return "<h2>Chapter " + std::to_string(i) + "</h2><p>And the story goes on.</p>";
    };
    const auto words = [](int i) {
        return "<p>word" + std::to_string(i % 9000) + " longer" + std::to_string(i % 7000);
    };
    struct Case {
        const char* name;
        std::string text;
        bool shrinksToHalf;
        std::size_t minDictionaryRecords;  // HUFF and CDIC
    };
    const Case cases[] = {
        {"book", Generated(100 * 1024, chapter), true, 2},
        {"every byte value, then UTF-8", Generated(12411, randomByte) + Generated(8192, utf8),
         false, 2},
        {"one letter", "a", false, 2},
        {"two letters", "ab", false, 2},
        {"uniform", std::string(4096, ' '), false, 2},
        {"tiny markup", "<p>x</p>", false, 2},
        {"many distinct words", Generated(400 * 4096, words), false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto records = testing::SplitIntoTextRecords(c.text);
        const HuffdicBook book = HuffdicCompress(records);
        ASSERT_EQ(book.textRecords.size(), records.size());
        ASSERT_GE(book.huffCdicRecords.size(), c.minDictionaryRecords);
        EXPECT_EQ(book.huffCdicRecords[0].substr(0, 4), "HUFF");
        for (std::size_t i = 1; i < book.huffCdicRecords.size(); ++i) {
            EXPECT_EQ(book.huffCdicRecords[i].substr(0, 4), "CDIC");
            EXPECT_LE(book.huffCdicRecords[i].size(), 16u + 0xFFFFu);
        }
        std::size_t compressed = 0;
        for (const std::string& record : book.textRecords) compressed += record.size();
        EXPECT_TRUE(!c.shrinksToHalf || compressed < c.text.size() / 2) << compressed;

        const auto data = testing::LoadWithLibmobi({.textRecords = book.textRecords,
                                                    .textLength = std::uint32_t(c.text.size()),
                                                    .compression = 17480,
                                                    .huffRecords = book.huffCdicRecords});
        std::string text(c.text.size() + 4096, '\0');
        std::size_t length = text.size();
        ASSERT_EQ(mobi_get_rawml(data.get(), text.data(), &length), MOBI_SUCCESS);
        text.resize(length);
        EXPECT_TRUE(text == c.text) << "text differs, " << text.size() << " bytes read";
    }
}

}  // namespace
}  // namespace quillery::mobi
