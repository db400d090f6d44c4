#pragma once
// The kind of a picture file told by its first bytes, for pictures whose name has no usable
// extension ("photo", "image.php"): the package must never name a picture "image/".

#include <string>

namespace quillery {

// "jpeg", "png", "gif", "bmp", "tiff" or "webp" from the file's signature; empty when the file
// cannot be read or is none of these.
std::string PictureSubtypeBySignature(const std::string& path);

}  // namespace quillery
