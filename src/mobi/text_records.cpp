// Splits the book's text into text records of 4,096 uncompressed bytes, compresses them and appends
// the trailing entries (see text_records.h).

#include "mobi/text_records.h"

#include <algorithm>

#include "mobi/palmdoc.h"
#include "mobi/text_encoding.h"

namespace quillery::mobi {

std::vector<std::string_view> SplitTextRecords(std::string_view text) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0; start < text.size(); start += kTextRecordSize)
        pieces.push_back(text.substr(start, kTextRecordSize));
    return pieces;
}

std::string MultibyteTrailingEntry(std::string_view text, std::size_t end, bool utf8) {
    std::string entry;
    if (utf8) {
        std::size_t k = end;
        while (k < text.size() && entry.size() < 3 &&
               IsUtf8Continuation(static_cast<unsigned char>(text[k]))) {
            entry += text[k];
            ++k;
        }
    }
    entry += static_cast<char>(entry.size());
    return entry;
}

std::vector<std::string> BuildTextRecords(std::string_view text, TextCompression compression,
                                          bool utf8) {
    std::vector<std::string> records;
    std::size_t start = 0;
    for (auto piece : SplitTextRecords(text)) {
        std::string record =
            compression == TextCompression::PalmDoc ? PalmDocCompress(piece) : std::string(piece);
        record += MultibyteTrailingEntry(text, start + piece.size(), utf8);
        records.push_back(std::move(record));
        start += piece.size();
    }
    return records;
}

}  // namespace quillery::mobi
