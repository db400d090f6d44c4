#pragma once
// Raw deflate of an ePub entry ahead of the container's write, with the CRC-32 and the size
// the zip headers need, so the chapters can be compressed on the threads that convert them
// instead of one after another when the container is written.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillery::epub {

struct DeflatedBytes {
    std::string deflated;    // the raw deflate stream (no zlib or gzip wrapper)
    std::uint32_t crc = 0;   // CRC-32 of the original bytes
    std::uint64_t size = 0;  // length of the original bytes
};

// Deflates bytes at the fastest level; safe to call from several threads at once.
DeflatedBytes Deflate(std::string_view bytes);

}  // namespace quillery::epub
