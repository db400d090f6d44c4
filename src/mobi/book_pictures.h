#pragma once
// The book's image records: pictures named by the chapters, in order of first use, plus
// the cover and its thumbnail (JPEG, as devices show them in their library).

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mobi/diagnostics.h"
#include "mobi/opf_package.h"
#include "mobi/picture_preparation.h"
#include "mobi/pictures.h"

namespace quillery::mobi {

inline constexpr int kThumbnailEdge = 330;
// Image records stay below the devices' limit of 127 KB, with a little room to spare.
inline constexpr std::size_t kPictureRecordLimit = kMaxImageRecordBytes - 1024;

class BookPictures {
public:
    BookPictures(const OpfPackage& package, PictureFormat format, Diagnostics& diagnostics)
        : package_(package),
          diagnostics_(diagnostics),
          preparer_(package, format, kPictureRecordLimit) {}

    // True when the package-relative picture makes an image record (IndexOf will give it a
    // number). Safe to call from any thread; the picture is prepared on the calling thread.
    bool Usable(const std::string& picturePath) { return preparer_.Usable(picturePath); }

    // The 1-based image record number of the package-relative picture, preparing it on
    // first use; 0 when it is missing or cannot be decoded (a warning says why).
    int IndexOf(const std::string& picturePath);

    // Adds the cover picture (if any can be found) and its thumbnail; call after the text.
    void AddCover();

    const std::vector<std::string>& records() const { return records_; }
    // The records, moved out once the book's records are laid out (records() is then empty).
    std::vector<std::string> TakeRecords() { return std::move(records_); }
    std::optional<int> coverIndex() const { return cover_; }          // 0-based
    std::optional<int> thumbnailIndex() const { return thumbnail_; }  // 0-based
    const std::string& coverPath() const { return coverPath_; }

    // The package-relative path of the cover picture, by the rules: <meta name="cover">,
    // else an image item whose id is coverPic or contains "cover", else the first picture
    // of the guide's cover page. Empty when none.
    static std::string FindCoverPath(const OpfPackage& package);

private:
    // Prepares the cover picture as a new JPEG image record; its 1-based number, 0 when it
    // cannot be used (a warning says why).
    int AddCoverRecord(const std::string& picturePath);

    const OpfPackage& package_;
    Diagnostics& diagnostics_;
    PicturePreparer preparer_;
    std::vector<std::string> records_;
    std::map<std::string, int> indexByPath_;  // 1-based, 0 for pictures that failed
    std::optional<int> cover_;
    std::optional<int> thumbnail_;
    std::string coverPath_;
};

}  // namespace quillery::mobi
