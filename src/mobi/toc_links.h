#pragma once
// The table of contents items of a book linked into NCX index entries: nesting, family
// links, section lengths, and the level-by-level order the index stores them in.

#include <cstdint>
#include <string>
#include <vector>

#include "mobi/ncx_index.h"

namespace quillery::mobi {

// One table of contents item as the book lists it, in reading order.
struct TocItem {
    std::string label;
    std::uint32_t offset = 0;  // byte position of the target in the uncompressed text
    int level = 0;             // 0 for top-level items; deeper items follow their parent
};

// Turns the reading-order items into index entries: ordered level by level, so that the
// children of every entry are consecutive entries (firstChild..lastChild), with parent and
// child links, and each entry's length running to the next item that is not inside it (or to
// textLength). A level deeper than one below the previous item counts as one below it.
std::vector<TocEntry> LinkTocEntries(const std::vector<TocItem>& items, std::uint32_t textLength);

}  // namespace quillery::mobi
