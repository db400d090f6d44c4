#pragma once
// HUFF/CDIC compression of the book's text records (the dictionary compression of the
// reading devices, the "-c2" compile option).

#include <string>
#include <vector>

#include "mobi/thread_pool.h"

namespace quillery::mobi {

struct HuffdicBook {
    std::vector<std::string> textRecords;
    std::vector<std::string> huffCdicRecords;  // HUFF first, then CDIC records
};

// Compresses each uncompressed text record (without trailing entries; the caller appends them).
// The book then declares compression 17480 in its PalmDOC header and, in the MOBI header, the
// record number of the HUFF record (offset 112) and huffCdicRecords.size() (offset 116); the
// HUFF and CDIC records are stored consecutively in the order given. Every phrase is stored
// uncompressed in the CDIC records, so readers need no recursion.
// The work is spread over the pool's threads; the records are the same whatever its size.
HuffdicBook HuffdicCompress(const std::vector<std::string>& textRecords, ThreadPool& pool);
// The same on the calling thread alone.
HuffdicBook HuffdicCompress(const std::vector<std::string>& textRecords);

}  // namespace quillery::mobi
