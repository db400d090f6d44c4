// The index records and the dictionary compression read by a second, independent reader:
// calibre's MOBI inspector, which (unlike libmobi 0.11) also resolves labels in every label
// record.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "mini_mobi.h"
#include "mobi/huffdic.h"
#include "mobi/ncx_index.h"
#include "temp_dir.h"
#include "toc_fixtures.h"

namespace quillery::mobi {
namespace {

struct InspectedEntry {
  std::uint32_t offset = 0;
  std::string label;
  int depth = -1;
};

bool CalibreInspectorPresent() {
  return std::system("command -v calibre-debug >/dev/null 2>&1") == 0;
}

// Runs the inspector on dir/book.mobi; it writes its reports into dir/decompiled_book/.
void RunInspector(const quillery::testing::TempDir& dir) {
  const std::string command =
      "cd '" + dir.path() + "' && calibre-debug --inspect-mobi book.mobi >inspect.log 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Reads the entries from the inspector's index report.
std::vector<InspectedEntry> InspectIndex(const quillery::testing::TempDir& dir) {
  RunInspector(dir);
  std::ifstream report(dir.path() + "decompiled_book/index.txt");
  std::vector<InspectedEntry> entries;
  std::string line;
  const auto valueAfterColon = [](const std::string& text) {
    return text.substr(text.find(" : ") + 3);
  };
  while (std::getline(report, line)) {
    if (line.rfind("Index Entry(", 0) == 0) {
      entries.emplace_back();
    } else if (entries.empty()) {
      continue;
    } else if (line.find("Offset in HTML : ") != std::string::npos) {
      entries.back().offset = static_cast<std::uint32_t>(std::stoul(valueAfterColon(line)));
    } else if (line.find("Depth of this entry in TOC : ") != std::string::npos) {
      entries.back().depth = std::stoi(valueAfterColon(line));
    } else if (line.find("Label offset in CNCX : ") != std::string::npos) {
      const std::size_t open = line.find("['");
      const std::size_t close = line.rfind("']");
      if (open != std::string::npos && close != std::string::npos && close > open) {
        entries.back().label = line.substr(open + 2, close - open - 2);
      }
    }
  }
  return entries;
}

TEST(NcxIndexInCalibre, LabelsInEveryLabelRecordAndEntriesInEveryDataRecordArrive) {
  if (!CalibreInspectorPresent()) GTEST_SKIP() << "calibre-debug is not installed";
  // 5000 entries with 50-byte labels: two data records and four label records.
  const auto book = testing::MakeNestedBook(1000, 2, 1, std::string(40, 'C'));
  const auto entries = LinkTocEntries(book.items, static_cast<std::uint32_t>(book.text.size()));
  const auto records = BuildNcxIndexRecords(entries);
  ASSERT_GE(records.size(), 1u + 2u + 4u);
  quillery::testing::TempDir dir;
  dir.Write("book.mobi", testing::BuildMiniMobi(book.text, records, kIndexUtf8));
  const auto inspected = InspectIndex(dir);
  ASSERT_EQ(inspected.size(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ASSERT_EQ(inspected[i].label, entries[i].label) << "entry " << i;
    ASSERT_EQ(inspected[i].offset, entries[i].offset) << "entry " << i;
    ASSERT_EQ(inspected[i].depth, entries[i].level) << "entry " << i;
  }
}

TEST(HuffdicInCalibre, TextComesBackExactly) {
  if (!CalibreInspectorPresent()) GTEST_SKIP() << "calibre-debug is not installed";
  const std::string text = testing::MakeNestedBook(100, 2, 2, "Kapitel").text;
  std::vector<std::string> records;
  for (std::size_t at = 0; at < text.size(); at += 4096) records.push_back(text.substr(at, 4096));
  const HuffdicBook compressed = HuffdicCompress(records);
  testing::MiniBook mini;
  mini.textRecords = compressed.textRecords;
  mini.textLength = static_cast<std::uint32_t>(text.size());
  mini.compression = 17480;
  mini.huffRecords = compressed.huffCdicRecords;
  quillery::testing::TempDir dir;
  dir.Write("book.mobi", testing::BuildMiniMobi(mini));
  RunInspector(dir);
  EXPECT_EQ(ReadWhole(dir.path() + "decompiled_book/text.html"), text);
}

}  // namespace
}  // namespace quillery::mobi
