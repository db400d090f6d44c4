#pragma once
// The smallest MOBI 6 book libmobi and calibre will read, as bytes: a Palm database with
// record 0 (PalmDOC and MOBI headers), the text records, then the HUFF/CDIC and navigation
// index records. Used by the tests and the fuzzers.

#include <cstdint>
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

inline std::vector<std::string> SplitIntoTextRecords(const std::string& text) {
    std::vector<std::string> records;
    for (std::size_t at = 0; at < text.size(); at += 4096) records.push_back(text.substr(at, 4096));
    return records;
}

inline void Put(std::string& out, std::size_t at, std::uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) out[at + i] = char(value >> (8 * (bytes - 1 - i)));
}

inline std::string BuildMiniMobi(const MiniBook& book) {
    constexpr std::uint32_t kUnset = 0xFFFFFFFF;
    const auto textRecords = static_cast<std::uint32_t>(book.textRecords.size());
    const auto huffAt = textRecords + 1;
    const auto indexAt = static_cast<std::uint32_t>(huffAt + book.huffRecords.size());
    // Record 0, offsets from its start: PalmDOC header, then the MOBI header.
    std::string r(248, '\0');
    Put(r, 0, book.compression, 2);
    Put(r, 4, book.textLength);
    Put(r, 8, textRecords, 2);
    Put(r, 10, 4096, 2);  // text record size
    r.replace(16, 4, "MOBI");
    Put(r, 20, 232);  // header length
    Put(r, 24, 2);    // a book
    Put(r, 28, book.encoding);
    for (std::size_t at = 40; at <= 76; at += 4) Put(r, at, kUnset);  // dictionary indexes
    Put(r, 108, kUnset);                                              // no images
    Put(r, 112, book.huffRecords.empty() ? 0 : huffAt);
    Put(r, 116, static_cast<std::uint32_t>(book.huffRecords.size()));
    Put(r, 244, book.indexRecords.empty() ? kUnset : indexAt);  // navigation index
    std::vector<std::string> records = {r};
    for (const auto* group : {&book.textRecords, &book.huffRecords, &book.indexRecords}) {
        records.insert(records.end(), group->begin(), group->end());
    }
    // Palm database header and record list.
    std::string file(78 + 8 * records.size() + 2, '\0');
    file.replace(0, 9, "Mini_Book");
    file.replace(60, 8, "BOOKMOBI");
    Put(file, 76, static_cast<std::uint32_t>(records.size()), 2);
    for (std::size_t i = 0; i < records.size(); ++i) {
        Put(file, 78 + 8 * i, static_cast<std::uint32_t>(file.size()));
        Put(file, 78 + 8 * i + 4, static_cast<std::uint32_t>(2 * i));  // unique id
        file += records[i];
    }
    return file;
}

}  // namespace quillery::mobi::testing
