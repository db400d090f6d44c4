// Chapters translated on their own (see chapter_translation.h).

#include "mobi/chapter_translation.h"

#include <string_view>
#include <utility>

#include "mobi/chapter_writer.h"
#include "mobi/package_paths.h"
#include "mobi/text_encoding.h"
#include "text/paths.h"
#include "text/utf8.h"

namespace quillery::mobi {

const std::optional<std::string>& StylesheetCache::Source(const std::string& path) {
    if (auto found = sources_.find(path); found != sources_.end()) return found->second;
    return sources_.emplace(path, ReadPackageFile(package_.folder, path)).first->second;
}

std::shared_ptr<const StyleSheet> StylesheetCache::For(const std::string& chapterPath,
                                                       const HtmlDocument& document,
                                                       TranslatedChapter& chapter) {
    std::vector<std::string> paths;
    std::set<std::string> seenHrefs;
    std::set<std::string> seenPaths;
    for (const auto& href : document.stylesheetLinks) {
        if (!seenHrefs.insert(href).second) continue;
        const auto path =
            ResolveInPackage(FolderOf(chapterPath), DecodedHref(href).path);
        if (!path) {
            chapter.findings.Warning("stylesheet \"" + href + "\" of \"" + chapterPath +
                                     "\" is not inside the package folder; it is ignored");
            continue;
        }
        if (seenPaths.insert(*path).second) paths.push_back(*path);
    }
    std::string key;
    for (const auto& path : paths) key += path + '\n';

    std::lock_guard lock(mutex_);
    for (const auto& path : paths) {
        if (!Source(path) && !package_.missingFiles.count(path)) {
            std::string warning =
                "stylesheet \"" + path + "\" cannot be read; its rules are left out";
            chapter.reportedOnce.insert(warning);
            chapter.findings.Warning(std::move(warning));
        }
    }
    const bool shareable = document.styleBlocks.empty();
    if (shareable) {
        if (auto found = sheets_.find(key); found != sheets_.end()) return found->second;
    }
    auto sheet = std::make_shared<StyleSheet>();
    for (const auto& path : paths) sheet->Add(Source(path).value_or(std::string()));
    for (const auto& block : document.styleBlocks) sheet->Add(block);
    if (shareable) sheets_.emplace(key, sheet);
    return sheet;
}

namespace {

// What a file that is no web page starts with, by its first bytes: a picture, an archive, a
// document of another kind, a program; or NUL bytes, which no HTML text in a single-byte or
// UTF-8 encoding has. Empty for anything else.
std::string KindOfNonHtml(std::string_view head) {
    static const std::pair<std::string_view, const char*> kSignatures[] = {
        {"\xFF\xD8\xFF", "a JPEG picture"},
        {"\x89PNG", "a PNG picture"},
        {"GIF8", "a GIF picture"},
        {"PK\x03\x04", "a ZIP archive"},
        {"%PDF", "a PDF document"},
        {"\x7F"
         "ELF",
         "a program"}};
    for (const auto& [signature, kind] : kSignatures) {
        if (head.substr(0, signature.size()) == signature) return kind;
    }
    const bool utf16 = head.substr(0, 2) == "\xFF\xFE" || head.substr(0, 2) == "\xFE\xFF";
    if (!utf16 && head.find('\0') != std::string_view::npos) return "binary data";
    return {};
}

}  // namespace

TranslatedChapter TranslateChapter(const ChapterJob& job, const std::string& path,
                                   const std::string& href) {
    TranslatedChapter chapter;
    chapter.text = Kf7Text(job.western);
    // Typed from its first bytes before it is read whole.
    if (const auto full = PackageFilePath(job.package.folder, path)) {
        if (const auto head = ReadFileHead(*full, 512)) {
            if (const std::string kind = KindOfNonHtml(*head); !kind.empty()) {
                chapter.findings.Warning("chapter \"" + href + "\" is " + kind +
                                         ", not an HTML document; it is left out");
                return chapter;
            }
        }
    }
    auto content = ReadPackageFile(job.package.folder, path);
    if (!content) {
        chapter.findings.Warning("chapter \"" + href + "\" cannot be read; it is left out");
        return chapter;
    }
    chapter.read = true;
    if (!IsValidUtf8(*content)) {
        // Older pages are often saved in the Windows code page; read them as such rather
        // than lose their accented letters.
        chapter.findings.Info("chapter \"" + href + "\" is not UTF-8; it is read as Windows-1252");
        *content = Cp1252ToUtf8(*content);
    }
    // The chapter's text is about as long as its HTML: room for it at once, not by doubling.
    chapter.text.Reserve(content->size() + content->size() / 8 + 256);
    chapter.text.AnchorAtNextContent(AnchorKey(path, ""));
    const HtmlDocument document = ParseHtml(*content);
    content.reset();
    const auto styles = job.stylesheets.For(path, document, chapter);

    ChapterContext context;
    context.chapterPath = path;
    context.styles = styles.get();
    context.pictureIndex = [&job, &chapter](const std::string& picturePath) {
        PictureUse use;
        use.findingsBefore = chapter.findings.findings().size();
        use.path = picturePath;
        const bool usable = job.pictures.Usable(picturePath);
        if (usable) use.tagAt = chapter.text.Position();
        chapter.pictures.push_back(std::move(use));
        // A stand-in record number, replaced when the chapter joins the book.
        return usable ? 1 : 0;
    };
    context.isChapter = [&job](const std::string& chapterPath) {
        return job.chapters.count(chapterPath) != 0;
    };
    context.diagnostics = &chapter.findings;
    WriteChapterBody(document, context, chapter.text);
    return chapter;
}

}  // namespace quillery::mobi
