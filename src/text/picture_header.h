#pragma once
// What a picture's first bytes say: its kind (told by signature, whatever its name) and the
// pixel size it declares, read before any decoder allocates memory for it, so that a small
// file claiming a huge picture is refused instead of decoded.

#include <optional>
#include <string_view>

namespace quillery {

enum class PictureKind { Unknown, Jpeg, Png, Gif, Bmp, Tiff, Webp };

PictureKind PictureKindOf(std::string_view bytes);

// "jpeg", "png", "gif", "bmp", "tiff", "webp"; "" for Unknown.
std::string_view PictureSubtype(PictureKind kind);

struct PictureSize {
    long long width = 0;
    long long height = 0;
};

// The width and height the picture's header declares (a JPEG's from its frame header), or
// nothing when the header is too short or unreadable or the kind is Unknown.
std::optional<PictureSize> DeclaredPictureSize(std::string_view bytes, PictureKind kind);

// At most this many pixels are decoded from a picture the user gave us.
inline constexpr long long kMaxDecodedPixels = 40'000'000;

// True when the header of a PNG, GIF, BMP, TIFF or WebP picture declares a size of at least
// one pixel and at most maxPixels; a header too short or unreadable is not plausible. Other
// kinds (JPEG) are left to their decoder and count as plausible.
bool PlausiblePictureSize(std::string_view bytes, PictureKind kind,
                          long long maxPixels = kMaxDecodedPixels);

}  // namespace quillery
