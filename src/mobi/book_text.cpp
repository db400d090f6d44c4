// Assembles the book's text from the spine (see book_text.h).

#include "mobi/book_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <deque>
#include <future>
#include <set>
#include <stdexcept>

#include "mobi/chapter_translation.h"
#include "mobi/chapter_writer.h"
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

// Joins a chapter translated on its own to the book: its findings as they were met, each
// picture given its record number at its first use, then its text.
void JoinChapter(TranslatedChapter& chapter, BookPictures& pictures,
                 std::set<std::string>& reportedOnce, Diagnostics& diagnostics, Kf7Text& text) {
    const auto& findings = chapter.findings.findings();
    std::size_t reported = 0;
    const auto reportUpTo = [&](std::size_t end) {
        for (; reported < end; ++reported) {
            const Finding& finding = findings[reported];
            if (chapter.reportedOnce.count(finding.text) &&
                !reportedOnce.insert(finding.text).second)
                continue;
            switch (finding.severity) {
                case Severity::Info:
                    diagnostics.Info(finding.text);
                    break;
                case Severity::Warning:
                    diagnostics.Warning(finding.text);
                    break;
                case Severity::Error:
                    diagnostics.Error(finding.text);
                    break;
            }
        }
    };
    for (const auto& use : chapter.pictures) {
        reportUpTo(use.findingsBefore);
        const int number = pictures.IndexOf(use.path);
        if (!use.tagAt) continue;
        const std::string_view marker = "recindex=\"";
        const auto at = chapter.text.bytes().find(marker, *use.tagAt);
        if (number <= 0 || at == std::string::npos)
            throw std::logic_error("a picture of \"" + use.path + "\" lost its record number");
        char digits[16];
        std::snprintf(digits, sizeof digits, "%05d", number);
        chapter.text.Overwrite(at + marker.size(), digits);
    }
    reportUpTo(findings.size());
    if (chapter.read) text.Append(std::move(chapter.text));
}

}  // namespace

std::optional<BookText> AssembleBookText(const OpfPackage& package, bool western,
                                         BookPictures& pictures, Diagnostics& diagnostics,
                                         ThreadPool& pool, TextRecordStream& records) {
    // The chapters that can be read, in spine order, each once. They are read a few at a time
    // as they are translated, so that the whole book's HTML is never in memory at once.
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
    text.Markup("<html><head>");
    WriteGuide(package, chapterSet, text);
    text.Markup("</head><body>");

    // Chapters are translated on the pool's threads, some ahead of the one being joined (so
    // that only those are in memory at once), and joined in reading order. A chapter whose
    // large picture must be encoded again takes as long as a dozen others: sixteen per thread
    // keep the other threads busy meanwhile.
    StylesheetCache stylesheets(package);
    const ChapterJob job{package, western, stylesheets, pictures, chapterSet};
    std::deque<std::future<TranslatedChapter>> inFlight;
    std::size_t submitted = 0;
    const std::size_t ahead = 16 * static_cast<std::size_t>(pool.size());
    const auto submitNext = [&] {
        const auto* chapter = &chapters[submitted++];
        inFlight.push_back(pool.Submit(
            [&job, chapter] { return TranslateChapter(job, chapter->first, chapter->second); }));
    };
    // Chapters still being translated use this frame: they are waited for on any way out.
    struct WaitForAll {
        std::deque<std::future<TranslatedChapter>>& futures;
        ~WaitForAll() {
            for (auto& future : futures)
                if (future.valid()) future.wait();
        }
    } waitForAll{inFlight};

    std::set<std::string> reportedOnce;
    std::size_t joined = 0;
    bool first = true;
    while (!inFlight.empty() || submitted < chapters.size()) {
        while (submitted < chapters.size() && inFlight.size() < ahead) submitNext();
        TranslatedChapter chapter = inFlight.front().get();
        inFlight.pop_front();
        if (chapter.read) {
            if (!first) text.PageBreak(true);
            first = false;
        }
        const std::string& path = chapters[joined++].first;
        JoinChapter(chapter, pictures, reportedOnce, diagnostics, text);
        if (chapter.read) book.chapters.push_back(path);
        records.Add(text);
    }
    text.Markup("</body></html>");

    for (const auto& link : records.Finish(text)) {
        diagnostics.Warning("link target \"" + link.target + "\" (from \"" + link.origin +
                            "\") does not exist; the link leads to the start of its chapter");
    }
    return book;
}

}  // namespace quillery::mobi
