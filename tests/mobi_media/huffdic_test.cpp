// Dictionary-compressed text records, decompressed by libmobi back to the exact input.
#include "mobi/huffdic.h"

#include <gtest/gtest.h>
#include <mobi.h>

#include <memory>
#include <random>

#include "mini_mobi.h"
#include "temp_dir.h"
#include "toc_fixtures.h"

namespace quillery::mobi {
namespace {

constexpr std::size_t kRecordSize = 4096;
constexpr std::uint16_t kHuffdicCompression = 17480;

std::vector<std::string> SplitIntoRecords(const std::string& text) {
  std::vector<std::string> records;
  for (std::size_t at = 0; at < text.size(); at += kRecordSize) {
    records.push_back(text.substr(at, kRecordSize));
  }
  return records;
}

struct MobiDeleter {
  void operator()(MOBIData* m) const { mobi_free(m); }
};

// Compresses the records, builds a book around them and returns the text libmobi reads.
std::string RoundTripThroughLibmobi(const std::vector<std::string>& records,
                                    HuffdicBook* compressed = nullptr) {
  HuffdicBook book = HuffdicCompress(records);
  EXPECT_EQ(book.textRecords.size(), records.size());
  testing::MiniBook mini;
  mini.textRecords = book.textRecords;
  for (const std::string& record : records) mini.textLength += record.size();
  mini.compression = kHuffdicCompression;
  mini.huffRecords = book.huffCdicRecords;
  quillery::testing::TempDir dir;
  const std::string path = dir.Write("book.mobi", testing::BuildMiniMobi(mini));
  std::unique_ptr<MOBIData, MobiDeleter> data(mobi_init());
  EXPECT_EQ(mobi_load_filename(data.get(), path.c_str()), MOBI_SUCCESS);
  std::string text(mini.textLength + kRecordSize, '\0');
  std::size_t length = text.size();
  EXPECT_EQ(mobi_get_rawml(data.get(), text.data(), &length), MOBI_SUCCESS);
  text.resize(length);
  if (compressed != nullptr) *compressed = std::move(book);
  return text;
}

std::string Joined(const std::vector<std::string>& records) {
  std::string all;
  for (const std::string& record : records) all += record;
  return all;
}

TEST(Huffdic, BookTextComesBackExactlyAndSmaller) {
  const auto records = SplitIntoRecords(testing::MakeNestedBook(200, 3, 2).text);
  ASSERT_GT(records.size(), 20u);
  HuffdicBook book;
  EXPECT_EQ(RoundTripThroughLibmobi(records, &book), Joined(records));
  std::size_t compressed = 0;
  for (const std::string& record : book.textRecords) compressed += record.size();
  EXPECT_LT(compressed, Joined(records).size() / 2);
  EXPECT_EQ(book.huffCdicRecords.front().compare(0, 4, "HUFF"), 0);
  for (std::size_t i = 1; i < book.huffCdicRecords.size(); ++i) {
    EXPECT_EQ(book.huffCdicRecords[i].compare(0, 4, "CDIC"), 0);
    EXPECT_LE(book.huffCdicRecords[i].size(), 16u + 0xFFFFu);
  }
}

TEST(Huffdic, EveryByteValueAndUtf8TextComeBackExactly) {
  std::mt19937 random(7);
  std::string binary(3 * kRecordSize + 123, '\0');
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);
  std::string text = "Caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x94 <p class=\"x\">\xE6\x97\xA5\xE6\x9C\xAC</p>\r\n";
  while (text.size() < 2 * kRecordSize) text += text;
  auto records = SplitIntoRecords(binary + text);
  EXPECT_EQ(RoundTripThroughLibmobi(records), Joined(records));
}

TEST(Huffdic, TinyAndUniformTextsComeBackExactly) {
  for (const std::string& text : {std::string("a"), std::string("aaaaaaaaaaaaaaaa"),
                                  std::string("ab"), std::string(kRecordSize, ' '),
                                  std::string("<p>x</p>")}) {
    SCOPED_TRACE(text.substr(0, 20));
    const std::vector<std::string> records = {text};
    EXPECT_EQ(RoundTripThroughLibmobi(records), text);
  }
}

TEST(Huffdic, ManyDistinctWordsNeedSeveralDictionaryRecords) {
  std::string text;
  for (int i = 0; text.size() < 400 * kRecordSize; ++i) {
    text += "<p>word" + std::to_string(i % 9000) + " and longerword" + std::to_string(i % 7000) +
            " </p>";
  }
  const auto records = SplitIntoRecords(text);
  HuffdicBook book;
  EXPECT_EQ(RoundTripThroughLibmobi(records, &book), text);
  EXPECT_GT(book.huffCdicRecords.size(), 2u);
}

}  // namespace
}  // namespace quillery::mobi
