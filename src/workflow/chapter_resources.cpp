// The make's resource collectors (see chapter_resources.h).

#include "workflow/chapter_resources.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "htmlimport/page_references.h"
#include "htmlimport/resource_links.h"
#include "package/manifest_items.h"
#include "package/picture_signature.h"
#include "project/resource_sources.h"
#include "text/css_references.h"
#include "text/paths.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace quillery {

namespace {

void AddOnce(std::vector<std::string>& list, const std::string& entry) {
    if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
}

// Sorts what a url(...) names into the pictures or the fonts.
void AddByKind(const Book& book, BookResources& resources, const std::string& entry) {
    const std::string ext = LowerAscii(std::filesystem::path(entry).extension().string());
    if (!ImageMediaSubtype(entry).empty()) return AddOnce(resources.images, entry);
    if (ext == ".ttf" || ext == ".otf" || ext == ".woff" || ext == ".woff2")
        return AddOnce(resources.fonts, entry);
    const std::string found = ResourceSourceFile(book, entry);
    if (found.empty()) return;
    if (!PictureSubtypeBySignature(found).empty()) return AddOnce(resources.images, entry);
    if (!FontMediaType(found).empty()) AddOnce(resources.fonts, entry);
}

// The entry a chapter's style reference names inside the package folder; nothing for web
// addresses and for references leaving the folder (the make has relinked those).
std::optional<std::string> ChapterStyleEntry(const std::string& chapter, const std::string& url) {
    const std::optional<std::string> local = LocalReferencePath(url);
    if (!local || local->starts_with('/')) return std::nullopt;
    std::string entry =
        std::filesystem::path(FolderOf(chapter) + *local).lexically_normal().generic_string();
    if (entry.empty() || entry == ".." || entry.starts_with("../")) return std::nullopt;
    return entry;
}

// A "url(" or an "@import" in any letter case, found from the rare bytes "(" and "@" so that
// a page without style references is passed over quickly.
bool MayHoldStyleReferences(std::string_view page) {
    const auto lower = [](std::string_view text) { return LowerAscii(text); };
    for (std::size_t at = page.find('('); at != std::string_view::npos;
         at = page.find('(', at + 1)) {
        if (at >= 3 && lower(page.substr(at - 3, 3)) == "url") return true;
    }
    for (std::size_t at = page.find('@'); at != std::string_view::npos;
         at = page.find('@', at + 1)) {
        if (lower(page.substr(at + 1, 6)) == "import") return true;
    }
    return false;
}

}  // namespace

BookResources CollectBookResources(const Book& book, const std::string& folder) {
    const std::vector<std::string> files = ChapterFiles(book);
    BookResources resources;
    std::vector<std::string> styleUrlPages;  // the chapters whose style texts name files
    for (const std::string& file : files) {
        const std::string page = ReadTextFile(folder + file);
        CollectPageImages(page, resources.images);
        CollectPageStylesheets(page, resources.stylesheets);
        if (MayHoldStyleReferences(page)) styleUrlPages.push_back(file);
    }
    // After the img and link references of every chapter, as the lists have always begun.
    for (const std::string& file : styleUrlPages) {
        const std::string page = ReadTextFile(folder + file);
        for (const PageReference& reference : FindPageReferences(page)) {
            if (reference.kind != PageReferenceKind::StyleUrl &&
                reference.kind != PageReferenceKind::StyleImport)
                continue;
            const std::optional<std::string> entry = ChapterStyleEntry(file, reference.url);
            if (!entry) continue;
            if (reference.kind == PageReferenceKind::StyleImport) {
                AddOnce(resources.stylesheets, *entry);
            } else {
                AddByKind(book, resources, *entry);
            }
        }
    }
    // The list grows while it is walked: an imported stylesheet is read in its turn.
    for (std::size_t i = 0; i < resources.stylesheets.size(); ++i) {
        const std::string sheet = resources.stylesheets[i];
        const std::string source = ResourceSourceFile(book, sheet);
        if (source.empty()) continue;
        const std::string css = ReadTextFile(source);
        for (const CssReference& reference : FindCssReferences(css)) {
            const std::optional<std::string> entry =
                StylesheetReferenceEntry(book, sheet, reference.url);
            if (!entry || entry->empty()) continue;
            if (reference.import) {
                AddOnce(resources.stylesheets, *entry);
            } else {
                AddByKind(book, resources, *entry);
            }
        }
    }
    return resources;
}

ResourceCollectors ChapterResourceCollectors() {
    // The package writer asks for the stylesheets, the pictures and the fonts in turn; the
    // chapters and stylesheets are read once for all three.
    auto gathered = std::make_shared<std::optional<BookResources>>();
    const auto resources = [gathered](const Book& book, const std::string& folder) {
        if (!*gathered) *gathered = CollectBookResources(book, folder);
        return **gathered;
    };
    ResourceCollectors collect;
    collect.images = [resources](const Book& book, const std::string& folder) {
        return resources(book, folder).images;
    };
    collect.stylesheets = [resources](const Book& book, const std::string& folder) {
        return resources(book, folder).stylesheets;
    };
    collect.fonts = [resources](const Book& book, const std::string& folder) {
        return resources(book, folder).fonts;
    };
    return collect;
}

}  // namespace quillery
