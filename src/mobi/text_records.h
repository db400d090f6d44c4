#pragma once
// Splits the book's text into text records of 4,096 uncompressed bytes, compresses them and
// appends the trailing entries the reader uses to find character boundaries.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillery::mobi {

inline constexpr std::size_t kTextRecordSize = 4096;

enum class TextCompression : std::uint16_t { None = 1, PalmDoc = 2, Huffdic = 17480 };

// Extra record data flag of the multibyte trailing entry.
inline constexpr std::uint32_t kMultibyteTrailingEntry = 1;

// The uncompressed pieces: text[0..4096), text[4096..8192), ...
std::vector<std::string_view> SplitTextRecords(std::string_view text);

// The multibyte trailing entry of the piece that ends at `end`: the bytes of the UTF-8
// character cut by the record boundary that lie in the next record, then their count.
std::string MultibyteTrailingEntry(std::string_view text, std::size_t end, bool utf8);

// The text records, compressed (None or PalmDoc), each followed by its trailing entry.
std::vector<std::string> BuildTextRecords(std::string_view text, TextCompression compression,
                                          bool utf8);

}  // namespace quillery::mobi
