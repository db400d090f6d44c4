#pragma once
// Independent checks of encoded pictures: JPEG through libjpeg, GIF through giflib, so the
// tests do not only trust the library the compiler itself uses.

#include <optional>
#include <string>

namespace quillery::mobi::testing {

struct DecodedSize {
  int width = 0;
  int height = 0;
};

std::optional<DecodedSize> DecodeJpegIndependently(const std::string& bytes);
std::optional<DecodedSize> DecodeGifIndependently(const std::string& bytes);

// The RGB colour of one pixel of a JPEG (decoded with libjpeg), packed as 0xRRGGBB.
std::optional<unsigned> JpegPixel(const std::string& bytes, int x, int y);

}  // namespace quillery::mobi::testing
