// The pictures of a .docx as Word's HTML save writes them (see docx_pictures.h).

#include "wordimport/docx_pictures.h"

#include <gd.h>

#include <cstdio>
#include <cstring>

namespace quillery::docx {
namespace {

enum class Kind { Jpeg, Png, Gif, Bmp, Tiff, Webp, Metafile, Unknown };

constexpr long long kMaxPixels = 40'000'000;  // larger pictures are not decoded

bool StartsWith(const std::string& data, std::string_view prefix) {
    return data.size() >= prefix.size() &&
           std::memcmp(data.data(), prefix.data(), prefix.size()) == 0;
}

Kind KindOf(const std::string& data) {
    using namespace std::string_view_literals;
    if (StartsWith(data, "\xFF\xD8\xFF"sv)) return Kind::Jpeg;
    if (StartsWith(data, "\x89PNG\r\n\x1A\n"sv)) return Kind::Png;
    if (StartsWith(data, "GIF87a"sv) || StartsWith(data, "GIF89a"sv)) return Kind::Gif;
    if (StartsWith(data, "BM"sv)) return Kind::Bmp;
    if (StartsWith(data, "II*\0"sv) || StartsWith(data, "MM\0*"sv)) return Kind::Tiff;
    if (data.size() > 12 && StartsWith(data, "RIFF"sv) && data.compare(8, 4, "WEBP") == 0)
        return Kind::Webp;
    if (StartsWith(data, "\xD7\xCD\xC6\x9A"sv) || StartsWith(data, "\x01\x00\x09\x00"sv) ||
        StartsWith(data, "\x02\x00\x09\x00"sv) ||
        (data.size() > 44 && data.compare(40, 4, " EMF") == 0))
        return Kind::Metafile;
    return Kind::Unknown;
}

unsigned Big32(const std::string& d, std::size_t at) {
    return (static_cast<unsigned char>(d[at]) << 24) |
           (static_cast<unsigned char>(d[at + 1]) << 16) |
           (static_cast<unsigned char>(d[at + 2]) << 8) | static_cast<unsigned char>(d[at + 3]);
}
unsigned Little16(const std::string& d, std::size_t at) {
    return static_cast<unsigned char>(d[at]) | (static_cast<unsigned char>(d[at + 1]) << 8);
}

// The dimensions a decoder would allocate, read from the header where that is cheap; a
// picture claiming more than kMaxPixels is not decoded.
bool PlausibleSize(const std::string& data, Kind kind) {
    long long width = 0, height = 0;
    if (kind == Kind::Png && data.size() >= 24) {
        width = Big32(data, 16);
        height = Big32(data, 20);
    } else if (kind == Kind::Gif && data.size() >= 10) {
        width = Little16(data, 6);
        height = Little16(data, 8);
    } else if (kind == Kind::Bmp && data.size() >= 26) {
        width = static_cast<int>(Little16(data, 18) | (Little16(data, 20) << 16));
        height = static_cast<int>(Little16(data, 22) | (Little16(data, 24) << 16));
        if (height < 0) height = -height;
    } else {
        return true;
    }
    return width > 0 && height > 0 && width * height <= kMaxPixels;
}

gdImagePtr Decode(const std::string& data, Kind kind) {
    void* bytes = const_cast<char*>(data.data());
    const int size = static_cast<int>(data.size());
    switch (kind) {
        case Kind::Png:
            return gdImageCreateFromPngPtr(size, bytes);
        case Kind::Gif:
            return gdImageCreateFromGifPtr(size, bytes);
        case Kind::Bmp:
            return gdImageCreateFromBmpPtr(size, bytes);
        case Kind::Tiff:
            return gdImageCreateFromTiffPtr(size, bytes);
        case Kind::Webp:
            return gdImageCreateFromWebpPtr(size, bytes);
        default:
            return nullptr;
    }
}

std::optional<std::string> Encode(gdImagePtr image, PictureFormat format) {
    int size = 0;
    void* bytes =
        format == PictureFormat::Png ? gdImagePngPtr(image, &size) : gdImageGifPtr(image, &size);
    if (bytes == nullptr || size <= 0) return std::nullopt;
    std::string out(static_cast<const char*>(bytes), static_cast<std::size_t>(size));
    gdFree(bytes);
    return out;
}

}  // namespace

std::optional<std::string> PictureStore::Store(const std::string& partName, std::string data,
                                               std::vector<std::string>& log) {
    const Kind kind = KindOf(data);
    if (kind == Kind::Metafile) {
        log.push_back("Picture " + partName +
                      " is an EMF/WMF drawing, which is not converted; it was left out.");
        return std::nullopt;
    }
    if (kind == Kind::Unknown || data.size() > static_cast<std::size_t>(INT32_MAX)) {
        log.push_back("Picture " + partName +
                      " is not a picture format the import reads; it was left out.");
        return std::nullopt;
    }
    std::string extension = "jpg";
    const bool keep = kind == Kind::Jpeg || (kind == Kind::Png && format_ == PictureFormat::Png) ||
                      (kind == Kind::Gif && format_ == PictureFormat::Gif);
    if (!keep) {
        gdImagePtr image = PlausibleSize(data, kind) ? Decode(data, kind) : nullptr;
        std::optional<std::string> encoded = image ? Encode(image, format_) : std::nullopt;
        if (image) gdImageDestroy(image);
        if (!encoded) {
            log.push_back("Picture " + partName + " cannot be read; it was left out.");
            return std::nullopt;
        }
        data = std::move(*encoded);
    }
    if (kind != Kind::Jpeg) extension = format_ == PictureFormat::Png ? "png" : "gif";
    char name[32];
    std::snprintf(name, sizeof name, "image%03zu.%s", files_.size() + 1, extension.c_str());
    files_.push_back({name, std::move(data)});
    return files_.back().name;
}

}  // namespace quillery::docx
