#include "index_reader.h"

namespace quillery::mobi::testing {
namespace {

struct Cursor {
  const std::string& bytes;
  std::size_t at = 0;
  bool failed = false;

  std::uint32_t Byte() {
    if (at >= bytes.size()) {
      failed = true;
      return 0;
    }
    return std::uint8_t(bytes[at++]);
  }
  std::uint32_t Be(int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | Byte();
    return value;
  }
  // Seven bits per byte, the last byte marked by its top bit.
  std::uint32_t VarWidth() {
    std::uint32_t value = 0;
    for (int i = 0; i < 5; ++i) {
      const std::uint32_t b = Byte();
      value = (value << 7) | (b & 0x7F);
      if (b & 0x80) return value;
    }
    failed = true;
    return 0;
  }
  std::string Text(std::size_t count) {
    if (at + count > bytes.size()) {
      failed = true;
      return {};
    }
    std::string text = bytes.substr(at, count);
    at += count;
    return text;
  }
};

std::uint32_t Field(const std::string& record, std::size_t at) {
  Cursor cursor{record, at};
  return cursor.Be(4);
}

}  // namespace

std::optional<ReadIndex> ReadNavigationIndex(const std::vector<std::string>& records,
                                             std::string& error) {
  if (records.empty() || records[0].size() < 192 || records[0].compare(0, 4, "INDX") != 0) {
    error = "no index header record";
    return std::nullopt;
  }
  const std::string& header = records[0];
  ReadIndex index;
  index.dataRecordCount = Field(header, 24);
  index.encoding = Field(header, 28);
  index.totalEntries = Field(header, 36);
  index.labelRecordCount = Field(header, 52);
  if (records.size() != 1 + index.dataRecordCount + index.labelRecordCount) {
    error = "record count does not match the header";
    return std::nullopt;
  }
  Cursor tagx{header, Field(header, 180)};
  if (tagx.Text(4) != "TAGX") {
    error = "no TAGX block";
    return std::nullopt;
  }
  const std::uint32_t tagxLength = tagx.Be(4);
  if (tagx.Be(4) != 1) {
    error = "expected one control byte";
    return std::nullopt;
  }
  std::vector<int> valueCounts;
  for (std::uint32_t i = 12; i < tagxLength; i += 4) {
    const int tag = static_cast<int>(tagx.Byte());
    const int values = static_cast<int>(tagx.Byte());
    const int mask = static_cast<int>(tagx.Byte());
    const int end = static_cast<int>(tagx.Byte());
    if (end == 1) break;
    index.tagTable.emplace_back(tag, mask);
    valueCounts.push_back(values);
  }

  const auto labelAt = [&](std::uint32_t offset, std::string& label) {
    const std::size_t which = offset >> 16;
    if (which >= index.labelRecordCount) return false;
    Cursor cursor{records[1 + index.dataRecordCount + which], offset & 0xFFFF};
    const std::uint32_t length = cursor.VarWidth();
    label = cursor.Text(length);
    return !cursor.failed;
  };

  for (std::uint32_t r = 0; r < index.dataRecordCount; ++r) {
    const std::string& record = records[1 + r];
    if (record.size() >= 0x10000 || record.compare(0, 4, "INDX") != 0) {
      error = "data record " + std::to_string(r) + " is malformed";
      return std::nullopt;
    }
    const std::uint32_t count = Field(record, 24);
    Cursor idxt{record, Field(record, 20)};
    if (idxt.Text(4) != "IDXT") {
      error = "data record " + std::to_string(r) + " has no IDXT";
      return std::nullopt;
    }
    for (std::uint32_t e = 0; e < count; ++e) {
      Cursor entry{record, idxt.Be(2)};
      ReadEntry read;
      read.name = entry.Text(entry.Byte());
      const std::uint32_t control = entry.Byte();
      for (std::size_t t = 0; t < index.tagTable.size(); ++t) {
        if ((control & static_cast<std::uint32_t>(index.tagTable[t].second)) == 0) continue;
        std::uint32_t value = 0;
        for (int v = 0; v < valueCounts[t]; ++v) value = entry.VarWidth();
        read.tags[index.tagTable[t].first] = value;
      }
      if (entry.failed || idxt.failed) {
        error = "entry " + std::to_string(e) + " of data record " + std::to_string(r) +
                " runs past its record";
        return std::nullopt;
      }
      if (read.tags.count(3) && !labelAt(read.tags[3], read.label)) {
        error = "label of entry " + read.name + " is outside the label records";
        return std::nullopt;
      }
      index.entries.push_back(std::move(read));
    }
  }
  return index;
}

}  // namespace quillery::mobi::testing
