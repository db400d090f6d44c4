#pragma once
// The package's pictures prepared for image records, each once, by whichever thread needs it
// first (chapters are translated on several threads); later askers wait for that result.
// Record numbers are not given here: the book gives them in order of first use.

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "mobi/opf_package.h"
#include "mobi/pictures.h"

namespace quillery::mobi {

struct PreparedPicture {
    std::string record;   // the image record; empty when the picture is left out
    std::string warning;  // why it is left out; empty when already reported (a missing file)
};

// Files larger than this are no picture a book can hold; they are refused unread.
inline constexpr std::size_t kMaxPictureFileBytes = 64u << 20;

// Reads, decodes and fits one package picture into an image record. The file is typed from
// its first bytes before it is read whole.
PreparedPicture PreparePackagePicture(const OpfPackage& package, const std::string& path,
                                      PictureFormat format, std::size_t maxRecordBytes);

class PicturePreparer {
public:
    PicturePreparer(const OpfPackage& package, PictureFormat format, std::size_t maxRecordBytes)
        : package_(package), format_(format), maxRecordBytes_(maxRecordBytes) {}

    // True when the picture makes an image record. Safe to call from any thread.
    bool Usable(const std::string& path);
    // The prepared picture, moved out; the record is not kept here after this.
    PreparedPicture Take(const std::string& path);

private:
    struct Entry {
        std::mutex mutex;
        bool done = false;
        bool usable = false;
        PreparedPicture picture;
    };
    Entry& Prepared(const std::string& path);

    const OpfPackage& package_;
    PictureFormat format_;
    std::size_t maxRecordBytes_;
    std::mutex mutex_;
    std::map<std::string, std::unique_ptr<Entry>> entries_;
};

}  // namespace quillery::mobi
