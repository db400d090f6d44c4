// The book's image records (see book_pictures.h).

#include "mobi/book_pictures.h"

#include <algorithm>
#include <cctype>

#include "mobi/html_document.h"
#include "mobi/package_paths.h"
#include "text/paths.h"

namespace quillery::mobi {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsImageItem(const ManifestItem& item) {
    return item.mediaType.rfind("image/", 0) == 0 && !item.path.empty();
}

bool IsJpegRecord(const std::string& record) { return record.rfind("\xFF\xD8", 0) == 0; }

// The picture a node of a page shows: the src of an <img>, the xlink:href (or href) of an
// <image> inside inline SVG. Null for other nodes.
const std::string* PictureSource(const HtmlNode& node) {
    if (node.isText) return nullptr;
    if (node.name == "img") return node.Attribute("src");
    const std::size_t colon = node.name.rfind(':');
    if ((colon == std::string::npos ? node.name : node.name.substr(colon + 1)) != "image")
        return nullptr;
    const std::string* href = node.Attribute("xlink:href");
    return href && !href->empty() ? href : node.Attribute("href");
}

}  // namespace

int BookPictures::IndexOf(const std::string& picturePath) {
    if (auto found = indexByPath_.find(picturePath); found != indexByPath_.end())
        return found->second;
    int index = 0;
    PreparedPicture prepared = preparer_.Take(picturePath);
    if (!prepared.record.empty()) {
        records_.push_back(std::move(prepared.record));
        index = static_cast<int>(records_.size());
    } else if (!prepared.warning.empty()) {
        diagnostics_.Warning(prepared.warning);
    }
    indexByPath_[picturePath] = index;
    return index;
}

int BookPictures::AddCoverRecord(const std::string& picturePath) {
    const auto bytes = ReadPackageFile(package_.folder, picturePath);
    if (!bytes) {
        if (!package_.missingFiles.count(picturePath))
            diagnostics_.Warning("picture \"" + picturePath + "\" cannot be read; it is left out");
        return 0;
    }
    std::string error;
    auto picture = PrepareCoverPicture(*bytes, kPictureRecordLimit, error);
    if (!picture) {
        diagnostics_.Warning("picture \"" + picturePath + "\" cannot be decoded (" + error +
                             "); it is left out");
        return 0;
    }
    if (picture->bytes.size() > kMaxImageRecordBytes) {
        diagnostics_.Warning("picture \"" + picturePath +
                             "\" cannot be made small enough for the book; it is left out");
        return 0;
    }
    records_.push_back(std::move(picture->bytes));
    return static_cast<int>(records_.size());
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
            const auto* src = PictureSource(node);
            if (!src || src->empty()) continue;
            if (auto path =
                    ResolveInPackage(FolderOf(pagePath), DecodedHref(*src).path))
                return *path;
        }
    }
    return {};
}

void BookPictures::AddCover() {
    coverPath_ = FindCoverPath(package_);
    if (coverPath_.empty()) return;
    // Devices show the cover and its thumbnail in their library only as JPEG, whatever format
    // the book's pictures take: the chapters' record of the picture serves when it is one,
    // else the cover gets a JPEG record of its own.
    int index = 0;
    if (auto found = indexByPath_.find(coverPath_); found != indexByPath_.end()) {
        if (found->second == 0) return;  // already reported
        if (IsJpegRecord(records_[static_cast<std::size_t>(found->second - 1)]))
            index = found->second;
    }
    if (index == 0) index = AddCoverRecord(coverPath_);
    if (index == 0) return;
    cover_ = index - 1;
    const auto bytes = ReadPackageFile(package_.folder, coverPath_);
    std::string error;
    auto thumbnail =
        bytes ? MakeThumbnail(*bytes, kThumbnailEdge, PictureFormat::Jpeg, error) : std::nullopt;
    if (!thumbnail || thumbnail->bytes.size() > kMaxImageRecordBytes) {
        diagnostics_.Warning("no thumbnail could be made of the cover \"" + coverPath_ + "\"" +
                             (error.empty() ? std::string() : " (" + error + ")"));
        return;
    }
    records_.push_back(std::move(thumbnail->bytes));
    thumbnail_ = static_cast<int>(records_.size()) - 1;
}

}  // namespace quillery::mobi
