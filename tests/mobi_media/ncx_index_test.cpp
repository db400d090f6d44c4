// The navigation index records read back with the tests' own reader of the documented layout,
// and the linking of reading-order items into index entries.
#include "mobi/ncx_index.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "index_reader.h"
#include "toc_fixtures.h"

namespace quillery::mobi {
namespace {

using testing::ReadNavigationIndex;

testing::ReadIndex ReadBack(const std::vector<std::string>& records) {
  std::string error;
  auto index = ReadNavigationIndex(records, error);
  EXPECT_TRUE(index.has_value()) << error;
  return index.value_or(testing::ReadIndex{});
}

TEST(LinkTocEntries, OrdersLevelByLevelWithFamilyLinksAndSectionLengths) {
  // Reading order: A, A.1, A.1.a, A.2, B, B.1
  const std::vector<TocItem> items = {{"A", 10, 0},  {"A.1", 20, 1}, {"A.1.a", 30, 2},
                                      {"A.2", 40, 1}, {"B", 50, 0},   {"B.1", 60, 1}};
  const auto entries = LinkTocEntries(items, 100);
  ASSERT_EQ(entries.size(), 6u);
  const std::vector<std::string> order = {"A", "B", "A.1", "A.2", "B.1", "A.1.a"};
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(entries[i].label, order[i]);
  // A: children A.1..A.2, its section runs to B.
  EXPECT_EQ(entries[0].firstChild, 2);
  EXPECT_EQ(entries[0].lastChild, 3);
  EXPECT_EQ(entries[0].parent, -1);
  EXPECT_EQ(entries[0].length, 40u);
  // B: child B.1, section to the end of the text.
  EXPECT_EQ(entries[1].firstChild, 4);
  EXPECT_EQ(entries[1].lastChild, 4);
  EXPECT_EQ(entries[1].length, 50u);
  // A.1: parent A, child A.1.a, section to A.2.
  EXPECT_EQ(entries[2].parent, 0);
  EXPECT_EQ(entries[2].firstChild, 5);
  EXPECT_EQ(entries[2].length, 20u);
  EXPECT_EQ(entries[2].level, 1);
  // A.1.a: a leaf two levels down.
  EXPECT_EQ(entries[5].parent, 2);
  EXPECT_EQ(entries[5].firstChild, -1);
  EXPECT_EQ(entries[5].level, 2);
  EXPECT_EQ(entries[5].length, 10u);
}

TEST(LinkTocEntries, LevelJumpsCountAsOneLevelDown) {
  const std::vector<TocItem> items = {{"deep first", 0, 3}, {"jump", 5, 4}, {"top", 9, 0}};
  const auto entries = LinkTocEntries(items, 20);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].label, "deep first");
  EXPECT_EQ(entries[0].level, 0);
  EXPECT_EQ(entries[1].label, "top");
  EXPECT_EQ(entries[2].label, "jump");
  EXPECT_EQ(entries[2].level, 1);
  EXPECT_EQ(entries[2].parent, 0);
}

TEST(NcxIndexRecords, NoEntriesGiveNoRecords) {
  EXPECT_TRUE(BuildNcxIndexRecords({}).empty());
}

TEST(NcxIndexRecords, SmallIndexNamesEntriesWithTwoHexDigits) {
  std::vector<TocEntry> entries(12);
  const auto index = ReadBack(BuildNcxIndexRecords(entries));
  ASSERT_EQ(index.entries.size(), 12u);
  EXPECT_EQ(index.entries[0].name, "00");
  EXPECT_EQ(index.entries[10].name, "0A");
  EXPECT_EQ(index.entries[11].name, "0B");
}

