// The navigation index inside a minimal MOBI book, read back by libmobi: its raw index entries
// and the table of contents it rebuilds from them (labels, targets, nesting).
#include <gtest/gtest.h>
#include <mobi.h>

#include <cstdio>
#include <map>
#include <memory>
#include <pugixml.hpp>

#include "mini_mobi.h"
#include "mobi/ncx_index.h"
#include "temp_dir.h"
#include "toc_fixtures.h"

namespace quillery::mobi {
namespace {

using testing::MakeNestedBook;
using testing::NestedBook;

struct MobiDeleter {
  void operator()(MOBIData* m) const { mobi_free(m); }
};
struct RawmlDeleter {
  void operator()(MOBIRawml* r) const { mobi_free_rawml(r); }
};

struct LoadedBook {
  std::unique_ptr<MOBIData, MobiDeleter> data;
  std::unique_ptr<MOBIRawml, RawmlDeleter> rawml;
  std::size_t indexRecords = 0;
};

// Builds the index for the book, wraps it in a MOBI file and has libmobi load and parse it.
LoadedBook CompileAndLoad(const NestedBook& book, std::uint32_t encoding = kIndexUtf8) {
  const auto entries = LinkTocEntries(book.items, static_cast<std::uint32_t>(book.text.size()));
  const auto records = BuildNcxIndexRecords(entries, encoding);
  quillery::testing::TempDir dir;
  const std::string path =
      dir.Write("book.mobi", testing::BuildMiniMobi(book.text, records, encoding));
  LoadedBook loaded;
  loaded.indexRecords = records.size();
  loaded.data.reset(mobi_init());
  EXPECT_EQ(mobi_load_filename(loaded.data.get(), path.c_str()), MOBI_SUCCESS);
  loaded.rawml.reset(mobi_init_rawml(loaded.data.get()));
  EXPECT_EQ(mobi_parse_rawml(loaded.rawml.get(), loaded.data.get()), MOBI_SUCCESS);
  return loaded;
}

struct NavPoint {
  std::string label;
  std::string target;
  int depth = 0;
  bool operator==(const NavPoint&) const = default;
};

std::ostream& operator<<(std::ostream& out, const NavPoint& p) {
  return out << p.depth << " " << p.label << " -> " << p.target;
}

void CollectNavPoints(const pugi::xml_node& parent, int depth, std::vector<NavPoint>& out) {
  for (const pugi::xml_node point : parent.children("navPoint")) {
    out.push_back(NavPoint{point.child("navLabel").child_value("text"),
                           point.child("content").attribute("src").value(), depth});
    CollectNavPoints(point, depth + 1, out);
  }
}

// The table of contents libmobi rebuilt from the index, in reading order with depths.
std::vector<NavPoint> RebuiltToc(const LoadedBook& book) {
  std::vector<NavPoint> points;
  for (const MOBIPart* part = book.rawml->resources; part != nullptr; part = part->next) {
    if (part->type != T_NCX) continue;
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(part->data, part->size));
    CollectNavPoints(document.child("ncx").child("navMap"), 0, points);
  }
  return points;
}

std::string Anchor(std::uint32_t offset) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%010u", offset);
  return buffer;
}

std::vector<NavPoint> ExpectedToc(const NestedBook& book) {
  std::vector<NavPoint> points;
  for (const TocItem& item : book.items) {
    points.push_back(NavPoint{item.label, "part00000.html#" + Anchor(item.offset), item.level});
  }
  return points;
}

std::string Markup(const LoadedBook& book) {
  const MOBIPart* part = book.rawml->markup;
  if (part == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(part->data), part->size);
}

std::uint32_t TagValue(const MOBIIndexEntry& entry, std::size_t tag) {
  for (std::size_t t = 0; t < entry.tags_count; ++t) {
    if (entry.tags[t].tagid == tag && entry.tags[t].tagvalues_count > 0) {
      return entry.tags[t].tagvalues[0];
    }
  }
  return 0xFFFFFFFF;
}

TEST(NcxIndexInLibmobi, NestedTocIsRebuiltWithLabelsTargetsAndNesting) {
  const NestedBook book = MakeNestedBook(3, 2, 2);
  const LoadedBook loaded = CompileAndLoad(book);
  ASSERT_NE(loaded.rawml->ncx, nullptr);
  EXPECT_EQ(loaded.rawml->ncx->entries_count, book.items.size());
  EXPECT_EQ(RebuiltToc(loaded), ExpectedToc(book));
  // The targets land on the headings they name.
  const std::string markup = Markup(loaded);
  for (const TocItem& item : book.items) {
    const std::string tag = "<h" + std::to_string(item.level + 1) + ">";
    EXPECT_NE(markup.find("<a id=\"" + Anchor(item.offset) + "\"></a>" + tag + item.label),
              std::string::npos)
        << item.label;
  }
}

