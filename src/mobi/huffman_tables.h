#pragma once
// The code of the dictionary compression: code lengths for the phrases and the decoding
// tables of the HUFF record.
//
// Codes are handed out from the top of the code space down: the shortest codes are the
// numerically largest, and within one length the phrase with the smallest dictionary number
// gets the largest code. A reader finds the length of a code by comparing it with the smallest
// code of each length, and the phrase number as (largest code of that length + number of its
// first phrase) minus the code, which is why the dictionary is ordered by code length.

#include <cstdint>
#include <string>
#include <vector>

namespace quillery::mobi::detail {

// Code lengths above this are avoided by flattening the weights.
inline constexpr int kMaxCodeLength = 24;

// Huffman code lengths for the weights (zero counts as one). Every length is at least 1; the
// code is complete. Fewer than two weights are not allowed.
std::vector<int> HuffmanCodeLengths(const std::vector<std::uint64_t>& weights);

struct PhraseCode {
    std::uint32_t code = 0;  // right-aligned
    int length = 0;
};

// Codes and decoding tables for code lengths already sorted from short to long.
struct HuffmanTables {
    std::vector<PhraseCode> codes;  // one per phrase, in dictionary order
    std::string record;             // the whole HUFF record
};
HuffmanTables BuildHuffmanTables(const std::vector<int>& sortedLengths);

}  // namespace quillery::mobi::detail
