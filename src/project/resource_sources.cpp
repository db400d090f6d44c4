// Where resource files come from and where stylesheet references lead (see
// resource_sources.h).

#include "project/resource_sources.h"

#include <filesystem>

#include "text/case_blind_path.h"
#include "text/css_references.h"
#include "text/paths.h"
#include "text/percent_decoding.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

// The source of a package entry's text: the copy's origin, else its place in the source
// folder as the entry names it.
std::string SourceLocation(const Book& book, const std::string& entry) {
    const auto copied = book.packageNames.copiedFrom.find(entry);
    return copied != book.packageNames.copiedFrom.end() ? copied->second
                                                        : book.sourceFolder + entry;
}

std::string Normalised(const std::string& path) {
    return fs::path(path).lexically_normal().generic_string();
}

}  // namespace

std::string ResourceSourceFile(const Book& book, const std::string& entry) {
    const auto copied = book.packageNames.copiedFrom.find(entry);
    if (copied != book.packageNames.copiedFrom.end()) return copied->second;
    if (!book.packageNames.bookStylesheet.empty() && entry == book.packageNames.bookStylesheet)
        return {};
    return ExistingFileCaseBlind(book.sourceFolder, entry);
}

std::optional<std::string> LocalReferencePath(std::string_view url) {
    std::string_view path = url.substr(0, url.find_first_of("#?"));
    while (!path.empty() && (path.front() == ' ' || path.front() == '\t')) path.remove_prefix(1);
    while (!path.empty() && (path.back() == ' ' || path.back() == '\t')) path.remove_suffix(1);
    if (path.empty()) return std::nullopt;
    // A scheme ("http:", "data:", "file:") comes before any "/"; a drive path "C:" too.
    const std::size_t colon = path.find(':');
    if (colon != std::string_view::npos && path.find('/') > colon) return std::nullopt;
    return PercentDecode(path);
}

std::string ReferencedPath(const std::string& fromSource, const std::string& localPath) {
    if (localPath.starts_with('/')) return Normalised(localPath);
    return Normalised(FolderOf(fromSource) + localPath);
}

bool LiesInside(const std::string& path, const std::string& folder) {
    const std::string normalisedFolder = Normalised(folder);
    return path.size() > normalisedFolder.size() && path.starts_with(normalisedFolder) &&
           (normalisedFolder.ends_with('/') || path[normalisedFolder.size()] == '/');
}

std::optional<std::string> StylesheetReferenceEntry(const Book& book, const std::string& entry,
                                                    std::string_view url) {
    const std::optional<std::string> local = LocalReferencePath(url);
    if (!local) return std::nullopt;
    if (local->starts_with('/')) return std::string();  // absolute paths are never followed
    const std::string target = ReferencedPath(SourceLocation(book, entry), *local);
    const auto moved = book.packageNames.movedReferences.find(target);
    if (moved != book.packageNames.movedReferences.end()) return moved->second;
    const std::string folder = Normalised(book.sourceFolder);
    return LiesInside(target, folder) ? target.substr(WithTrailingSlash(folder).size())
                                      : std::string();
}

std::string PackageUrl(const std::string& fromEntry, const std::string& toEntry,
                       std::string_view originalUrl) {
    std::string base = FolderOf(fromEntry);  // "css/" -> "css"; "" -> "."
    base = base.empty() ? std::string(".") : base.substr(0, base.size() - 1);
    std::string url =
        PercentEncodePath(fs::path(toEntry).lexically_relative(base).generic_string());
    const std::size_t fragment = originalUrl.find('#');
    if (fragment != std::string_view::npos) url += originalUrl.substr(fragment);
    return url;
}

std::string RelinkStylesheet(const Book& book, const std::string& entry, std::string_view css) {
    return RewriteCssReferences(css, [&](const CssReference& reference) {
        std::optional<std::string> target = StylesheetReferenceEntry(book, entry, reference.url);
        if (!target || target->empty()) return target;
        // Where the reference leads from the package copy, as written: kept when that is it.
        const std::optional<std::string> local = LocalReferencePath(reference.url);
        const std::string fromCopy = Normalised(FolderOf(entry) + *local);
        if (fromCopy == *target) return std::optional<std::string>();
        return std::optional<std::string>(PackageUrl(entry, *target, reference.url));
    });
}

}  // namespace quillery
