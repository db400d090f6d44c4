#include "mobi/text_records.h"

#include <gtest/gtest.h>

#include "mobi/palmdoc.h"

namespace quillery::mobi {
namespace {

TEST(TextRecords, EveryRecordHoldsFourKilobytesAndAMultibyteEntry) {
    // "\xE2\x98\x83" (a snowman) placed so that the first boundary cuts it after one byte.
    std::string text(4095, 'a');
    text += "\xE2\x98\x83";
    text += std::string(5000, 'b');
    const auto records = BuildTextRecords(text, TextCompression::None, true);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].size(), 4096u + 3u);
    EXPECT_EQ(records[0].substr(4096), std::string("\x98\x83\x02", 3));
    EXPECT_EQ(records[1].substr(0, 2), "\x98\x83");
    EXPECT_EQ(records[1].back(), '\0');
    EXPECT_EQ(records[2].size(), text.size() - 8192 + 1);
}

TEST(TextRecords, CompressedRecordsDecompressToTheirPiece) {
    std::string text;
    while (text.size() < 10000) text += "Ærø and “quotes” across records. ";
    const auto records = BuildTextRecords(text, TextCompression::PalmDoc, true);
    std::string joined;
    std::size_t start = 0;
    for (const auto& record : records) {
        const std::size_t extra = (static_cast<unsigned char>(record.back()) & 3) + 1;
        const auto piece =
            PalmDocDecompress(std::string_view(record).substr(0, record.size() - extra));
        ASSERT_TRUE(piece.has_value());
        EXPECT_EQ(*piece, text.substr(start, 4096));
        EXPECT_EQ(record.substr(record.size() - extra, extra - 1),
                  MultibyteTrailingEntry(text, start + piece->size(), true).substr(0, extra - 1));
        joined += *piece;
        start += piece->size();
    }
    EXPECT_EQ(joined, text);
}

TEST(TextRecords, SingleByteTextHasEmptyEntries) {
    const std::string text(5000, '\xE9');
    for (const auto& record : BuildTextRecords(text, TextCompression::None, false))
        EXPECT_EQ(record.back(), '\0');
}

}  // namespace
}  // namespace quillery::mobi
