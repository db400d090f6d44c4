// Pictures prepared once each, on any thread (see picture_preparation.h).

#include "mobi/picture_preparation.h"

#include "mobi/package_paths.h"
#include "mobi/picture_codec.h"

namespace quillery::mobi {
namespace {

// Enough for every signature the picture decoder knows.
constexpr std::size_t kSignatureBytes = 16;

std::string Undecodable(const std::string& path, const std::string& error) {
    return "picture \"" + path + "\" cannot be decoded (" + error + "); it is left out";
}

}  // namespace

PreparedPicture PreparePackagePicture(const OpfPackage& package, const std::string& path,
                                      PictureFormat format, std::size_t maxRecordBytes) {
    PreparedPicture prepared;
    const auto fullPath = PackageFilePath(package.folder, path);
    const auto head = fullPath ? ReadFileHead(*fullPath, kSignatureBytes) : std::nullopt;
    if (!head) {
        if (!package.missingFiles.count(path))
            prepared.warning = "picture \"" + path + "\" cannot be read; it is left out";
        return prepared;
    }
    if (detail::SniffFormat(*head) == detail::SourceFormat::Unknown) {
        prepared.warning = Undecodable(
            path, "The picture is not a JPEG, PNG, GIF or BMP file and cannot be used.");
        return prepared;
    }
    const auto size = FileSize(*fullPath);
    if (size && *size > kMaxPictureFileBytes) {
        prepared.warning =
            Undecodable(path, "The picture file is too large (" + std::to_string(*size) +
                                  " bytes) and cannot be used.");
        return prepared;
    }
    const auto bytes = ReadWholeFile(*fullPath);
    if (!bytes) {
        prepared.warning = "picture \"" + path + "\" cannot be read; it is left out";
        return prepared;
    }
    std::string error;
    auto picture = PrepareBookPicture(*bytes, format, maxRecordBytes, error);
    if (!picture) {
        prepared.warning = Undecodable(path, error);
    } else if (picture->bytes.size() > kMaxImageRecordBytes) {
        prepared.warning =
            "picture \"" + path + "\" cannot be made small enough for the book; it is left out";
    } else {
        prepared.record = std::move(picture->bytes);
    }
    return prepared;
}

PicturePreparer::Entry& PicturePreparer::Prepared(const std::string& path) {
    Entry* entry = nullptr;
    {
        std::lock_guard lock(mutex_);
        auto& slot = entries_[path];
        if (!slot) slot = std::make_unique<Entry>();
        entry = slot.get();
    }
    // The first asker prepares the picture; others wait here for its result.
    std::lock_guard lock(entry->mutex);
    if (!entry->done) {
        entry->picture = PreparePackagePicture(package_, path, format_, maxRecordBytes_);
        entry->usable = !entry->picture.record.empty();
        entry->done = true;
    }
    return *entry;
}

bool PicturePreparer::Usable(const std::string& path) { return Prepared(path).usable; }

PreparedPicture PicturePreparer::Take(const std::string& path) {
    Entry& entry = Prepared(path);
    std::lock_guard lock(entry.mutex);
    return std::move(entry.picture);
}

}  // namespace quillery::mobi
