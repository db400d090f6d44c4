// Fuzzes the picture decoder: the input is a picture file (JPEG, PNG, GIF or BMP, found by
// its first bytes), decoded, then prepared for an image record in both formats and made into a
// thumbnail. Re-encoding is only tried on pictures of up to a million pixels: a few bytes can
// declare millions of pixels, and encoding those again and again (a second or two each under
// the sanitizers) would only slow the search down.
#include <cstdint>
#include <string>

#include "mobi/picture_codec.h"
#include "mobi/pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillery::mobi;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto image = detail::DecodePicture(bytes, detail::SniffFormat(bytes), error);
    if (!image) return 0;
    if (static_cast<long long>(detail::WidthOf(image)) * detail::HeightOf(image) > (1 << 20))
        return 0;
    // A small record limit makes the fitting loop work on small inputs too.
    const auto picture = PrepareBookPicture(bytes, PictureFormat::Jpeg, 2048, error);
    if (picture && picture->bytes.size() > 2048) __builtin_trap();
    PrepareBookPicture(bytes, PictureFormat::Gif, kMaxImageRecordBytes, error);
    MakeThumbnail(bytes, 24, PictureFormat::Jpeg, error);
    return 0;
}
