#pragma once
// The book's navigation index (the NCX index of the compiled book): one entry per table of
// contents item, with its text position, length, label, depth and family links.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillery::mobi {

struct TocEntry {
    std::string label;         // shown in the device's table of contents
    std::uint32_t offset = 0;  // byte position of the target in the uncompressed text
    std::uint32_t length = 0;  // bytes of its section, children included
    int level = 0;             // 0 for top-level entries
    int parent = -1;           // index of the parent entry, -1 for none
    int firstChild = -1;       // index of the first child entry, -1 for none
    int lastChild = -1;        // index of the last child entry, -1 for none
};

// The INDX records of the NCX index: the index header record, the data record(s) and the
// CNCX record(s) holding the labels, in record order. Labels are UTF-8 (or cp1252 bytes when
// western). An empty entry list gives no records (the book then has no NCX index). The records are
// stored consecutively in the order given; the MOBI header's NCX index field (offset 244 of record
// 0) holds the record number of the first one.
std::vector<std::string> BuildNcxIndexRecords(const std::vector<TocEntry>& entries);

// The same, with the text encoding recorded in the index header named: 65001 (UTF-8, the
// default) or 1252 (western books, whose labels are cp1252 bytes).
inline constexpr std::uint32_t kIndexUtf8 = 65001;
inline constexpr std::uint32_t kIndexCp1252 = 1252;
std::vector<std::string> BuildNcxIndexRecords(const std::vector<TocEntry>& entries,
                                              std::uint32_t codePage);

// Labels longer than this many bytes are cut (at a character boundary) so that every label
// fits in one label record.
inline constexpr std::size_t kMaxLabelBytes = 1024;

}  // namespace quillery::mobi
