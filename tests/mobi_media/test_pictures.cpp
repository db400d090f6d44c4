#include "test_pictures.h"

#include <gd.h>

#include <random>
#include <stdexcept>

namespace quillery::mobi::testing {

std::string MakeTestPicture(const std::string& format, int width, int height, Pattern pattern,
                            int jpegQuality) {
  gdImagePtr image = gdImageCreateTrueColor(width, height);
  if (image == nullptr) throw std::runtime_error("cannot create test picture");
  std::mt19937 random(42);
  const bool withAlpha = format == "png-alpha";
  if (withAlpha) {
    gdImageAlphaBlending(image, 0);
    gdImageSaveAlpha(image, 1);
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int r = 255 * x / width;
      int g = 255 * y / height;
      int b = 128;
      if (pattern == Pattern::Noise) {
        r = static_cast<int>(random() & 0xFF);
        g = static_cast<int>(random() & 0xFF);
        b = static_cast<int>(random() & 0xFF);
      }
      const int alpha = withAlpha && x < width / 2 ? gdAlphaTransparent : gdAlphaOpaque;
      gdImageSetPixel(image, x, y, gdTrueColorAlpha(r, g, b, alpha));
    }
  }
  int size = 0;
  void* data = nullptr;
  if (format == "jpeg") {
    data = gdImageJpegPtr(image, &size, jpegQuality);
  } else if (format == "png" || format == "png-alpha") {
    data = gdImagePngPtr(image, &size);
  } else if (format == "gif") {
    gdImageTrueColorToPalette(image, 0, 256);
    data = gdImageGifPtr(image, &size);
  } else if (format == "bmp") {
    data = gdImageBmpPtr(image, &size, 0);
  }
  gdImageDestroy(image);
  if (data == nullptr) throw std::runtime_error("cannot encode test picture as " + format);
  std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(size));
  gdFree(data);
  return bytes;
}

}  // namespace quillery::mobi::testing
