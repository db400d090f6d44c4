// The make's relinking of the files the chapters use (see resource_relinking.h).

#include "workflow/resource_relinking.h"

#include <deque>
#include <filesystem>
#include <set>

#include "css/stylesheet_pass.h"
#include "htmlimport/page_references.h"
#include "package/manifest_items.h"
#include "package/package_names.h"
#include "package/picture_conversion.h"
#include "package/picture_signature.h"
#include "project/resource_sources.h"
#include "text/case_blind_path.h"
#include "text/css_references.h"
#include "text/paths.h"
#include "text/percent_decoding.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

enum class ExpectedKind { Picture, Stylesheet, PictureOrFont };

bool IsSvg(const std::string& path) {
    return LowerAscii(ReadFileHead(path, 4096)).find("<svg") != std::string::npos;
}

bool IsOfKind(const std::string& path, ExpectedKind kind) {
    const std::string lower = LowerAscii(FileNamePart(path));
    if (kind == ExpectedKind::Stylesheet) return lower.ends_with(".css");
    const bool picture =
        !PictureSubtypeBySignature(path).empty() || (lower.ends_with(".svg") && IsSvg(path));
    if (kind == ExpectedKind::Picture) return picture;
    return picture || !FontMediaType(path).empty();
}

const char* KindName(ExpectedKind kind) {
    switch (kind) {
        case ExpectedKind::Picture:
            return "a picture";
        case ExpectedKind::Stylesheet:
            return "a stylesheet";
        case ExpectedKind::PictureOrFont:
            return "a picture or font";
    }
    return "";
}

// A "file:" URL names a file by its absolute path: never followed.
bool IsFileUrl(std::string_view url) {
    return url.size() >= 5 && LowerAscii(url.substr(0, 5)) == "file:";
}

ExpectedKind KindOf(PageReferenceKind kind) {
    switch (kind) {
        case PageReferenceKind::Picture:
            return ExpectedKind::Picture;
        case PageReferenceKind::Stylesheet:
        case PageReferenceKind::StyleImport:
            return ExpectedKind::Stylesheet;
        case PageReferenceKind::StyleUrl:
        case PageReferenceKind::Other:
            return ExpectedKind::PictureOrFont;
    }
    return ExpectedKind::PictureOrFont;
}

class ResourceRelinker {
public:
    explicit ResourceRelinker(Book& book)
        : book_(book),
          folder_(WithTrailingSlash(ReferencedPath(book.sourceFolder, "."))),
          parent_(WithTrailingSlash(ReferencedPath(book.sourceFolder, ".."))) {}

    void Run() {
        const bool replace =
            book_.options.replaceStylesheet && !book_.replacementStylesheet.empty();
        if (replace) {
            book_.packageNames.copiedFrom[ReplacementStylesheetName(book_)] =
                book_.replacementStylesheet;
            replacementFolder_ =
                WithTrailingSlash(ReferencedPath(book_.replacementStylesheet, "."));
        }
        const bool styled = !ParagraphRule(book_.options.paragraph).empty();
        for (Chapter& chapter : book_.chapters) {
            std::string text = std::move(chapter.content);
            // The replacement stylesheet stands in for the chapter's own.
            if (replace) {
                text = AddStylesheetLink(
                    RemoveStylesheetLinks(text),
                    PackageUrl(chapter.file, ReplacementStylesheetName(book_), ""));
            }
            bool linksStylesheet = false;
            if (replace || !TakesFastPath(chapter.file, text, linksStylesheet)) {
                text = RewritePageReferences(text, [&](const PageReference& reference) {
                    if (reference.kind == PageReferenceKind::Stylesheet) linksStylesheet = true;
                    return RelinkFromChapter(chapter.file, reference);
                });
            }
            if (styled && !linksStylesheet) {
                text = AddStylesheetLink(
                    text, PackageUrl(chapter.file, book_.packageNames.bookStylesheet, ""));
            }
            chapter.content = std::move(text);
        }
        WalkStylesheets();
    }

private:
    // True when nothing in the page can need rewriting: no reference climbs out of the
    // folder, is absolute or a file: URL, no style text names a file, and every picture has
    // an extension readers take. The stylesheets it links are still walked. Most pages of a
    // book take this fast path, which reads only their img and link tags.
    bool TakesFastPath(const std::string& chapter, const std::string& page, bool& linksStylesheet) {
        const TagReferences tags = QuickTagReferences(page);
        if (tags.otherReferences) return false;
        for (const std::string& picture : tags.pictures) {
            const std::optional<std::string> local = LocalReferencePath(picture);
            if (!local) continue;
            const std::string ext = LowerAscii(fs::path(*local).extension().string());
            if (ext != ".jpg" && ext != ".jpeg" && ext != ".jpe" && ext != ".png" &&
                ext != ".gif" && ext != ".svg")
                return false;
        }
        linksStylesheet = !tags.stylesheets.empty();
        for (const std::string& href : tags.stylesheets) {
            const std::optional<std::string> local = LocalReferencePath(href);
            if (!local) continue;
            const std::string target = ReferencedPath(book_.sourceFolder + chapter, *local);
            if (LiesInside(target, folder_)) sheets_.push_back(target.substr(folder_.size()));
        }
        return true;
    }

