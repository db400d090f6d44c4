// HUFF/CDIC dictionary compression of the text records, the "-c2" option (see huffdic.h).

#include "mobi/huffdic.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "mobi/huffman_tables.h"

namespace quillery::mobi {
namespace {

// Phrases longer than this stay split: a long phrase is rarely repeated exactly.
constexpr std::size_t kMaxPhraseBytes = 48;
// Upper bound of the phrase dictionary besides the single bytes.
constexpr std::size_t kMaxPhrases = 60000;
// CDIC entries give their byte offsets in 16 bits, counted from the end of the 16-byte header.
constexpr std::size_t kMaxCdicBody = 0xFFFF;
constexpr int kMaxCdicBits = 12;
constexpr std::uint16_t kLiteralFlag = 0x8000;

bool IsWordByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
}

// Splits text into the units the dictionary is made of: a word with the space after it, a
// markup tag, or a single other byte.
template <typename Visit>
void ForEachToken(std::string_view text, Visit&& visit) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at + 1;
        const auto c = static_cast<unsigned char>(text[at]);
        if (IsWordByte(c)) {
            while (end < text.size() && IsWordByte(static_cast<unsigned char>(text[end]))) ++end;
            if (end < text.size() && text[end] == ' ') ++end;
        } else if (c == '<') {
            const std::size_t close = text.find('>', at);
            if (close != std::string_view::npos && close - at < kMaxPhraseBytes) end = close + 1;
        }
        end = std::min(end, at + kMaxPhraseBytes);
        visit(text.substr(at, end - at));
        at = end;
    }
}

struct Dictionary {
    std::vector<std::string> phrases;
    std::unordered_map<std::string_view, std::uint32_t> numbers;  // views into `phrases`
};

// Every byte that occurs, and the repeated tokens that save more than their dictionary entry
// costs.
Dictionary ChooseDictionary(const std::vector<std::string>& records, ThreadPool& pool) {
    // Counted in a share of the records per thread, then added up (the sums, and so the
    // dictionary, do not depend on how the records were shared out).
    const std::size_t shares =
        std::max<std::size_t>(1, std::min<std::size_t>(pool.size(), records.size()));
    std::vector<std::unordered_map<std::string_view, std::uint64_t>> shareCounts(shares);
    std::vector<std::array<bool, 256>> shareSeen(shares);
    pool.ForEach(shares, [&](std::size_t share) {
        auto& counts = shareCounts[share];
        auto& seen = shareSeen[share];
        seen.fill(false);
        for (std::size_t r = share; r < records.size(); r += shares) {
            for (const char c : records[r]) seen[static_cast<unsigned char>(c)] = true;
            ForEachToken(records[r], [&](std::string_view token) {
                if (token.size() > 1) ++counts[token];
            });
        }
    });
    auto& counts = shareCounts[0];
    bool seen[256] = {};
    for (std::size_t share = 0; share < shares; ++share) {
        for (int byte = 0; byte < 256; ++byte) seen[byte] = seen[byte] || shareSeen[share][byte];
        if (share == 0) continue;
        for (const auto& [token, count] : shareCounts[share]) counts[token] += count;
        shareCounts[share] = {};
    }
    std::vector<std::pair<std::uint64_t, std::string_view>> worth;
    for (const auto& [token, count] : counts) {
        // Saving about a byte per byte of the phrase on every use after the first, against the
        // bytes of its entry.
        const std::uint64_t saved = (count - 1) * token.size();
        if (count >= 2 && saved > token.size() + 4) worth.emplace_back(saved, token);
    }
    std::sort(worth.begin(), worth.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    if (worth.size() > kMaxPhrases) worth.resize(kMaxPhrases);

    Dictionary dictionary;
    for (int byte = 0; byte < 256; ++byte) {
        if (seen[byte]) dictionary.phrases.emplace_back(1, static_cast<char>(byte));
    }
    for (const auto& entry : worth) dictionary.phrases.emplace_back(entry.second);
    for (std::uint32_t i = 0; i < dictionary.phrases.size(); ++i) {
        dictionary.numbers.emplace(dictionary.phrases[i], i);
    }
    return dictionary;
}

// The phrase numbers a record is written as.
std::vector<std::uint32_t> Tokenize(std::string_view record, const Dictionary& dictionary) {
    std::vector<std::uint32_t> symbols;
    ForEachToken(record, [&](std::string_view token) {
        const auto found = dictionary.numbers.find(token);
        if (found != dictionary.numbers.end()) {
            symbols.push_back(found->second);
            return;
        }
        for (const char c : token)
            symbols.push_back(dictionary.numbers.at(std::string_view(&c, 1)));
    });
    return symbols;
}

// Readers pad the last byte of a record with zero bits and stop when a code would run past
// the end. The zero bits lead into the lowest code, which is the longest: making it at least
// 8 bits long means padding can never complete a code. A too-short longest code is split into
// itself one bit longer plus unused entries filling the rest of its place.
void LengthenShortestLongestCode(std::vector<int>& lengths) {
    const auto longest = std::max_element(lengths.begin(), lengths.end());
    const int length = *longest;
    if (length >= 8) return;
    *longest = length + 1;
    for (int extra = length + 2; extra <= 8; ++extra) lengths.push_back(extra);
    lengths.push_back(8);
}

class BitWriter {
public:
    void Write(std::uint32_t code, int length) {
        buffer_ = (buffer_ << length) | code;
        pending_ += length;
        while (pending_ >= 8) {
            pending_ -= 8;
            bytes_.push_back(static_cast<char>((buffer_ >> pending_) & 0xFF));
        }
    }
    std::string Finish() {
        if (pending_ > 0) bytes_.push_back(static_cast<char>((buffer_ << (8 - pending_)) & 0xFF));
        return std::move(bytes_);
    }

private:
    std::uint64_t buffer_ = 0;
    int pending_ = 0;
    std::string bytes_;
};

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((value >> shift) & 0xFF));
}
void Put16(std::string& out, std::uint32_t value) {
    out.push_back(char((value >> 8) & 0xFF));
    out.push_back(char(value & 0xFF));
}

