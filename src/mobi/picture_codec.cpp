// Thin owning wrappers over the GD graphics library for the picture preparation (see
// picture_codec.h).

#include "mobi/picture_codec.h"

#include <gd.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>

#include "text/picture_header.h"

namespace quillery::mobi::detail {
namespace {

// The GD library reports decoding problems through one process-wide callback. The message of
// the last problem seen on this thread is kept so that it can be added to the error text; the
// library's default of printing to standard error would clutter the compiler's console output.
thread_local std::string tLastLibraryMessage;

void RememberLibraryMessage(int /*priority*/, const char* format, va_list args) {
    char buffer[512];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    tLastLibraryMessage = buffer;
    while (!tLastLibraryMessage.empty() &&
           (tLastLibraryMessage.back() == '\n' || tLastLibraryMessage.back() == ' ')) {
        tLastLibraryMessage.pop_back();
    }
}

void InstallMessageCatcher() {
    static std::once_flag once;
    std::call_once(once, [] { gdSetErrorMethod(RememberLibraryMessage); });
}

std::uint32_t Le16(std::string_view b, std::size_t at) {
    return std::uint8_t(b[at]) | (std::uint32_t(std::uint8_t(b[at + 1])) << 8);
}
std::uint32_t Le32(std::string_view b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

PictureKind KindOf(SourceFormat format) {
    switch (format) {
        case SourceFormat::Jpeg:
            return PictureKind::Jpeg;
        case SourceFormat::Png:
            return PictureKind::Png;
        case SourceFormat::Gif:
            return PictureKind::Gif;
        case SourceFormat::Bmp:
            return PictureKind::Bmp;
        case SourceFormat::Unknown:
            break;
    }
    return PictureKind::Unknown;
}

// A JPEG whose last scan is not followed by the end-of-image marker was cut short: the
// library would quietly fill the missing part with grey.
bool JpegIsTruncated(std::string_view b) {
    const std::size_t lastScan = b.rfind("\xFF\xDA");
    const std::size_t end = b.rfind("\xFF\xD9");
    return lastScan == std::string_view::npos || end == std::string_view::npos || end < lastScan;
}

// A GIF ends with its trailer byte; without it the picture data was cut short.
bool GifIsTruncated(std::string_view b) {
    std::size_t last = b.size();
    while (last > 0 && b[last - 1] == '\0') --last;  // some writers pad the file
    return last == 0 || b[last - 1] != ';';
}

// A BMP states its file size in its header; fewer bytes than that means it was cut short.
bool BmpIsTruncated(std::string_view b) {
    if (b.size() < 14) return true;
    const std::uint32_t declared = Le32(b, 2);
    const std::uint32_t pixelsAt = Le32(b, 10);
    return (declared != 0 && declared > b.size()) || pixelsAt >= b.size();
}

std::string DecodeFailure(SourceFormat format, const std::string& what) {
    std::string message =
        std::string("The ") + FormatName(format) + " picture " + what + " and cannot be used";
    if (!tLastLibraryMessage.empty()) message += " (" + tLastLibraryMessage + ")";
    return message + ".";
}

}  // namespace

void GdImageDeleter::operator()(gdImageStruct* image) const {
    if (image != nullptr) gdImageDestroy(image);
}

long long MaxPixelsFor(std::size_t fileBytes) {
    const auto bySize = static_cast<long long>(
        std::min<std::size_t>(fileBytes, kMaxDecodedPixels / kMaxPixelsPerFileByte) *
        kMaxPixelsPerFileByte);
    return std::min(kMaxDecodedPixels, std::max(kPixelsAlwaysAllowed, bySize));
}

SourceFormat SniffFormat(std::string_view b) {
    switch (PictureKindOf(b)) {
        case PictureKind::Jpeg:
            return SourceFormat::Jpeg;
        case PictureKind::Png:
            return SourceFormat::Png;
        case PictureKind::Gif:
            return SourceFormat::Gif;
        case PictureKind::Bmp:
            return SourceFormat::Bmp;
        default:
            return SourceFormat::Unknown;  // TIFF and WebP are not read by the compiler
    }
}

const char* FormatName(SourceFormat format) {
    switch (format) {
        case SourceFormat::Jpeg:
            return "JPEG";
        case SourceFormat::Png:
            return "PNG";
        case SourceFormat::Gif:
            return "GIF";
        case SourceFormat::Bmp:
            return "BMP";
        case SourceFormat::Unknown:
            break;
    }
    return "unknown";
}

GdImage DecodePicture(std::string_view bytes, SourceFormat format, std::string& error) {
    InstallMessageCatcher();
    tLastLibraryMessage.clear();
    if (format == SourceFormat::Unknown) {
        error = "The picture is not a JPEG, PNG, GIF or BMP file and cannot be used.";
        return nullptr;
    }
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        error = DecodeFailure(format, "is too large to read");
        return nullptr;
    }
    if (const auto size = DeclaredPictureSize(bytes, KindOf(format))) {
        if (size->width <= 0 || size->height <= 0) {
            error = DecodeFailure(format, "declares no pixels");
            return nullptr;
        }
        // Widths and heights of up to 32 bits: their product is taken without overflow.
        const auto pixels = static_cast<unsigned long long>(size->width) *
                            static_cast<unsigned long long>(size->height);
        if (pixels > static_cast<unsigned long long>(MaxPixelsFor(bytes.size()))) {
            error = DecodeFailure(format, "is too large (" + std::to_string(size->width) + " x " +
                                              std::to_string(size->height) + " pixels in " +
                                              std::to_string(bytes.size()) + " bytes)");
            return nullptr;
        }
    }
    if ((format == SourceFormat::Jpeg && JpegIsTruncated(bytes)) ||
        (format == SourceFormat::Gif && GifIsTruncated(bytes)) ||
        (format == SourceFormat::Bmp && BmpIsTruncated(bytes))) {
        error = DecodeFailure(format, "is truncated");
        return nullptr;
    }