TEST(NcxIndexRecords, ReadBackGivesEveryEntryWithItsTagsAndLabel) {
  const auto book = testing::MakeNestedBook(4, 3, 2);
  const auto entries = LinkTocEntries(book.items, static_cast<std::uint32_t>(book.text.size()));
  const auto index = ReadBack(BuildNcxIndexRecords(entries));
  EXPECT_EQ(index.encoding, kIndexUtf8);
  EXPECT_EQ(index.totalEntries, entries.size());
  const std::vector<std::pair<int, int>> tagTable = {{1, 1},   {2, 2},   {3, 4},  {4, 8},
                                                      {21, 16}, {22, 32}, {23, 64}};
  EXPECT_EQ(index.tagTable, tagTable);
  ASSERT_EQ(index.entries.size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& read = index.entries[i];
    SCOPED_TRACE(entries[i].label);
    EXPECT_EQ(read.label, entries[i].label);
    EXPECT_EQ(read.tags.at(1), entries[i].offset);
    EXPECT_EQ(read.tags.at(2), entries[i].length);
    EXPECT_EQ(read.tags.at(4), static_cast<std::uint32_t>(entries[i].level));
    EXPECT_EQ(read.tags.count(21), entries[i].parent >= 0 ? 1u : 0u);
    EXPECT_EQ(read.tags.count(22), entries[i].firstChild >= 0 ? 1u : 0u);
    if (entries[i].parent >= 0) {
      EXPECT_EQ(read.tags.at(21), std::uint32_t(entries[i].parent));
    }
    if (entries[i].lastChild >= 0) {
      EXPECT_EQ(read.tags.at(23), std::uint32_t(entries[i].lastChild));
    }
  }
}

TEST(NcxIndexRecords, ManyEntriesAreSplitOverRecordsBelow64KWithNamesInOrder) {
  const auto book = testing::MakeNestedBook(2000, 3, 1, "Part");
  const auto entries = LinkTocEntries(book.items, static_cast<std::uint32_t>(book.text.size()));
  const auto records = BuildNcxIndexRecords(entries);
  for (const std::string& record : records) EXPECT_LT(record.size(), 0x10000u);
  const auto index = ReadBack(records);
  ASSERT_GT(entries.size(), 10000u);
  ASSERT_LT(entries.size(), 0x10000u);
  EXPECT_GE(index.dataRecordCount, 2u);
  EXPECT_GE(index.labelRecordCount, 2u);
  ASSERT_EQ(index.entries.size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(index.entries[i].label, entries[i].label);
    // More than 255 entries: every name has four hexadecimal digits.
    char name[24];
    std::snprintf(name, sizeof name, "%04zX", i);
    EXPECT_EQ(index.entries[i].name, name);
  }
}

TEST(NcxIndexRecords, OverlongLabelIsCutAtACharacterBoundary) {
  std::string label;
  while (label.size() < 2000) label += "\xC3\xA9";  // é in UTF-8
  TocEntry entry;
  entry.label = label;
  const auto index = ReadBack(BuildNcxIndexRecords({entry}));
  ASSERT_EQ(index.entries.size(), 1u);
  EXPECT_LE(index.entries[0].label.size(), kMaxLabelBytes);
  EXPECT_GE(index.entries[0].label.size(), kMaxLabelBytes - 1);
  EXPECT_EQ(index.entries[0].label.size() % 2, 0u);  // no half character
}

TEST(NcxIndexRecords, LinksToMissingEntriesAreLeftOut) {
  TocEntry entry;
  entry.label = "alone";
  entry.parent = 7;
  entry.firstChild = -5;
  entry.lastChild = 1;
  const auto index = ReadBack(BuildNcxIndexRecords({entry}, kIndexCp1252));
  EXPECT_EQ(index.encoding, kIndexCp1252);
  ASSERT_EQ(index.entries.size(), 1u);
  EXPECT_EQ(index.entries[0].tags.count(21), 0u);
  EXPECT_EQ(index.entries[0].tags.count(22), 0u);
  EXPECT_EQ(index.entries[0].tags.count(23), 0u);
}

}  // namespace
}  // namespace quillery::mobi
