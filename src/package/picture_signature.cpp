// The kind of a picture file told by its first bytes (see picture_signature.h).

#include "package/picture_signature.h"

#include <fstream>
#include <string_view>

namespace quillery {

std::string PictureSubtypeBySignature(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    in.read(head, sizeof head);
    const std::string_view bytes(head, static_cast<std::size_t>(in.gcount()));
    if (bytes.starts_with("\xFF\xD8\xFF")) return "jpeg";
    if (bytes.starts_with("\x89PNG\r\n\x1A\n")) return "png";
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return "gif";
    if (bytes.starts_with("BM")) return "bmp";
    if (bytes.starts_with(std::string_view("II*\0", 4)) ||
        bytes.starts_with(std::string_view("MM\0*", 4)))
        return "tiff";
    if (bytes.starts_with("RIFF") && bytes.substr(8, 4) == "WEBP") return "webp";
    return {};
}

}  // namespace quillery
