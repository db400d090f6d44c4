#pragma once
// The smallest MOBI 6 book libmobi and calibre will read: a Palm database with record 0
// (PalmDOC and MOBI headers), the text records, then the HUFF/CDIC and navigation index records.

#include <mobi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillery::mobi::testing {

struct MiniBook {
    std::vector<std::string> textRecords = {};
    std::uint32_t textLength = 0;   // of the uncompressed text
    std::uint16_t compression = 1;  // 1: none, 17480: dictionary (huffRecords)
    std::vector<std::string> huffRecords = {};
    std::vector<std::string> indexRecords = {};
    std::uint32_t encoding = 65001;
};

std::vector<std::string> SplitIntoTextRecords(const std::string& text);
std::string BuildMiniMobi(const MiniBook& book);

using MobiPtr = std::unique_ptr<MOBIData, decltype(&mobi_free)>;
// The book as libmobi loads it from a file (asserted to load).
MobiPtr LoadWithLibmobi(const MiniBook& book);

}  // namespace quillery::mobi::testing
