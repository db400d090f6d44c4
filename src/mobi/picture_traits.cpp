// Reads the JPEG frame header for its colour components (see picture_traits.h).

#include "mobi/picture_traits.h"

#include <cstddef>
#include <cstdint>

namespace quillery::mobi {

int JpegColourComponents(std::string_view b) {
    if (b.size() < 4 || std::uint8_t(b[0]) != 0xFF || std::uint8_t(b[1]) != 0xD8) return 0;
    std::size_t pos = 2;
    while (pos + 4 <= b.size()) {
        if (std::uint8_t(b[pos]) != 0xFF) return 0;
        const std::uint8_t marker = std::uint8_t(b[pos + 1]);
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length follows
            pos += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return 0;  // scan data before any frame header
        const std::size_t length =
            (std::size_t(std::uint8_t(b[pos + 2])) << 8) | std::uint8_t(b[pos + 3]);
        // Start-of-frame markers: C0-CF but for C4 (Huffman tables), C8 and CC (arithmetic).
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
            marker != 0xCC) {
            // Length, precision, height, width, then the component count.
            return pos + 9 < b.size() ? std::uint8_t(b[pos + 9]) : 0;
        }
        pos += 2 + length;
    }
    return 0;
}

bool JpegShowsOnDevices(std::string_view bytes) {
    const int components = JpegColourComponents(bytes);
    return components == 1 || components == 3;
}

}  // namespace quillery::mobi
