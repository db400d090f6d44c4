// PalmDOC compression, the LZ77 variant of the MOBI text records (see palmdoc.h).

#include "mobi/palmdoc.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quillery::mobi {
namespace {

constexpr std::size_t kMaxDistance = 2047;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 10;
constexpr int kMaxChain = 48;
constexpr int kHashBits = 12;

// Bytes that cannot stand as a literal by themselves and need a literal-run prefix.
bool NeedsEscape(unsigned char byte) { return (byte >= 0x01 && byte <= 0x08) || byte >= 0x80; }

std::uint32_t Hash3(const unsigned char* p) {
    return ((static_cast<std::uint32_t>(p[0]) << 10) ^ (static_cast<std::uint32_t>(p[1]) << 5) ^
            p[2]) &
           ((1u << kHashBits) - 1);
}

// The match finder's tables, kept by each thread from one record to the next. `previous`
// needs no clearing: only positions of the current text are looked up in it, each written
// when its position is inserted.
struct MatchTables {
    std::vector<int> head;
    std::vector<int> previous;
};

MatchTables& TablesOfThisThread() {
    thread_local MatchTables tables;
    return tables;
}

}  // namespace

std::string PalmDocCompress(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    PalmDocCompressInto(text, out);
    out.shrink_to_fit();  // a book keeps thousands of these
    return out;
}

void PalmDocCompressInto(std::string_view text, std::string& out) {
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    MatchTables& tables = TablesOfThisThread();
    tables.head.assign(1u << kHashBits, -1);
    if (tables.previous.size() < size) tables.previous.resize(size);
    int* const head = tables.head.data();
    int* const previous = tables.previous.data();

    const auto insert = [&](std::size_t pos) {
        if (pos + kMinMatch > size) return;
        const std::uint32_t h = Hash3(in + pos);
        previous[pos] = head[h];
        head[h] = static_cast<int>(pos);
    };

    std::size_t i = 0;
    while (i < size) {
        // The longest earlier match within reach.
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        if (i + kMinMatch <= size) {
            int candidate = head[Hash3(in + i)];
            int chain = 0;
            const std::size_t limit = std::min(kMaxMatch, size - i);
            while (candidate >= 0 && chain++ < kMaxChain) {
                const std::size_t distance = i - static_cast<std::size_t>(candidate);
                if (distance > kMaxDistance) break;
                // Only a candidate that also matches at the best length so far can beat it:
                // one byte tells, before the whole comparison.
                if (bestLength > 0 &&
                    in[static_cast<std::size_t>(candidate) + bestLength] != in[i + bestLength]) {
                    candidate = previous[static_cast<std::size_t>(candidate)];
                    continue;
                }
                std::size_t length = 0;
                while (length < limit &&
                       in[static_cast<std::size_t>(candidate) + length] == in[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                    if (length == limit) break;
                }
                candidate = previous[static_cast<std::size_t>(candidate)];
            }
        }
        if (bestLength >= kMinMatch) {
            const std::uint16_t token =
                static_cast<std::uint16_t>(0x8000 | (bestDistance << 3) | (bestLength - kMinMatch));
            out += static_cast<char>(token >> 8);
            out += static_cast<char>(token & 0xFF);
            for (std::size_t k = 0; k < bestLength; ++k) insert(i + k);
            i += bestLength;
            continue;
        }
        const unsigned char byte = in[i];
        if (byte == ' ' && i + 1 < size && in[i + 1] >= 0x40 && in[i + 1] <= 0x7F) {
            out += static_cast<char>(in[i + 1] ^ 0x80);
            insert(i);
            insert(i + 1);
            i += 2;
            continue;
        }
        if (!NeedsEscape(byte)) {
            out += static_cast<char>(byte);
            insert(i);
            ++i;
            continue;
        }
        // A run of up to eight bytes, led by its length.
        std::size_t run = 1;
        while (run < 8 && i + run < size && NeedsEscape(in[i + run])) ++run;
        out += static_cast<char>(run);
        for (std::size_t k = 0; k < run; ++k) {
            out += static_cast<char>(in[i + k]);
            insert(i + k);
        }
        i += run;
    }
}

std::optional<std::string> PalmDocDecompress(std::string_view data) {
    std::string out;
    out.reserve(data.size() * 2);
    std::size_t i = 0;
    while (i < data.size()) {
        const unsigned char byte = static_cast<unsigned char>(data[i++]);
        if (byte >= 0x01 && byte <= 0x08) {
            if (i + byte > data.size()) return std::nullopt;
            out.append(data.substr(i, byte));
            i += byte;
        } else if (byte < 0x80) {
            out += static_cast<char>(byte);
        } else if (byte >= 0xC0) {
            out += ' ';
            out += static_cast<char>(byte ^ 0x80);
        } else {
            if (i >= data.size()) return std::nullopt;
            const unsigned token =
                (static_cast<unsigned>(byte) << 8) | static_cast<unsigned char>(data[i++]);
            const std::size_t distance = (token >> 3) & 0x7FF;
            const std::size_t length = (token & 7) + 3;
            if (distance == 0 || distance > out.size()) return std::nullopt;
            const std::size_t from = out.size() - distance;
            for (std::size_t k = 0; k < length; ++k) out += out[from + k];
        }
    }
    return out;
}

}  // namespace quillery::mobi
