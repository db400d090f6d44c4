#pragma once
// The navigation trailing entry of every text record: a short byte sequence telling a reading
// device which top-level entries of the NCX index (the book's chapters) the record touches,
// so that it can jump to the next or previous chapter and tell the time left in the chapter
// without reading the index itself.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mobi/ncx_index.h"

namespace quillery::mobi {

// Extra record data flag of the navigation trailing entry (beside the multibyte one).
inline constexpr std::uint32_t kNavigationTrailingEntry = 2;

// The three forms of the sequence, told apart by the low three bits of its first number
// (the index number of the first chapter concerned, shifted left by three):
//   - within one chapter that began before the record and goes on after it:
//     flags 0b011, then the numbers 0 and 0;
//   - one chapter starting in the record (or one ending in it), nothing else:
//     flags 0b010, then the number 0;
//   - several chapters begin or end in the record: flags 0b110, the number 0, then one byte
//     counting them (the lowest index number is the first number);
// and nothing at all for a record no chapter touches. Numbers are variable-width, seven bits
// a byte, most significant first, the last byte marked with its top bit.
std::string NavigationSequence(const std::vector<TocEntry>& entries, std::size_t recordStart,
                               std::size_t recordEnd);

// `data` followed by its size (the size byte(s) included) as a variable-width number read
// backwards from the end of the record: the form of every trailing entry but the multibyte one.
std::string SizedTrailingEntry(std::string_view data);

// Appends to each text record (record i covers text[i * 4096, (i + 1) * 4096)) its navigation
// trailing entry; it goes after the multibyte entry, as readers take trailing entries from
// the end of the record in the order of their flag bits, the multibyte one last.
void AppendNavigationEntries(std::span<std::string> records, const std::vector<TocEntry>& entries,
                             std::size_t textLength);

}  // namespace quillery::mobi
