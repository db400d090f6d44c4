// The per-thread block allocator of the page trees (see parser_arena.h).

#include "epub/parser_arena.h"

#include <algorithm>

namespace quillery::epub {

void* ParserArena::Allocate(std::size_t size) {
    size = (size + 15) & ~static_cast<std::size_t>(15);
    if (blocks_.empty() || used_ + size > blocks_[current_].size) NextBlock(size);
    void* p = blocks_[current_].data.get() + used_;
    used_ += size;
    return p;
}

void ParserArena::Reset() {
    // A huge page's memory is not kept for the pages after it.
    std::size_t total = 0;
    for (const Block& b : blocks_) total += b.size;
    if (total > (std::size_t{64} << 20)) blocks_.clear();
    current_ = 0;
    used_ = 0;
}

void ParserArena::NextBlock(std::size_t size) {
    while (current_ + 1 < blocks_.size()) {
        ++current_;
        used_ = 0;
        if (blocks_[current_].size >= size) return;
    }
    const std::size_t blockSize = std::max<std::size_t>(size, 1 << 20);
    blocks_.push_back({std::make_unique<unsigned char[]>(blockSize), blockSize});
    current_ = blocks_.size() - 1;
    used_ = 0;
}

ParserArena& ThreadParserArena() {
    thread_local ParserArena arena;
    return arena;
}

}  // namespace quillery::epub
