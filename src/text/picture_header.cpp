// Picture kinds and declared sizes from the first bytes (see picture_header.h).

#include "text/picture_header.h"

#include <cstdint>
#include <optional>

namespace quillery {
namespace {

using namespace std::string_view_literals;

std::uint32_t Byte(std::string_view d, std::size_t at) { return static_cast<unsigned char>(d[at]); }
std::uint32_t Little16(std::string_view d, std::size_t at) {
    return Byte(d, at) | Byte(d, at + 1) << 8;
}
std::uint32_t Little24(std::string_view d, std::size_t at) {
    return Little16(d, at) | Byte(d, at + 2) << 16;
}
std::uint32_t Little32(std::string_view d, std::size_t at) {
    return Little16(d, at) | Little16(d, at + 2) << 16;
}
std::uint32_t Big16(std::string_view d, std::size_t at) {
    return Byte(d, at) << 8 | Byte(d, at + 1);
}
std::uint32_t Big32(std::string_view d, std::size_t at) {
    return Big16(d, at) << 16 | Big16(d, at + 2);
}

// The width and height tags of a TIFF's first directory.
std::optional<PictureSize> TiffSize(std::string_view d) {
    const bool little = d[0] == 'I';
    auto u16 = [&](std::size_t at) { return little ? Little16(d, at) : Big16(d, at); };
    auto u32 = [&](std::size_t at) { return little ? Little32(d, at) : Big32(d, at); };
    const std::size_t directory = u32(4);
    if (directory > d.size() || d.size() - directory < 2) return std::nullopt;
    const std::size_t entries = u16(directory);
    PictureSize size;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t at = directory + 2 + i * 12;
        if (at + 12 > d.size()) return std::nullopt;
        const std::uint32_t tag = u16(at);
        const std::uint32_t type = u16(at + 2);
        const long long value = type == 3 ? u16(at + 8) : u32(at + 8);  // SHORT or LONG
        if (tag == 256) size.width = value;
        if (tag == 257) size.height = value;
    }
    return size;
}

// The frame size of the first chunk of a WebP: lossy "VP8 ", lossless "VP8L" or "VP8X".
std::optional<PictureSize> WebpSize(std::string_view d) {
    if (d.size() < 30) return std::nullopt;
    const std::string_view chunk = d.substr(12, 4);
    if (chunk == "VP8 ") return PictureSize{Little16(d, 26) & 0x3FFF, Little16(d, 28) & 0x3FFF};
    if (chunk == "VP8L") {
        const std::uint32_t bits = Little32(d, 21);
        return PictureSize{1 + (bits & 0x3FFF), 1 + (bits >> 14 & 0x3FFF)};
    }
    if (chunk == "VP8X")
        return PictureSize{1 + static_cast<long long>(Little24(d, 24)),
                           1 + static_cast<long long>(Little24(d, 27))};
    return std::nullopt;
}

// The size a JPEG declares in its frame header, found by walking the marker segments.
std::optional<PictureSize> JpegSize(std::string_view d) {
    std::size_t pos = 2;
    while (pos + 4 <= d.size()) {
        if (Byte(d, pos) != 0xFF) return std::nullopt;
        const std::uint32_t marker = Byte(d, pos + 1);
        if (marker == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // markers without a length
            pos += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // scan data before any frame
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame) {
            if (pos + 9 > d.size()) return std::nullopt;
            return PictureSize{Big16(d, pos + 7), Big16(d, pos + 5)};
        }
        pos += 2 + Big16(d, pos + 2);
    }
    return std::nullopt;
}

// A BMP's size: 16-bit in the old 12-byte core header, signed 32-bit otherwise (a negative
// height means the rows are stored top-down).
std::optional<PictureSize> BmpSize(std::string_view d) {
    if (d.size() < 26) return std::nullopt;
    if (Little32(d, 14) == 12) return PictureSize{Little16(d, 18), Little16(d, 20)};
    const auto width = static_cast<std::int32_t>(Little32(d, 18));
    const auto height = static_cast<std::int32_t>(Little32(d, 22));
    return PictureSize{width < 0 ? -static_cast<long long>(width) : width,
                       height < 0 ? -static_cast<long long>(height) : height};
}

}  // namespace

PictureKind PictureKindOf(std::string_view b) {
    if (b.starts_with("\xFF\xD8\xFF"sv)) return PictureKind::Jpeg;
    if (b.starts_with("\x89PNG\r\n\x1A\n"sv)) return PictureKind::Png;
    if (b.starts_with("GIF87a"sv) || b.starts_with("GIF89a"sv)) return PictureKind::Gif;
    if (b.starts_with("BM"sv)) return PictureKind::Bmp;
    if (b.starts_with("II*\0"sv) || b.starts_with("MM\0*"sv)) return PictureKind::Tiff;
    if (b.size() >= 12 && b.starts_with("RIFF"sv) && b.substr(8, 4) == "WEBP")
        return PictureKind::Webp;
    return PictureKind::Unknown;
}

std::string_view PictureSubtype(PictureKind kind) {
    switch (kind) {
        case PictureKind::Jpeg:
            return "jpeg";
        case PictureKind::Png:
            return "png";
        case PictureKind::Gif:
            return "gif";
        case PictureKind::Bmp:
            return "bmp";
        case PictureKind::Tiff:
            return "tiff";
        case PictureKind::Webp:
            return "webp";
        case PictureKind::Unknown:
            break;
    }
    return {};
}

std::optional<PictureSize> DeclaredPictureSize(std::string_view d, PictureKind kind) {
    switch (kind) {
        case PictureKind::Jpeg:
            return JpegSize(d);
        case PictureKind::Png:
            if (d.size() < 24) return std::nullopt;
            return PictureSize{Big32(d, 16), Big32(d, 20)};
        case PictureKind::Gif:
            if (d.size() < 10) return std::nullopt;
            return PictureSize{Little16(d, 6), Little16(d, 8)};
        case PictureKind::Bmp:
            return BmpSize(d);
        case PictureKind::Tiff:
            return TiffSize(d);
        case PictureKind::Webp:
            return WebpSize(d);
        case PictureKind::Unknown:
            break;
    }
    return std::nullopt;
}

bool PlausiblePictureSize(std::string_view bytes, PictureKind kind, long long maxPixels) {
    // A JPEG's size is left to its decoder, which reads the whole frame header anyway.
    if (kind == PictureKind::Jpeg || kind == PictureKind::Unknown) return true;
    const std::optional<PictureSize> size = DeclaredPictureSize(bytes, kind);
    return size && size->width > 0 && size->height > 0 && size->width <= maxPixels &&
           size->width * size->height <= maxPixels;
}

}  // namespace quillery
