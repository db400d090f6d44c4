// The kind of a picture file told by its first bytes (see picture_signature.h).

#include "package/picture_signature.h"

#include <string_view>

#include "text/picture_header.h"
#include "text/text_file.h"

namespace quillery {

std::string PictureSubtypeBySignature(const std::string& path) {
    return std::string(PictureSubtype(PictureKindOf(ReadFileHead(path, 12))));
}

}  // namespace quillery
