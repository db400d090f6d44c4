// Picture kinds and the sizes headers declare: a picture claiming more pixels than may be
// decoded is refused before any decoder sees it, whatever its kind.

#include "text/picture_header.h"

#include <gtest/gtest.h>

#include <string>

namespace quillery {
namespace {

using namespace std::string_literals;

std::string Le16(unsigned v) { return {char(v & 0xFF), char(v >> 8 & 0xFF)}; }
std::string Le32(unsigned v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be32(unsigned v) {
    return {char(v >> 24 & 0xFF), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)};
}

std::string Png(unsigned w, unsigned h) {
    return "\x89PNG\r\n\x1A\n"s + Be32(13) + "IHDR" + Be32(w) + Be32(h);
}
std::string Bmp(unsigned w, unsigned h) { return "BM" + std::string(16, '\0') + Le32(w) + Le32(h); }
// A little-endian TIFF whose first directory holds ImageWidth (LONG) and ImageLength (SHORT).
std::string Tiff(unsigned w, unsigned h) {
    return "II*\0"s + Le32(8) + Le16(2) + Le16(256) + Le16(4) + Le32(1) + Le32(w) + Le16(257) +
           Le16(3) + Le32(1) + Le16(h) + Le16(0);
}
std::string Webp(const std::string& chunk, const std::string& header) {
    return "RIFF" + Le32(100) + "WEBP" + chunk + Le32(90) + header + std::string(16, '\0');
}

TEST(PictureHeader, KindsAndDeclaredSizes) {
    struct Row {
        std::string bytes;
        PictureKind kind;
        bool plausible;
    };
    const Row rows[] = {
        {"\xFF\xD8\xFF\xE0"s, PictureKind::Jpeg, true},
        {Png(800, 600), PictureKind::Png, true},
        {Png(100000, 100000), PictureKind::Png, false},
        {Png(0, 600), PictureKind::Png, false},
        {"GIF89a" + Le16(640) + Le16(480), PictureKind::Gif, true},
        {Bmp(640, static_cast<unsigned>(-480)), PictureKind::Bmp, true},  // stored top-down
        {Bmp(65535, 65535), PictureKind::Bmp, false},
        {Tiff(2000, 3000), PictureKind::Tiff, true},
        {Tiff(4000000, 60000), PictureKind::Tiff, false},
        {Tiff(2000, 3000).substr(0, 20), PictureKind::Tiff, false},  // directory cut short
        {Webp("VP8 ", std::string(6, '\0') + Le16(1024) + Le16(768)), PictureKind::Webp, true},
        {Webp("VP8L", Le32(1023 | 767u << 14).insert(0, 1, '\x2F')), PictureKind::Webp, true},
        {Webp("VP8X", std::string(4, '\0') + "\xFF\xFF\xFF\xFF\xFF\xFF"), PictureKind::Webp,
         false},  // 16.7 M pixels square
        {"<html>", PictureKind::Unknown, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes.substr(0, 4));
        EXPECT_EQ(PictureKindOf(row.bytes), row.kind);
        EXPECT_EQ(PlausiblePictureSize(row.bytes, row.kind), row.plausible);
    }
}

}  // namespace
}  // namespace quillery