    std::optional<std::string> RelinkFromChapter(const std::string& chapter,
                                                 const PageReference& reference) {
        const std::optional<std::string> local = IsFileUrl(reference.url)
                                                     ? std::optional<std::string>("/")
                                                     : LocalReferencePath(reference.url);
        if (!local) return std::nullopt;
        if (reference.kind == PageReferenceKind::Other) {
            // Pages, scripts and objects are not packaged: a reference to one outside the
            // source folder goes (a link keeps its text).
            if (!local->starts_with('/') &&
                LiesInside(ReferencedPath(book_.sourceFolder + chapter, *local), folder_))
                return std::nullopt;
            book_.AppendLog("# \"" + reference.url +
                            "\" lies outside the book's folder; the reference was removed.");
            return std::string();
        }
        if (local->starts_with('/')) {
            book_.AppendLog("# \"" + reference.url +
                            "\" is an absolute path, which is never followed; it was left out.");
            return std::string();
        }
        const ExpectedKind kind = KindOf(reference.kind);
        const std::string target = ReferencedPath(book_.sourceFolder + chapter, *local);
        if (LiesInside(target, folder_)) {
            if (kind == ExpectedKind::Stylesheet) {
                sheets_.push_back(target.substr(folder_.size()));
                return std::nullopt;
            }
            const std::optional<std::string> converted = ConvertedInFolder(target, reference.url);
            if (!converted || converted->empty()) return converted;
            return PackageUrl(chapter, *converted, reference.url);
        }
        const std::string entry = Decide(target, reference.url, kind);
        if (entry.empty()) return std::string();
        if (kind == ExpectedKind::Stylesheet) sheets_.push_back(entry);
        return PackageUrl(chapter, entry, reference.url);
    }

    // The stylesheets the chapters use, and those they import, in turn: their references
    // that leave the source folder are decided here; the stylesheet pass rewrites them.
    void WalkStylesheets() {
        std::set<std::string> visited;
        while (!sheets_.empty()) {
            const std::string entry = sheets_.front();
            sheets_.pop_front();
            if (!visited.insert(entry).second) continue;
            const std::string source = ResourceSourceFile(book_, entry);
            if (source.empty()) continue;
            const auto copied = book_.packageNames.copiedFrom.find(entry);
            const std::string location =
                copied != book_.packageNames.copiedFrom.end() ? source : book_.sourceFolder + entry;
            for (const CssReference& reference : FindCssReferences(ReadTextFile(source))) {
                const std::optional<std::string> local = LocalReferencePath(reference.url);
                if (!local) continue;
                if (local->starts_with('/')) {
                    book_.AppendLog("# \"" + reference.url + "\" in " + entry +
                                    " is an absolute path, which is never followed; it was "
                                    "left out.");
                    continue;
                }
                const std::string target = ReferencedPath(location, *local);
                const ExpectedKind kind =
                    reference.import ? ExpectedKind::Stylesheet : ExpectedKind::PictureOrFont;
                if (!LiesInside(target, folder_)) {
                    Decide(target, reference.url, kind);
                } else if (!reference.import) {
                    ConvertedInFolder(target, reference.url);
                }
                if (!reference.import) continue;
                const std::optional<std::string> imported =
                    StylesheetReferenceEntry(book_, entry, reference.url);
                if (imported && !imported->empty()) sheets_.push_back(*imported);
            }
        }
    }