std::size_t CdicBodySize(const std::vector<std::string>& phrases, std::size_t first,
                         std::size_t count) {
    std::size_t size = 2 * count;
    for (std::size_t i = first; i < first + count; ++i) size += 2 + phrases[i].size();
    return size;
}

// The largest entries-per-record power of two for which every CDIC record fits its offsets.
int CdicBits(const std::vector<std::string>& phrases) {
    for (int bits = kMaxCdicBits; bits > 0; --bits) {
        const std::size_t perRecord = std::size_t{1} << bits;
        bool fits = true;
        for (std::size_t first = 0; first < phrases.size() && fits; first += perRecord) {
            const std::size_t count = std::min(perRecord, phrases.size() - first);
            fits = CdicBodySize(phrases, first, count) <= kMaxCdicBody;
        }
        if (fits) return bits;
    }
    return 1;
}

std::vector<std::string> CdicRecords(const std::vector<std::string>& phrases) {
    const int bits = CdicBits(phrases);
    const std::size_t perRecord = std::size_t{1} << bits;
    std::vector<std::string> records;
    for (std::size_t first = 0; first < phrases.size(); first += perRecord) {
        const std::size_t count = std::min(perRecord, phrases.size() - first);
        std::string record = "CDIC";
        Put32(record, 16);
        Put32(record, static_cast<std::uint32_t>(phrases.size()));
        Put32(record, static_cast<std::uint32_t>(bits));
        std::string body;
        std::size_t offset = 2 * count;
        for (std::size_t i = first; i < first + count; ++i) {
            Put16(record, static_cast<std::uint32_t>(offset));
            Put16(body, kLiteralFlag | static_cast<std::uint32_t>(phrases[i].size()));
            body += phrases[i];
            offset += 2 + phrases[i].size();
        }
        record += body;
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

HuffdicBook HuffdicCompress(const std::vector<std::string>& textRecords) {
    ThreadPool callingThreadOnly(1);
    return HuffdicCompress(textRecords, callingThreadOnly);
}

HuffdicBook HuffdicCompress(const std::vector<std::string>& textRecords, ThreadPool& pool) {
    Dictionary dictionary = ChooseDictionary(textRecords, pool);
    std::vector<std::vector<std::uint32_t>> encoded(textRecords.size());
    pool.ForEach(textRecords.size(),
                 [&](std::size_t i) { encoded[i] = Tokenize(textRecords[i], dictionary); });
    std::vector<std::uint64_t> uses(dictionary.phrases.size(), 0);
    for (const auto& symbols : encoded) {
        for (const std::uint32_t symbol : symbols) ++uses[symbol];
    }
    // Unused dictionary entries (never needed by a reader) keep a code of their own so that
    // every phrase number stays valid; a book of at most one distinct byte gets a second.
    while (uses.size() < 2) {
        dictionary.phrases.emplace_back();
        uses.push_back(0);
    }
    std::vector<int> lengths = detail::HuffmanCodeLengths(uses);
    LengthenShortestLongestCode(lengths);
    dictionary.phrases.resize(lengths.size());  // the added entries are empty phrases

    // Dictionary order: by code length, as the reader computes phrase numbers that way.
    std::vector<std::uint32_t> order(lengths.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return lengths[a] < lengths[b]; });
    std::vector<std::uint32_t> newNumber(order.size());
    std::vector<int> sortedLengths(order.size());
    std::vector<std::string> sortedPhrases(order.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) {
        newNumber[order[i]] = i;
        sortedLengths[i] = lengths[order[i]];
        sortedPhrases[i] = std::move(dictionary.phrases[order[i]]);
    }
    const detail::HuffmanTables tables = detail::BuildHuffmanTables(sortedLengths);

    HuffdicBook book;
    book.textRecords.resize(encoded.size());
    pool.ForEach(encoded.size(), [&](std::size_t i) {
        BitWriter writer;
        for (const std::uint32_t symbol : encoded[i]) {
            const detail::PhraseCode& code = tables.codes[newNumber[symbol]];
            writer.Write(code.code, code.length);
        }
        book.textRecords[i] = writer.Finish();
        std::vector<std::uint32_t>().swap(encoded[i]);
    });
    book.huffCdicRecords.push_back(tables.record);
    for (std::string& record : CdicRecords(sortedPhrases)) {
        book.huffCdicRecords.push_back(std::move(record));
    }
    return book;
}

}  // namespace quillery::mobi