    // The decoders only read from the buffer; the library's signature lacks the const.
    void* data = const_cast<char*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    gdImagePtr raw = nullptr;
    switch (format) {
        case SourceFormat::Jpeg:
            raw = gdImageCreateFromJpegPtr(size, data);
            break;
        case SourceFormat::Png:
            raw = gdImageCreateFromPngPtr(size, data);
            break;
        case SourceFormat::Gif:
            raw = gdImageCreateFromGifPtr(size, data);
            break;
        case SourceFormat::Bmp:
            raw = gdImageCreateFromBmpPtr(size, data);
            break;
        case SourceFormat::Unknown:
            break;
    }
    GdImage image(raw);
    if (!image || gdImageSX(raw) <= 0 || gdImageSY(raw) <= 0) {
        error = DecodeFailure(format, "is damaged");
        return nullptr;
    }
    if (!gdImageTrueColor(raw) && !gdImagePaletteToTrueColor(raw)) {
        error = DecodeFailure(format, "could not be converted to full colour");
        return nullptr;
    }
    return image;
}

int WidthOf(const GdImage& image) { return gdImageSX(image.get()); }
int HeightOf(const GdImage& image) { return gdImageSY(image.get()); }

GdImage FlattenOnWhite(const GdImage& image) {
    const int width = WidthOf(image);
    const int height = HeightOf(image);
    GdImage page(gdImageCreateTrueColor(width, height));
    if (!page) return nullptr;
    gdImageFilledRectangle(page.get(), 0, 0, width - 1, height - 1, gdTrueColor(255, 255, 255));
    gdImageAlphaBlending(page.get(), 1);
    gdImageCopy(page.get(), image.get(), 0, 0, 0, 0, width, height);
    return page;
}

GdImage ScaledCopy(const GdImage& image, int width, int height) {
    GdImage scaled(gdImageCreateTrueColor(width, height));
    if (!scaled) return nullptr;
    gdImageAlphaBlending(scaled.get(), 0);
    gdImageSaveAlpha(scaled.get(), 1);
    gdImageCopyResampled(scaled.get(), image.get(), 0, 0, 0, 0, width, height, WidthOf(image),
                         HeightOf(image));
    return scaled;
}

namespace {
std::string TakeEncoded(void* data, int size) {
    if (data == nullptr || size <= 0) {
        if (data != nullptr) gdFree(data);
        return {};
    }
    std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(size));
    gdFree(data);
    return bytes;
}
}  // namespace

std::string EncodeJpeg(const GdImage& image, int quality) {
    int size = 0;
    void* data = gdImageJpegPtr(image.get(), &size, quality);
    return TakeEncoded(data, size);
}

std::string EncodeGif(const GdImage& image) {
    // GIF holds at most 256 colours: reduce a copy, leaving the caller's image untouched.
    GdImage palette(gdImageCreatePaletteFromTrueColor(image.get(), 1, 256));
    if (!palette) return {};
    int size = 0;
    void* data = gdImageGifPtr(palette.get(), &size);
    return TakeEncoded(data, size);
}

}  // namespace quillery::mobi::detail
