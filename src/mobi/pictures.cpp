#include "mobi/pictures.h"

#include <algorithm>
#include <cmath>

#include "mobi/picture_codec.h"

namespace quillery::mobi {
namespace {

using detail::GdImage;
using detail::SourceFormat;

constexpr const char* kJpegType = "image/jpeg";
constexpr const char* kGifType = "image/gif";

// JPEG qualities tried one after the other before the picture is made smaller.
constexpr int kJpegQualities[] = {90, 80, 70, 60, 50, 40};
// Quality for pictures that had to be scaled down: they keep a good quality at a smaller size.
constexpr int kScaledJpegQuality = 75;
// Each scaling step keeps this share of the width and height (about half the pixels).
constexpr double kScaleStep = 0.7;
// No picture is made smaller than this on its shorter side: if even that does not fit, the
// picture is refused rather than shown as a smudge.
constexpr int kMinEdge = 16;

Picture MakePicture(std::string bytes, PictureFormat format, const GdImage& image) {
  Picture picture;
  picture.bytes = std::move(bytes);
  picture.mediaType = format == PictureFormat::Jpeg ? kJpegType : kGifType;
  picture.width = detail::WidthOf(image);
  picture.height = detail::HeightOf(image);
  return picture;
}

std::string Encode(const GdImage& image, PictureFormat format, int quality) {
  return format == PictureFormat::Jpeg ? detail::EncodeJpeg(image, quality)
                                       : detail::EncodeGif(image);
}

// Encodes the flattened picture as `format` so that it fits in maxBytes: JPEG first at falling
// qualities, then both formats at falling sizes.
std::optional<Picture> EncodeToFit(const GdImage& flat, PictureFormat format,
                                   std::size_t maxBytes, std::string& error) {
  if (format == PictureFormat::Jpeg) {
    for (int quality : kJpegQualities) {
      std::string bytes = detail::EncodeJpeg(flat, quality);
      if (bytes.empty()) break;
      if (bytes.size() <= maxBytes) return MakePicture(std::move(bytes), format, flat);
    }
  } else {
    std::string bytes = detail::EncodeGif(flat);
    if (!bytes.empty() && bytes.size() <= maxBytes) {
      return MakePicture(std::move(bytes), format, flat);
    }
  }
  double factor = 1.0;
  for (;;) {
    factor *= kScaleStep;
    const int width = static_cast<int>(std::lround(detail::WidthOf(flat) * factor));
    const int height = static_cast<int>(std::lround(detail::HeightOf(flat) * factor));
    if (std::min(width, height) < kMinEdge) break;
    GdImage scaled = detail::ScaledCopy(flat, width, height);
    if (!scaled) break;
    std::string bytes = Encode(scaled, format, kScaledJpegQuality);
    if (bytes.empty()) break;
    if (bytes.size() <= maxBytes) return MakePicture(std::move(bytes), format, scaled);
  }
  error = "The picture cannot be made small enough for the book (at most " +
          std::to_string(maxBytes) + " bytes).";
  return std::nullopt;
}

GdImage DecodeAndFlatten(std::string_view bytes, std::string& error) {
  GdImage image = detail::DecodePicture(bytes, detail::SniffFormat(bytes), error);
  if (!image) return nullptr;
  GdImage flat = detail::FlattenOnWhite(image);
  if (!flat) error = "There is not enough memory to convert the picture.";
  return flat;
}

}  // namespace

std::optional<Picture> PrepareBookPicture(std::string_view bytes, PictureFormat target,
                                          std::size_t maxBytes, std::string& error) {
  const SourceFormat source = detail::SniffFormat(bytes);
  GdImage image = detail::DecodePicture(bytes, source, error);
  if (!image) return std::nullopt;

  // A JPEG may stay a JPEG unless the book asks for GIF only; a GIF may always stay a GIF
  // (it may be animated or transparent, which a conversion would lose).
  const bool keepJpeg = source == SourceFormat::Jpeg && target == PictureFormat::Jpeg;
  const bool keepGif = source == SourceFormat::Gif;
  if ((keepJpeg || keepGif) && bytes.size() <= maxBytes) {
    Picture picture;
    picture.bytes.assign(bytes);
    picture.mediaType = keepJpeg ? kJpegType : kGifType;
    picture.width = detail::WidthOf(image);
    picture.height = detail::HeightOf(image);
    return picture;
  }

  GdImage flat = detail::FlattenOnWhite(image);
  if (!flat) {
    error = "There is not enough memory to convert the picture.";
    return std::nullopt;
  }
  return EncodeToFit(flat, target, maxBytes, error);
}

std::optional<Picture> MakeThumbnail(std::string_view bytes, int maxEdge, PictureFormat target,
                                     std::string& error) {
  if (maxEdge < 1) {
    error = "The thumbnail size must be at least one pixel.";
    return std::nullopt;
  }
  GdImage flat = DecodeAndFlatten(bytes, error);
  if (!flat) return std::nullopt;

  const int width = detail::WidthOf(flat);
  const int height = detail::HeightOf(flat);
  const double factor = std::min(1.0, static_cast<double>(maxEdge) / std::max(width, height));
  if (factor < 1.0) {
    const int newWidth = std::max(1, static_cast<int>(std::lround(width * factor)));
    const int newHeight = std::max(1, static_cast<int>(std::lround(height * factor)));
    flat = detail::ScaledCopy(flat, newWidth, newHeight);
    if (!flat) {
      error = "There is not enough memory to scale the picture.";
      return std::nullopt;
    }
  }
  return EncodeToFit(flat, target, kMaxImageRecordBytes, error);
}

}  // namespace quillery::mobi
