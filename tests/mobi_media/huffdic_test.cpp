// Dictionary-compressed text records, decompressed by libmobi back to the exact input.
#include "mobi/huffdic.h"

#include <gtest/gtest.h>

#include <random>

#include "mini_mobi.h"

namespace quillery::mobi {
namespace {

std::string Repeated(const std::string& piece, std::size_t size) {
    std::string text;
    while (text.size() < size) text += piece;
    return text;
}

std::string BookLikeText() {
    std::string text = "<html><body>";
    for (int i = 0; text.size() < 100 * 1024; ++i) {
        text += "<h2>Chapter " + std::to_string(i) + "</h2><p>Some text of chapter " +
                std::to_string(i) + ", and the story goes on.</p><mbp:pagebreak/>";
    }
    return text + "</body></html>";
}

std::string EveryByteValueThenUtf8() {
    std::mt19937 random(7);
    std::string text(3 * 4096 + 123, '\0');
    for (char& c : text) c = static_cast<char>(random() & 0xFF);
    return text +
           Repeated("Caf\xC3\xA9 \xE2\x80\x94 <p class=\"x\">\xE6\x97\xA5\xE6\x9C\xAC</p>\r\n",
                    2 * 4096);
}

std::string ManyDistinctWords() {
    std::string text;
    for (int i = 0; text.size() < 400 * 4096; ++i) {
        text += "<p>word" + std::to_string(i % 9000) + " and longerword" +
                std::to_string(i % 7000) + " </p>";
    }
    return text;
}

TEST(Huffdic, TextsComeBackExactlyThroughLibmobi) {
    struct Case {
        const char* name;
        std::string text;
        bool shrinksToHalf;
        std::size_t minDictionaryRecords;  // HUFF and CDIC
    };
    const Case cases[] = {
        {"book", BookLikeText(), true, 2},
        {"every byte value and UTF-8", EveryByteValueThenUtf8(), false, 2},
        {"one letter", "a", false, 2},
        {"two letters", "ab", false, 2},
        {"uniform", std::string(4096, ' '), false, 2},
        {"tiny markup", "<p>x</p>", false, 2},
        {"many distinct words", ManyDistinctWords(), false, 3},
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
        if (c.shrinksToHalf) {
            EXPECT_LT(compressed, c.text.size() / 2);
        }

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