TEST(NcxIndexInLibmobi, RawEntriesCarryOffsetLengthDepthAndFamily) {
  const NestedBook book = MakeNestedBook(2, 3, 1);
  const auto entries = LinkTocEntries(book.items, static_cast<std::uint32_t>(book.text.size()));
  const LoadedBook loaded = CompileAndLoad(book);
  const MOBIIndx* ncx = loaded.rawml->ncx;
  ASSERT_NE(ncx, nullptr);
  ASSERT_EQ(ncx->entries_count, entries.size());
  EXPECT_EQ(ncx->total_entries_count, entries.size());
  EXPECT_EQ(ncx->encoding, MOBI_UTF8);
  constexpr std::uint32_t kNone = 0xFFFFFFFF;
  const auto orNone = [](int link) { return link < 0 ? kNone : static_cast<std::uint32_t>(link); };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(entries[i].label);
    const MOBIIndexEntry& raw = ncx->entries[i];
    EXPECT_EQ(TagValue(raw, 1), entries[i].offset);
    EXPECT_EQ(TagValue(raw, 2), entries[i].length);
    EXPECT_EQ(TagValue(raw, 4), static_cast<std::uint32_t>(entries[i].level));
    EXPECT_EQ(TagValue(raw, 21), orNone(entries[i].parent));
    EXPECT_EQ(TagValue(raw, 22), orNone(entries[i].firstChild));
    EXPECT_EQ(TagValue(raw, 23), orNone(entries[i].lastChild));
  }
}

TEST(NcxIndexInLibmobi, ThousandNestedEntriesAllArrive) {
  // 100 chapters with 3 sections of 2 subsections each: 1000 entries.
  const NestedBook book = MakeNestedBook(100, 3, 2);
  ASSERT_EQ(book.items.size(), 1000u);
  const LoadedBook loaded = CompileAndLoad(book);
  ASSERT_NE(loaded.rawml->ncx, nullptr);
  EXPECT_EQ(loaded.rawml->ncx->entries_count, 1000u);
  EXPECT_EQ(RebuiltToc(loaded), ExpectedToc(book));
}

TEST(NcxIndexInLibmobi, EntriesSpreadOverSeveralDataRecordsAllArrive) {
  // 5000 entries: more than one data record holds, while the short labels share one record.
  const NestedBook book = MakeNestedBook(1000, 2, 1, "C");
  ASSERT_EQ(book.items.size(), 5000u);
  const LoadedBook loaded = CompileAndLoad(book);
  const MOBIIndx* ncx = loaded.rawml->ncx;
  ASSERT_NE(ncx, nullptr);
  ASSERT_EQ(ncx->cncx_records_count, 1u);
  EXPECT_GE(loaded.indexRecords, 1u + 2u + 1u);  // header, two or more data records, labels
  EXPECT_EQ(ncx->entries_count, 5000u);
  EXPECT_EQ(RebuiltToc(loaded), ExpectedToc(book));
}

// Labels beyond 64 KB go to further label records, addressed as (record << 16) + position.
// libmobi 0.11 resolves labels in the first label record only (its reader says so), so it is
// asked for the entries, their tags and the labels of the first record; the labels of the later
// records are checked with the index reader of these tests.
TEST(NcxIndexInLibmobi, EntriesWithLabelsInSeveralLabelRecordsAllArrive) {
  const NestedBook book = MakeNestedBook(400, 2, 1, std::string(110, 'L'));
  const auto entries = LinkTocEntries(book.items, static_cast<std::uint32_t>(book.text.size()));
  const LoadedBook loaded = CompileAndLoad(book);
  const MOBIIndx* ncx = loaded.rawml->ncx;
  ASSERT_NE(ncx, nullptr);
  EXPECT_GE(ncx->cncx_records_count, 4u);
  ASSERT_EQ(ncx->entries_count, entries.size());
  std::map<std::string, std::string> firstRecordLabels;  // target -> label
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(TagValue(ncx->entries[i], 1), entries[i].offset);
    EXPECT_EQ(TagValue(ncx->entries[i], 4), static_cast<std::uint32_t>(entries[i].level));
    if (TagValue(ncx->entries[i], 3) >> 16 == 0) {
      firstRecordLabels["part00000.html#" + Anchor(entries[i].offset)] = entries[i].label;
    }
  }
  const auto toc = RebuiltToc(loaded);
  ASSERT_EQ(toc.size(), entries.size());
  std::size_t checked = 0;
  for (const NavPoint& point : toc) {
    const auto expected = firstRecordLabels.find(point.target);
    if (expected == firstRecordLabels.end()) continue;
    EXPECT_EQ(point.label, expected->second);
    ++checked;
  }
  EXPECT_GT(checked, 400u);
}

TEST(NcxIndexInLibmobi, WesternLabelsAreReadAsCp1252) {
  NestedBook book = MakeNestedBook(2, 1, 0);
  book.items[0].label = "Caf\xE9 cr\xE8me";  // cp1252 bytes
  const LoadedBook loaded = CompileAndLoad(book, kIndexCp1252);
  ASSERT_NE(loaded.rawml->ncx, nullptr);
  EXPECT_EQ(loaded.rawml->ncx->encoding, MOBI_CP1252);
  const auto toc = RebuiltToc(loaded);
  ASSERT_FALSE(toc.empty());
  EXPECT_EQ(toc[0].label, "Caf\xC3\xA9 cr\xC3\xA8me");  // as UTF-8
}

}  // namespace
}  // namespace quillery::mobi
