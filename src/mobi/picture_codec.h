#pragma once
// Thin owning wrappers over the GD graphics library for the picture preparation: sniffing the
// container format, decoding with a clear error, flattening onto white, scaling and encoding.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct gdImageStruct;

namespace quillery::mobi::detail {

enum class SourceFormat { Unknown, Jpeg, Png, Gif, Bmp };

struct GdImageDeleter {
    void operator()(gdImageStruct* image) const;
};
using GdImage = std::unique_ptr<gdImageStruct, GdImageDeleter>;

// The container format named by the first bytes of `bytes`.
SourceFormat SniffFormat(std::string_view bytes);
const char* FormatName(SourceFormat format);

// Pixel count above which a picture is refused before decoding: a damaged or hostile header
// must not make the compiler allocate gigabytes.
inline constexpr long long kMaxDecodedPixels = 100LL * 1000 * 1000;
// Pixels any picture may declare, however small its file.
inline constexpr long long kPixelsAlwaysAllowed = 4096LL * 4096;
// Beyond that, pixels per byte of the file: real pictures, even flat drawings, stay far below;
// a small file declaring a huge picture is a decompression bomb.
inline constexpr long long kMaxPixelsPerFileByte = 32;

// The most pixels a picture file of `fileBytes` bytes may declare.
long long MaxPixelsFor(std::size_t fileBytes);

// Decodes the picture into a true-colour image. nullptr with `error` set when the bytes are
// not a complete picture of a known format.
GdImage DecodePicture(std::string_view bytes, SourceFormat format, std::string& error);

int WidthOf(const GdImage& image);
int HeightOf(const GdImage& image);

// A copy of the picture composed onto a white page (transparent parts become white), as the
// book's pages are white and neither output format keeps partial transparency.
GdImage FlattenOnWhite(const GdImage& image);

// A resampled copy of `image` of exactly width x height pixels.
GdImage ScaledCopy(const GdImage& image, int width, int height);

// Encoded bytes; empty when the library could not encode.
std::string EncodeJpeg(const GdImage& image, int quality);
std::string EncodeGif(const GdImage& image);

}  // namespace quillery::mobi::detail
