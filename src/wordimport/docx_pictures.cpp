// The pictures of a .docx as Word's HTML save writes them (see docx_pictures.h).

#include "wordimport/docx_pictures.h"

#include <gd.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "text/picture_header.h"

namespace quillery::docx {
namespace {

// Windows metafiles (placeable WMF, WMF, EMF): Word keeps drawings in them.
bool IsMetafile(std::string_view data) {
    using namespace std::string_view_literals;
    return data.starts_with("\xD7\xCD\xC6\x9A"sv) || data.starts_with("\x01\x00\x09\x00"sv) ||
           data.starts_with("\x02\x00\x09\x00"sv) ||
           (data.size() > 44 && data.substr(40, 4) == " EMF");
}

gdImagePtr Decode(const std::string& data, PictureKind kind) {
    void* bytes = const_cast<char*>(data.data());
    const int size = static_cast<int>(data.size());
    switch (kind) {
        case PictureKind::Png:
            return gdImageCreateFromPngPtr(size, bytes);
        case PictureKind::Gif:
            return gdImageCreateFromGifPtr(size, bytes);
        case PictureKind::Bmp:
            return gdImageCreateFromBmpPtr(size, bytes);
        case PictureKind::Tiff:
            return gdImageCreateFromTiffPtr(size, bytes);
        case PictureKind::Webp:
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
    const PictureKind kind = PictureKindOf(data);
    if (kind == PictureKind::Unknown && IsMetafile(data)) {
        log.push_back("Picture " + partName +
                      " is an EMF/WMF drawing, which is not converted; it was left out.");
        return std::nullopt;
    }
    if (kind == PictureKind::Unknown || data.size() > static_cast<std::size_t>(INT32_MAX)) {
        log.push_back("Picture " + partName +
                      " is not a picture format the import reads; it was left out.");
        return std::nullopt;
    }
    std::string extension = "jpg";
    const bool keep = kind == PictureKind::Jpeg ||
                      (kind == PictureKind::Png && format_ == PictureFormat::Png) ||
                      (kind == PictureKind::Gif && format_ == PictureFormat::Gif);
    if (!keep) {
        gdImagePtr image = PlausiblePictureSize(data, kind) ? Decode(data, kind) : nullptr;
        std::optional<std::string> encoded = image ? Encode(image, format_) : std::nullopt;
        if (image) gdImageDestroy(image);
        if (!encoded) {
            log.push_back("Picture " + partName + " cannot be read; it was left out.");
            return std::nullopt;
        }
        data = std::move(*encoded);
    }
    if (kind != PictureKind::Jpeg) extension = format_ == PictureFormat::Png ? "png" : "gif";
    char name[32];
    std::snprintf(name, sizeof name, "image%03zu.%s", files_.size() + 1, extension.c_str());
    files_.push_back({name, std::move(data)});
    return files_.back().name;
}

}  // namespace quillery::docx
