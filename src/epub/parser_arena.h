#pragma once
// The memory of one page's tree while it is turned into XHTML: taken from large blocks and
// given back all at once when the page is written, instead of one malloc and free per node,
// token and string. The HTML5 parser and the simple page tree builder both allocate from
// the calling thread's arena; the blocks stay with the thread for the next page.

#include <cstddef>
#include <memory>
#include <vector>

namespace quillery::epub {

class ParserArena {
public:
    // Memory for `size` bytes, aligned for any node structure; valid until Reset.
    void* Allocate(std::size_t size);
    // Gives back everything allocated since the last reset (a huge page's blocks are freed).
    void Reset();

private:
    struct Block {
        std::unique_ptr<unsigned char[]> data;
        std::size_t size;
    };
    void NextBlock(std::size_t size);

    std::vector<Block> blocks_;
    std::size_t current_ = 0;
    std::size_t used_ = 0;
};

// The calling thread's arena.
ParserArena& ThreadParserArena();

}  // namespace quillery::epub
