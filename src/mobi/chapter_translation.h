#pragma once
// One chapter translated on its own, on any thread, into a part of the book's text: the part,
// what was found on the way and the pictures it uses, in the order a translation straight into
// the book would have met them. The book joins the parts in reading order (book_text.cpp).

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "mobi/book_pictures.h"
#include "mobi/css_subset.h"
#include "mobi/diagnostics.h"
#include "mobi/html_document.h"
#include "mobi/kf7_text.h"
#include "mobi/opf_package.h"

namespace quillery::mobi {

// A picture met in the chapter, after `findingsBefore` of the chapter's findings.
struct PictureUse {
    std::size_t findingsBefore = 0;
    std::string path;
    // Where the part's <img> tag for it starts (its record number is written once known);
    // nullopt when the picture is left out.
    std::optional<std::size_t> tagAt;
};

struct TranslatedChapter {
    bool read = false;  // false when the file could not be read: nothing goes into the book
    Kf7Text text{false};
    Diagnostics findings;
    // Findings that the book reports only the first time (a stylesheet that cannot be read).
    std::set<std::string> reportedOnce;
    std::vector<PictureUse> pictures;
};

// The stylesheets' rules, each combination of linked stylesheets built once and shared.
// Safe to use from several threads.
class StylesheetCache {
public:
    explicit StylesheetCache(const OpfPackage& package) : package_(package) {}

    // The rules that apply to a chapter: its linked stylesheets in order, then its style
    // blocks. A stylesheet linked more than once is applied once, where it is first linked.
    std::shared_ptr<const StyleSheet> For(const std::string& chapterPath,
                                          const HtmlDocument& document, TranslatedChapter& chapter);

private:
    // The stylesheet's text; nullopt when it cannot be read.
    const std::optional<std::string>& Source(const std::string& path);

    const OpfPackage& package_;
    std::mutex mutex_;
    std::map<std::string, std::optional<std::string>> sources_;
    std::map<std::string, std::shared_ptr<const StyleSheet>> sheets_;
};

struct ChapterJob {
    const OpfPackage& package;
    bool western;
    StylesheetCache& stylesheets;
    BookPictures& pictures;                 // only its thread-safe Usable is called
    const std::set<std::string>& chapters;  // package-relative paths of the book's chapters
};

TranslatedChapter TranslateChapter(const ChapterJob& job, const std::string& path,
                                   const std::string& href);

}  // namespace quillery::mobi
