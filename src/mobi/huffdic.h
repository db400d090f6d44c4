#pragma once
// HUFF/CDIC compression of the book's text records (the dictionary compression of the
// reading devices, the "-c2" compile option).

#include <string>
#include <vector>

namespace quillery::mobi {

struct HuffdicBook {
  std::vector<std::string> textRecords;
  std::vector<std::string> huffCdicRecords;  // HUFF first, then CDIC records
};

// Compresses each uncompressed text record (without trailing entries; the caller appends them).
HuffdicBook HuffdicCompress(const std::vector<std::string>& textRecords);

}  // namespace quillery::mobi
