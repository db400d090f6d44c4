#include "mobi/book_text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>

#include "mobi/chapter_writer.h"
#include "mobi/css_subset.h"
#include "mobi/html_document.h"
#include "mobi/package_paths.h"
#include "mobi/text_encoding.h"
#include "text/paths.h"
#include "text/utf8.h"

namespace quillery::mobi {
namespace {

bool IsHtmlItem(const ManifestItem& item) {
    std::string type;
    for (char c : item.mediaType)
        type += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return type.empty() || type.find("html") != std::string::npos ||
           type.find("oeb1-document") != std::string::npos || type == "application/x-dtbook+xml";
}

class StylesheetCache {
public:
    StylesheetCache(const OpfPackage& package, Diagnostics& diagnostics)
        : package_(package), diagnostics_(diagnostics) {}

    // The rules that apply to a chapter: its linked stylesheets in order, then its style blocks.
    const StyleSheet& For(const std::string& chapterPath, const HtmlDocument& document) {
        std::vector<std::string> paths;
        for (const auto& href : document.stylesheetLinks) {
            const auto path = ResolveInPackage(FolderOf(chapterPath), DecodedHref(href).path);
            if (!path) {
                diagnostics_.Warning("stylesheet \"" + href + "\" of \"" + chapterPath +
                                     "\" is not inside the package folder; it is ignored");
                continue;
            }
            paths.push_back(*path);
        }
        std::string key;
        for (const auto& path : paths) key += path + '\n';
        const bool shareable = document.styleBlocks.empty();
        if (shareable) {
            if (auto found = sheets_.find(key); found != sheets_.end()) return found->second;
        }
        StyleSheet sheet;
        for (const auto& path : paths) sheet.Add(Source(path));
        for (const auto& block : document.styleBlocks) sheet.Add(block);
        if (shareable) return sheets_.emplace(key, std::move(sheet)).first->second;
        own_ = std::move(sheet);
        return own_;
    }

private:
    const std::string& Source(const std::string& path) {
        if (auto found = sources_.find(path); found != sources_.end()) return found->second;
        auto text = ReadPackageFile(package_.folder, path);
        if (!text && !package_.missingFiles.count(path))
            diagnostics_.Warning("stylesheet \"" + path +
                                 "\" cannot be read; its rules are left out");
        return sources_.emplace(path, text.value_or(std::string())).first->second;
    }

    const OpfPackage& package_;
    Diagnostics& diagnostics_;
    std::map<std::string, std::string> sources_;
    std::map<std::string, StyleSheet> sheets_;
    StyleSheet own_;
};

// The guide's references as the renderer reads them, with filepos placeholders.
void WriteGuide(const OpfPackage& package, const std::set<std::string>& chapters, Kf7Text& text) {
    text.Markup("<guide>");
    std::set<std::string> written;
    for (const auto& reference : package.guide) {
        const auto parts = SplitHref(reference.href);
        // The reading devices know the start of the reading as "text"; packages also say "start".
        std::string type = reference.type;
        for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (type == "start") type = "text";
        if (!chapters.count(parts.path) || type.empty() || !written.insert(type).second) continue;
        text.Markup("<reference type=");
        text.QuotedAttribute(type);
        text.Markup(" title=");
        text.QuotedAttribute(reference.title.empty() ? reference.type : reference.title);
        text.Markup(" ");
        text.Link(AnchorKey(parts.path, parts.fragment), package.opfName,
                  AnchorKey(parts.path, ""));
        text.Markup(" />");
    }
    text.Markup("</guide>");
}

}  // namespace

std::optional<BookText> AssembleBookText(const OpfPackage& package, bool western,
                                         BookPictures& pictures, Diagnostics& diagnostics) {
    // The chapters that can be read, in spine order, each once.
    // The chapters, in spine order, each once. They are read one at a time as they are
    // written, so that the whole book's HTML is never in memory at once.
    std::vector<std::pair<std::string, std::string>> chapters;  // path, href
    std::set<std::string> chapterSet;
    for (const auto& id : package.spine) {
        const ManifestItem* item = package.FindById(id);
        if (!item || item->path.empty()) continue;  // outside the folder: already reported
        if (!IsHtmlItem(*item)) {
            diagnostics.Warning("spine item \"" + item->href +
                                "\" is not an HTML document; it is skipped");
            continue;
        }
        if (chapterSet.count(item->path)) continue;
        if (!IsReadablePackageFile(package.folder, item->path)) {
            if (!package.missingFiles.count(item->path))
                diagnostics.Warning("chapter \"" + item->href +
                                    "\" cannot be read; it is left out");
            continue;
        }
        chapterSet.insert(item->path);
        chapters.emplace_back(item->path, item->href);
    }
    // A contents page named by the guide but left out of the spine goes at the end of the
    // book, where packages that put their table of contents "at the end" expect it.
    if (!chapters.empty()) {
        for (const auto& reference : package.guide) {
            std::string type = reference.type;
            for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const std::string path = SplitHref(reference.href).path;
            const ManifestItem* item = package.FindByPath(path);
            if (type != "toc" || chapterSet.count(path) || !item || !IsHtmlItem(*item)) continue;
            if (!IsReadablePackageFile(package.folder, path)) continue;
            chapterSet.insert(path);
            chapters.emplace_back(path, item->href);
        }
    }
    if (chapters.empty()) {
        diagnostics.Error("the spine holds no chapter that can be read");
        return std::nullopt;
    }

    BookText book;
    book.text = Kf7Text(western);
    Kf7Text& text = book.text;
    // The text is about as long as the chapters' HTML (head, scripts and attributes go,
    // filepos links and style markup come), a little more when references are spelled out.
    std::uintmax_t htmlBytes = 0;
    for (const auto& chapter : chapters) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(package.folder + chapter.first, ec);
        if (!ec) htmlBytes += size;
    }
    text.Reserve(static_cast<std::size_t>(
        std::min<std::uintmax_t>(htmlBytes + htmlBytes / 8 + 4096, 1u << 30)));
    text.Markup("<html><head>");
    WriteGuide(package, chapterSet, text);
    text.Markup("</head><body>");

    StylesheetCache stylesheets(package, diagnostics);
    ChapterContext context;
    context.pictureIndex = [&pictures](const std::string& path) { return pictures.IndexOf(path); };
    context.isChapter = [&chapterSet](const std::string& path) {
        return chapterSet.count(path) != 0;
    };
    context.diagnostics = &diagnostics;
    bool first = true;
    for (const auto& [path, href] : chapters) {
        auto content = ReadPackageFile(package.folder, path);
        if (!content) {
            diagnostics.Warning("chapter \"" + href + "\" cannot be read; it is left out");
            continue;
        }
        if (!IsValidUtf8(*content)) {
            // Older pages are often saved in the Windows code page; read them as such rather
            // than lose their accented letters.
            diagnostics.Info("chapter \"" + href + "\" is not UTF-8; it is read as Windows-1252");
            *content = Cp1252ToUtf8(*content);
        }
        if (!first) text.PageBreak(true);
        first = false;
        text.AnchorAtNextContent(AnchorKey(path, ""));
        const HtmlDocument document = ParseHtml(*content);
        content.reset();
        context.chapterPath = path;
        context.styles = &stylesheets.For(path, document);
        WriteChapterBody(document, context, text);
        book.chapters.push_back(path);
    }
    text.Markup("</body></html>");

    for (const auto& link : text.ResolveLinks()) {
        diagnostics.Warning("link target \"" + link.target + "\" (from \"" + link.origin +
                            "\") does not exist; the link leads to the start of its chapter");
    }
    return book;
}

}  // namespace quillery::mobi
