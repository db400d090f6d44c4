#pragma once
// The smallest MOBI 6 book around some index records: a Palm database with record 0 (PalmDOC
// header, MOBI header pointing at the navigation index), uncompressed text records, the index
// records and the end-of-file record. Enough for libmobi to load it and read the index.

#include <cstdint>
#include <string>
#include <vector>

namespace quillery::mobi::testing {

std::string BuildMiniMobi(const std::string& text, const std::vector<std::string>& indexRecords,
                          std::uint32_t encoding);

// The same with text records compressed elsewhere: `compression` is the PalmDOC header's
// compression number, `huffRecords` the HUFF and CDIC records placed after the text.
struct MiniBook {
  std::vector<std::string> textRecords;
  std::uint32_t textLength = 0;
  std::uint16_t compression = 1;
  std::vector<std::string> huffRecords;
  std::vector<std::string> indexRecords;
  std::uint32_t encoding = 65001;
};
std::string BuildMiniMobi(const MiniBook& book);

}  // namespace quillery::mobi::testing
