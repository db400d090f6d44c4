#include "mobi/book_pictures.h"

#include <algorithm>
#include <cctype>

#include "mobi/html_document.h"
#include "mobi/package_paths.h"
#include "text/paths.h"

namespace quillery::mobi {
namespace {

// Image records stay below the devices' limit of 127 KB, with a little room to spare.
constexpr std::size_t kPictureRecordLimit = kMaxImageRecordBytes - 1024;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsImageItem(const ManifestItem& item) {
    return item.mediaType.rfind("image/", 0) == 0 && !item.path.empty();
}

}  // namespace

int BookPictures::IndexOf(const std::string& picturePath) {
    if (auto found = indexByPath_.find(picturePath); found != indexByPath_.end())
        return found->second;
    int index = 0;
    const auto bytes = ReadPackageFile(package_.folder, picturePath);
    if (!bytes && package_.missingFiles.count(picturePath)) {
        // Already reported as missing.
    } else if (!bytes) {
        diagnostics_.Warning("picture \"" + picturePath + "\" cannot be read; it is left out");
    } else {
        std::string error;
        auto picture = PrepareBookPicture(*bytes, format_, kPictureRecordLimit, error);
        if (!picture) {
            diagnostics_.Warning("picture \"" + picturePath + "\" cannot be decoded (" + error +
                                 "); it is left out");
        } else if (picture->bytes.size() > kMaxImageRecordBytes) {
            diagnostics_.Warning("picture \"" + picturePath +
                                 "\" cannot be made small enough for the book; it is left out");
        } else {
            records_.push_back(std::move(picture->bytes));
            index = static_cast<int>(records_.size());
        }
    }
    indexByPath_[picturePath] = index;
    return index;
}

std::string BookPictures::FindCoverPath(const OpfPackage& package) {
    if (!package.coverId.empty()) {
        if (const auto* item = package.FindById(package.coverId); item && !item->path.empty())
            return item->path;
    }
    for (const auto& item : package.manifest) {
        if (IsImageItem(item) && item.id == "coverPic") return item.path;
    }
    for (const auto& item : package.manifest) {
        if (IsImageItem(item) && Lower(item.id).find("cover") != std::string::npos)
            return item.path;
    }
    for (const auto& reference : package.guide) {
        if (Lower(reference.type) != "cover") continue;
        const std::string pagePath = SplitHref(reference.href).path;
        const auto page = ReadPackageFile(package.folder, pagePath);
        if (!page) continue;
        const auto document = ParseHtml(*page);
        for (const auto& node : document.nodes) {
            if (node.isText || node.name != "img") continue;
            const auto* src = node.Attribute("src");
            if (!src) continue;
            if (auto path = ResolveInPackage(FolderOf(pagePath), DecodedHref(*src).path))
                return *path;
        }
    }
    return {};
}

void BookPictures::AddCover() {
    coverPath_ = FindCoverPath(package_);
    if (coverPath_.empty()) return;
    const int index = IndexOf(coverPath_);
    if (index == 0) return;
    cover_ = index - 1;
    const auto bytes = ReadPackageFile(package_.folder, coverPath_);
    std::string error;
    auto thumbnail = bytes ? MakeThumbnail(*bytes, kThumbnailEdge, format_, error) : std::nullopt;
    if (!thumbnail || thumbnail->bytes.size() > kMaxImageRecordBytes) {
        diagnostics_.Warning("no thumbnail could be made of the cover \"" + coverPath_ + "\"" +
                             (error.empty() ? std::string() : " (" + error + ")"));
        return;
    }
    records_.push_back(std::move(thumbnail->bytes));
    thumbnail_ = static_cast<int>(records_.size()) - 1;
}

}  // namespace quillery::mobi
