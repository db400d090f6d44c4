// Pictures turned into PNG for the package (see picture_conversion.h).

#include "package/picture_conversion.h"

#include <gd.h>

#include <cstdarg>
#include <fstream>
#include <memory>
#include <mutex>
#include <string_view>

#include "package/picture_signature.h"
#include "text/picture_header.h"
#include "text/text_file.h"

namespace quillery {

namespace {

constexpr std::size_t kLargestPicture = 32u << 20;

struct ImageDeleter {
    void operator()(gdImagePtr image) const { gdImageDestroy(image); }
};
struct BytesDeleter {
    void operator()(void* bytes) const { gdFree(bytes); }
};

// GD reports problems through one process-wide callback, printing to standard error by
// default; the reason given here is enough.
void QuietLibraryMessage(int, const char*, va_list) {}

}  // namespace

bool NeedsPictureConversion(const std::string& path) {
    const std::string subtype = PictureSubtypeBySignature(path);
    return subtype == "bmp" || subtype == "tiff" || subtype == "webp";
}

bool ConvertPictureToPng(const std::string& source, const std::string& target, std::string& error) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { gdSetErrorMethod(QuietLibraryMessage); });
    std::string bytes = ReadTextFile(source);
    if (bytes.empty() || bytes.size() > kLargestPicture) {
        error = bytes.empty() ? "it cannot be read" : "it is larger than 32 MB";
        return false;
    }
    const PictureKind kind = PictureKindOf(bytes);
    if (!PlausiblePictureSize(bytes, kind)) {
        error = "its size is not that of a picture that can be converted";
        return false;
    }
    const int size = static_cast<int>(bytes.size());
    gdImagePtr raw = nullptr;
    if (kind == PictureKind::Bmp) raw = gdImageCreateFromBmpPtr(size, bytes.data());
    if (kind == PictureKind::Tiff) raw = gdImageCreateFromTiffPtr(size, bytes.data());
    if (kind == PictureKind::Webp) raw = gdImageCreateFromWebpPtr(size, bytes.data());
    const std::unique_ptr<gdImage, ImageDeleter> image(raw);
    if (!image) {
        error = "it cannot be decoded";
        return false;
    }
    gdImageSaveAlpha(image.get(), 1);
    int pngSize = 0;
    const std::unique_ptr<void, BytesDeleter> png(gdImagePngPtr(image.get(), &pngSize));
    if (!png || pngSize <= 0) {
        error = "no PNG could be made of it";
        return false;
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(png.get()), pngSize);
    if (!out) {
        error = "the PNG could not be written";
        return false;
    }
    return true;
}

}  // namespace quillery
