#pragma once
// Pictures for the book's image records: decoding any picture the package holds (JPEG, PNG,
// GIF, BMP), keeping or converting it to a format the reading devices show, and making it
// small enough for one record.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillery::mobi {

enum class PictureFormat { Jpeg, Gif };

struct Picture {
    std::string bytes;      // the encoded picture, ready to be an image record
    std::string mediaType;  // "image/jpeg" or "image/gif"
    int width = 0;
    int height = 0;
};

// The largest image record the reading devices accept.
inline constexpr std::size_t kMaxImageRecordBytes = 127 * 1024;

// Decodes a JPEG/PNG/GIF/BMP picture and returns it ready for an image record: JPEG and GIF
// kept as they are when allowed and small enough, else converted to `target`, re-encoded
// or scaled down until it fits in maxBytes. nullopt with `error` set when it cannot be decoded.
std::optional<Picture> PrepareBookPicture(std::string_view bytes, PictureFormat target,
                                          std::size_t maxBytes, std::string& error);

// The cover picture for an image record, always a JPEG (the only format devices show in their
// library), kept as it is when it already is one they show and small enough.
std::optional<Picture> PrepareCoverPicture(std::string_view bytes, std::size_t maxBytes,
                                           std::string& error);

// A copy of the picture scaled to fit a maxEdge x maxEdge box (never enlarged), encoded as
// `target` and small enough for one image record.
std::optional<Picture> MakeThumbnail(std::string_view bytes, int maxEdge, PictureFormat target,
                                     std::string& error);

}  // namespace quillery::mobi
