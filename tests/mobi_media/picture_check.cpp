#include "picture_check.h"

#include <gif_lib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace quillery::mobi::testing {
namespace {

struct JpegErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JumpOnError(j_common_ptr info) {
  auto* trap = reinterpret_cast<JpegErrorTrap*>(info->err);
  std::longjmp(trap->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Decodes the whole JPEG into RGB rows; nullopt when libjpeg reports an error.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> pixels;
};

std::optional<RgbPicture> DecodeJpegRgb(const std::string& bytes) {
  jpeg_decompress_struct info;
  JpegErrorTrap trap;
  info.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JumpOnError;
  trap.manager.output_message = IgnoreMessage;
  // Everything the jump may skip over lives in `picture`, constructed before setjmp.
  RgbPicture picture;
  if (setjmp(trap.jump) != 0) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.pixels.data() +
                   static_cast<std::size_t>(info.output_scanline) * picture.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return picture;
}

struct MemoryReader {
  const std::string* bytes;
  std::size_t position;
};

int ReadFromMemory(GifFileType* file, GifByteType* out, int wanted) {
  auto* reader = static_cast<MemoryReader*>(file->UserData);
  const std::size_t left = reader->bytes->size() - reader->position;
  const std::size_t count = std::min(left, static_cast<std::size_t>(wanted));
  std::memcpy(out, reader->bytes->data() + reader->position, count);
  reader->position += count;
  return static_cast<int>(count);
}

}  // namespace

std::optional<DecodedSize> DecodeJpegIndependently(const std::string& bytes) {
  const auto picture = DecodeJpegRgb(bytes);
  if (!picture) return std::nullopt;
  return DecodedSize{picture->width, picture->height};
}

std::optional<unsigned> JpegPixel(const std::string& bytes, int x, int y) {
  const auto picture = DecodeJpegRgb(bytes);
  if (!picture || x >= picture->width || y >= picture->height) return std::nullopt;
  const std::size_t at = (static_cast<std::size_t>(y) * picture->width + x) * 3;
  return (unsigned(picture->pixels[at]) << 16) | (unsigned(picture->pixels[at + 1]) << 8) |
         picture->pixels[at + 2];
}

std::optional<DecodedSize> DecodeGifIndependently(const std::string& bytes) {
  MemoryReader reader{&bytes, 0};
  int error = 0;
  GifFileType* file = DGifOpen(&reader, ReadFromMemory, &error);
  if (file == nullptr) return std::nullopt;
  std::optional<DecodedSize> size;
  if (DGifSlurp(file) == GIF_OK && file->ImageCount > 0) {
    size = DecodedSize{file->SWidth, file->SHeight};
  }
  DGifCloseFile(file, &error);
  return size;
}

}  // namespace quillery::mobi::testing
