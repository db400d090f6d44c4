#pragma once
// Record 0 of a MOBI 6 book: the PalmDOC header, the MOBI header, the EXTH block and the
// full title.

#include <cstdint>
#include <string>

#include "mobi/exth.h"
#include "mobi/text_records.h"

namespace quillery::mobi {

inline constexpr std::uint32_t kNoRecord = 0xFFFFFFFF;
inline constexpr std::uint32_t kMobiHeaderLength = 232;

struct MobiHeaderFields {
    TextCompression compression = TextCompression::PalmDoc;
    std::uint32_t textLength = 0;
    std::uint16_t textRecordCount = 0;
    std::uint32_t encoding = 65001;  // or 1252
    std::uint32_t uniqueId = 0;
    std::uint32_t locale = 0;
    std::uint32_t firstNonBookRecord = kNoRecord;
    std::uint32_t firstImageRecord = kNoRecord;
    std::uint32_t huffRecord = 0;
    std::uint32_t huffRecordCount = 0;
    std::uint16_t firstContentRecord = 1;
    std::uint16_t lastContentRecord = 1;
    std::uint32_t fcisRecord = kNoRecord;
    std::uint32_t flisRecord = kNoRecord;
    std::uint32_t extraRecordDataFlags = kMultibyteTrailingEntry;
    std::uint32_t ncxIndexRecord = kNoRecord;
    std::string fullName;  // in the book's encoding
    ExthBlock exth;
};

std::string BuildRecord0(const MobiHeaderFields& fields);

// The FLIS, FCIS and end-of-file records.
std::string BuildFlisRecord();
std::string BuildFcisRecord(std::uint32_t textLength);
std::string BuildEndOfFileRecord();

}  // namespace quillery::mobi
