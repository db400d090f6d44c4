// The Huffman code tables of the dictionary compression (see huffman_tables.h).

#include "mobi/huffman_tables.h"

#include <algorithm>
#include <queue>
#include <stdexcept>

namespace quillery::mobi::detail {
namespace {

constexpr std::uint64_t kCodeSpace = std::uint64_t{1} << 32;
constexpr std::uint32_t kHeaderLength = 24;
constexpr std::uint32_t kLengthTableSize = 256 * 4;
constexpr std::uint32_t kRangeTableSize = 64 * 4;

// Code lengths of a Huffman tree built over the weights, without a length limit.
std::vector<int> PlainHuffmanLengths(const std::vector<std::uint64_t>& weights) {
    struct Node {
        std::uint64_t weight;
        int left;
        int right;
    };
    std::vector<Node> nodes;
    nodes.reserve(2 * weights.size());
    using Item = std::pair<std::uint64_t, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    for (const std::uint64_t weight : weights) {
        queue.emplace(std::max<std::uint64_t>(weight, 1), static_cast<int>(nodes.size()));
        nodes.push_back(Node{std::max<std::uint64_t>(weight, 1), -1, -1});
    }
    while (queue.size() > 1) {
        const Item a = queue.top();
        queue.pop();
        const Item b = queue.top();
        queue.pop();
        queue.emplace(a.first + b.first, static_cast<int>(nodes.size()));
        nodes.push_back(Node{a.first + b.first, a.second, b.second});
    }
    std::vector<int> depth(nodes.size(), 0);
    for (int i = static_cast<int>(nodes.size()) - 1; i >= 0; --i) {  // parents come after children
        if (nodes[i].left >= 0) {
            depth[nodes[i].left] = depth[i] + 1;
            depth[nodes[i].right] = depth[i] + 1;
        }
    }
    return std::vector<int>(depth.begin(), depth.begin() + static_cast<long>(weights.size()));
}

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((value >> shift) & 0xFF));
}
void Put32Le(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift <= 24; shift += 8) out.push_back(char((value >> shift) & 0xFF));
}

}  // namespace

std::vector<int> HuffmanCodeLengths(const std::vector<std::uint64_t>& weights) {
    if (weights.size() < 2) throw std::invalid_argument("a code needs at least two phrases");
    std::vector<std::uint64_t> flattened = weights;
    for (;;) {
        std::vector<int> lengths = PlainHuffmanLengths(flattened);
        if (*std::max_element(lengths.begin(), lengths.end()) <= kMaxCodeLength) return lengths;
        // Halving the weights evens them out and so shortens the longest codes.
        for (std::uint64_t& weight : flattened) weight = (weight >> 1) | 1;
    }
}

HuffmanTables BuildHuffmanTables(const std::vector<int>& sortedLengths) {
    HuffmanTables tables;
    tables.codes.resize(sortedLengths.size());
    // Per length: the smallest code (right-aligned) and largest code plus its first phrase
    // number, and the aligned lower bound of each length's codes.
    std::uint32_t smallest[33] = {};
    std::uint32_t largestPlusFirst[33] = {};
    std::uint64_t lowerBound[33] = {};
    std::uint64_t limit = kCodeSpace;
    std::size_t phrase = 0;
    for (int length = 1; length <= 32; ++length) {
        const std::uint64_t step = std::uint64_t{1} << (32 - length);
        const std::size_t first = phrase;
        while (phrase < sortedLengths.size() && sortedLengths[phrase] == length) {
            limit -= step;
            tables.codes[phrase] =
                PhraseCode{static_cast<std::uint32_t>(limit >> (32 - length)), length};
            ++phrase;
        }
        if (phrase > first) {
            largestPlusFirst[length] = static_cast<std::uint32_t>(tables.codes[first].code + first);
        }
        lowerBound[length] = limit;
        smallest[length] = static_cast<std::uint32_t>(limit >> (32 - length));
    }
    if (phrase != sortedLengths.size()) throw std::invalid_argument("code lengths are not sorted");

    // The first length whose codes an aligned 32-bit value belongs to.
    const auto lengthOf = [&](std::uint64_t aligned) {
        for (int length = 1; length <= 32; ++length) {
            if (aligned >= lowerBound[length]) return length;
        }
        return 32;
    };
    std::uint32_t byteTable[256];
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        const std::uint64_t low = std::uint64_t{byte} << 24;
        const int shortest = lengthOf(low | 0xFFFFFF);
        if (shortest <= 8) {
            // The byte decides the code: its length and the value that gives the phrase number.
            byteTable[byte] = (largestPlusFirst[shortest] << 8) | 0x80 | std::uint32_t(shortest);
        } else {
            byteTable[byte] = std::uint32_t(shortest);  // longer codes: search from this length on
        }
    }

    std::string& out = tables.record;
    out = "HUFF";
    Put32(out, kHeaderLength);
    Put32(out, kHeaderLength);
    Put32(out, kHeaderLength + kLengthTableSize);
    const std::uint32_t littleEndianAt = kHeaderLength + kLengthTableSize + kRangeTableSize;
    Put32(out, littleEndianAt);
    Put32(out, littleEndianAt + kLengthTableSize);
    for (const std::uint32_t entry : byteTable) Put32(out, entry);
    for (int length = 1; length <= 32; ++length) {
        Put32(out, smallest[length]);
        Put32(out, largestPlusFirst[length]);
    }
    // The same two tables in little-endian order, as some readers take them from there.
    for (const std::uint32_t entry : byteTable) Put32Le(out, entry);
    for (int length = 1; length <= 32; ++length) {
        Put32Le(out, smallest[length]);
        Put32Le(out, largestPlusFirst[length]);
    }
    return tables;
}

}  // namespace quillery::mobi::detail
