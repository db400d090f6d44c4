// Pictures for the book's image records (see pictures.h).

#include "mobi/pictures.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "mobi/picture_codec.h"
#include "mobi/picture_traits.h"

namespace quillery::mobi {
namespace {

using detail::GdImage;
using detail::SourceFormat;

constexpr const char* kJpegType = "image/jpeg";
constexpr const char* kGifType = "image/gif";

// JPEG qualities tried one after the other before the picture is made smaller.
constexpr int kJpegQualities[] = {90, 80, 70, 60, 50, 40};
// A JPEG more than this many times too big at the first quality is scaled before anything else.
constexpr std::size_t kFarTooBig = 3;
// Scaling aims a little below the estimated fitting size, and each step keeps between these
// shares of the width and height.
constexpr double kScaleMargin = 0.95;
constexpr double kMinScaleStep = 0.1;
constexpr double kMaxScaleStep = 0.85;
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
    // Quality only applies to JPEG.
    return format == PictureFormat::Jpeg ? detail::EncodeJpeg(image, quality)
                                         : detail::EncodeGif(image);
}

// Encodes the flattened picture as `format` so that it fits in maxBytes: JPEG at falling
// qualities, then both formats at smaller sizes, always scaled from the original. The next size
// is estimated from the last encoded size (bytes grow about with the pixel count), so a big
// photo needs a few encodings rather than dozens.
std::optional<Picture> EncodeToFit(const GdImage& flat, PictureFormat format, std::size_t maxBytes,
                                   std::string& error) {
    const GdImage* current = &flat;
    GdImage scaled;
    for (;;) {
        std::size_t lastSize = 0;
        for (int quality : kJpegQualities) {
            std::string bytes = Encode(*current, format, quality);
            if (bytes.empty()) {
                error = "The picture could not be encoded.";
                return std::nullopt;
            }
            if (bytes.size() <= maxBytes) return MakePicture(std::move(bytes), format, *current);
            lastSize = bytes.size();
            // GIF has no quality to lower; a JPEG far too big at the first quality is scaled first.
            if (format == PictureFormat::Gif || lastSize > kFarTooBig * maxBytes) break;
        }
        const double estimate = std::sqrt(static_cast<double>(maxBytes) / lastSize) * kScaleMargin;
        const double factor = std::clamp(estimate, kMinScaleStep, kMaxScaleStep);
        const int width = static_cast<int>(std::lround(detail::WidthOf(*current) * factor));
        const int height = static_cast<int>(std::lround(detail::HeightOf(*current) * factor));
        if (std::min(width, height) < kMinEdge) break;
        scaled = detail::ScaledCopy(flat, width, height);
        if (!scaled) {
            error = "There is not enough memory to scale the picture.";
            return std::nullopt;
        }
        current = &scaled;
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

// True when giflib, the decoder e-book readers commonly use, reads the whole GIF and finds
// the size the compiler's decoder found, in one frame. A damaged GIF that one decoder
// tolerates and the other does not is re-encoded rather than put into the book as it is, and
// so is an animated one: devices show no animation, and some show nothing.
bool GifKeepsAsItIs(std::string_view bytes, int width, int height) {
    int error = 0;
    GifFileType* file = DGifOpen(
        &bytes,
        [](GifFileType* gif, GifByteType* out, int wanted) {
            auto* rest = static_cast<std::string_view*>(gif->UserData);
            const std::size_t count = std::min(rest->size(), static_cast<std::size_t>(wanted));
            std::memcpy(out, rest->data(), count);
            rest->remove_prefix(count);
            return static_cast<int>(count);
        },
        &error);
    if (file == nullptr) return false;
    const bool whole = DGifSlurp(file) == GIF_OK && file->ImageCount == 1 &&
                       file->SWidth == width && file->SHeight == height;
    DGifCloseFile(file, &error);
    return whole;
}

}  // namespace

namespace {

// The picture as `target`, or kept as it is when it may be (see PrepareBookPicture); a GIF
// is kept only when `mayKeepGif`.
std::optional<Picture> Prepare(std::string_view bytes, PictureFormat target, bool mayKeepGif,
                               std::size_t maxBytes, std::string& error) {
    const SourceFormat source = detail::SniffFormat(bytes);
    GdImage image = detail::DecodePicture(bytes, source, error);
    if (!image) return std::nullopt;

    // A JPEG may stay a JPEG unless the book asks for GIF only or it is CMYK (converted to
    // RGB); a GIF may always stay a GIF (its transparency would be lost), unless it is
    // animated: then its first frame, the one the decoder read, is the picture.
    const bool keepJpeg =
        source == SourceFormat::Jpeg && target == PictureFormat::Jpeg && JpegShowsOnDevices(bytes);
    const bool keepGif = mayKeepGif && source == SourceFormat::Gif &&
                         GifKeepsAsItIs(bytes, detail::WidthOf(image), detail::HeightOf(image));
    if ((keepJpeg || keepGif) && bytes.size() <= maxBytes) {
        Picture picture;
        picture.bytes.assign(bytes);
        picture.mediaType = keepJpeg ? kJpegType : kGifType;
        picture.width = detail::WidthOf(image);
        picture.height = detail::HeightOf(image);
        return picture;
    }

    // A JPEG has no transparency: it needs no white page beneath (and no second copy in memory).
    GdImage flat = source == SourceFormat::Jpeg ? std::move(image) : detail::FlattenOnWhite(image);
    if (!flat) {
        error = "There is not enough memory to convert the picture.";
        return std::nullopt;
    }
    return EncodeToFit(flat, target, maxBytes, error);
}

}  // namespace

std::optional<Picture> PrepareBookPicture(std::string_view bytes, PictureFormat target,
                                          std::size_t maxBytes, std::string& error) {
    return Prepare(bytes, target, true, maxBytes, error);
}

std::optional<Picture> PrepareCoverPicture(std::string_view bytes, std::size_t maxBytes,
                                           std::string& error) {
    return Prepare(bytes, PictureFormat::Jpeg, false, maxBytes, error);
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
