#pragma once
// Small synthetic pictures encoded as real baseline JPEG files (libjpeg).

#include <cstdint>
#include <string>

namespace quillery::bench {

struct PictureSpec {
    int width = 320;
    int height = 240;
    int quality = 75;       // JPEG quality, 1..100
    bool detailed = false;  // fine noise everywhere: makes a large file that must be re-encoded
    std::uint64_t seed = 1;
};

// Draws a picture after picture and writes it to path as a JPEG. Returns false when the file
// cannot be written.
bool WriteJpegPicture(const std::string& path, const PictureSpec& picture);

}  // namespace quillery::bench