    // The package entry of a file outside the source folder, copied in under a free name;
    // empty when it is left out (each with its log line, once per file).
    std::string Decide(const std::string& target, const std::string& url, ExpectedKind kind) {
        std::map<std::string, std::string>& decided = book_.packageNames.movedReferences;
        if (const auto known = decided.find(target); known != decided.end()) return known->second;
        std::string entry;
        // The folder above the source folder, or the folder of the replacement stylesheet the
        // user chose, for the files that stylesheet names.
        std::string root;
        for (const std::string& allowed : {parent_, replacementFolder_}) {
            if (root.empty() && !allowed.empty() && LiesInside(target, allowed)) root = allowed;
        }
        const std::string found =
            root.empty() ? std::string() : ExistingFileCaseBlind(root, target.substr(root.size()));
        if (root.empty()) {
            book_.AppendLog("# \"" + url +
                            "\" lies outside the book's folder and the folder above it; it was "
                            "left out.");
        } else if (found.empty()) {
            book_.AppendLog("# \"" + url + "\" does not exist; it was left out.");
        } else if (!IsOfKind(found, kind)) {
            book_.AppendLog("# \"" + url + "\" is not " + KindName(kind) + "; it was left out.");
        } else if (kind != ExpectedKind::Stylesheet && NeedsPictureConversion(found)) {
            entry = Converted(target, found, url);
        } else {
            entry = ChooseCopyName(book_, found);
            book_.AppendLog("# \"" + url +
                            "\" lies outside the book's folder and was copied into "
                            "the book as " +
                            entry + ".");
        }
        decided[target] = entry;
        return entry;
    }

    // A picture of the source folder in a format readers do not take, converted: the entry
    // of its PNG copy (empty when it was left out); nothing when it needs no conversion.
    std::optional<std::string> ConvertedInFolder(const std::string& target,
                                                 const std::string& url) {
        const std::string found = ExistingFileCaseBlind(folder_, target.substr(folder_.size()));
        if (found.empty() || !NeedsPictureConversion(found)) return std::nullopt;
        return Converted(target, found, url);
    }

    // The picture converted to PNG, written into the package under a free name ("x.png" for
    // "x.tif"); once per file.
    std::string Converted(const std::string& target, const std::string& found,
                          const std::string& url) {
        std::map<std::string, std::string>& moved = book_.packageNames.movedReferences;
        if (const auto known = moved.find(target); known != moved.end()) return known->second;
        std::string name = FileNamePart(found);
        name = name.substr(0, name.rfind('.')) + ".png";
        std::string entry = ChooseCopyName(book_, found, name);
        const std::string written = book_.folders.opsFolder + entry;
        std::string error;
        if (ConvertPictureToPng(found, written, error)) {
            book_.packageNames.copiedFrom[entry] = written;
            book_.AppendLog("# Picture \"" + url + "\" is in a format readers do not take; it " +
                            "was converted to PNG as " + entry + ".");
        } else {
            book_.packageNames.copiedFrom.erase(entry);
            book_.AppendLog("# Picture \"" + url + "\" could not be converted to PNG (" + error +
                            "); it was left out.");
            entry.clear();
        }
        moved[target] = entry;
        return entry;
    }

    Book& book_;
    std::string folder_;             // the source folder, normalised, with its "/"
    std::string parent_;             // the folder above it
    std::string replacementFolder_;  // the replacement stylesheet's folder, when it is used
    std::deque<std::string> sheets_;
};

}  // namespace

void RelinkChapterResources(Book& book) { ResourceRelinker(book).Run(); }

}  // namespace quillery
