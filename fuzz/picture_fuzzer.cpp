// Fuzzes the picture decoder: the input is a picture file (JPEG, PNG, GIF or BMP, found by
// its first bytes), prepared for an image record in both formats and made into a thumbnail.
#include <cstdint>
#include <string>

#include "mobi/pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillery::mobi;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    // A small record limit makes the fitting loop work on small inputs too.
    const auto picture = PrepareBookPicture(bytes, PictureFormat::Jpeg, 2048, error);
    if (picture && picture->bytes.size() > 2048) __builtin_trap();
    PrepareBookPicture(bytes, PictureFormat::Gif, kMaxImageRecordBytes, error);
    MakeThumbnail(bytes, 24, PictureFormat::Jpeg, error);
    return 0;
}
