// The kind of a picture file told by its first bytes (see picture_signature.h).

#include "package/picture_signature.h"

#include <fstream>
#include <string_view>

#include "text/picture_header.h"

namespace quillery {

std::string PictureSubtypeBySignature(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    in.read(head, sizeof head);
    return std::string(PictureSubtype(
        PictureKindOf(std::string_view(head, static_cast<std::size_t>(in.gcount())))));
}

}  // namespace quillery
