// The Word section split (see section_split.h).

#include "wordimport/section_split.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "css/word_stylesheet.h"
#include "htmlimport/resource_links.h"
#include "project/book.h"
#include "text/paths.h"
#include "text/file_utils.h"
#include "text/regex.h"
#include "text/strings.h"
#include "text/text_file.h"
#include "wordimport/heading_anchors.h"

namespace quillery {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTail = "\r\n</body></html>";
constexpr std::string_view kTocAnchor = "<a name=\"toc\" />";
constexpr std::string_view kSplitLogLine = "Word HTML split successfully.";

struct PageParts {
    std::string head;  // up to the body start tag, then "<body>"
    std::string body;  // the body's content
};

PageParts SplitHeadAndBody(const std::string& html) {
    const int bodyTag = FindFrom(html, "<body", 1, true);
    if (bodyTag == 0) return {"<body>", html};  // no head to speak of: all of it is content
    PageParts parts{LeftStr(html, bodyTag - 1) + "<body>", {}};
    const int tagEnd = FindFrom(html, ">", bodyTag, false);
    if (tagEnd == 0) return parts;
    const int bodyEnd = FindFrom(html, "</body>", tagEnd + 1, true);
    parts.body =
        bodyEnd == 0 ? StrFrom(html, tagEnd + 1) : MidStr(html, tagEnd + 1, bodyEnd - tagEnd - 1);
    return parts;
}

// The inner content of the first section division: after the ">" of the first
// "<div class=" up to the last "</div>" of the body, less the byte before that end tag. A
// body without such a division is kept whole.
std::string FirstSectionContent(const std::string& body) {
    const std::size_t division = body.find("<div class=");
    if (division == std::string::npos) return body;
    const std::size_t tagEnd = body.find('>', division);
    const std::size_t lastEnd = body.rfind("</div>");
    if (tagEnd == std::string::npos || lastEnd == std::string::npos || lastEnd <= tagEnd)
        return body;
    const std::size_t contentStart = tagEnd + 1;
    const std::size_t contentEnd = lastEnd > contentStart ? lastEnd - 1 : contentStart;
    return body.substr(contentStart, contentEnd - contentStart);
}

// The sections of a body: each section division starts one and runs through the last
// "</div>" before the next (up to the next when there is none); the last runs to the end.
std::vector<std::string> SectionsOf(const std::string& body) {
    std::vector<std::size_t> starts;
    {
        TLxRegEx rx;
        rx.SetPattern("<div class=(Word)?Section");
        rx.SetSubject(body);
        for (bool found = rx.MatchFirst(); found; found = rx.MatchNext())
            starts.push_back(static_cast<std::size_t>(rx.MatchStart() - 1));
    }
    if (starts.empty()) return {body};
    std::vector<std::string> sections;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t start = starts[k];
        if (k + 1 == starts.size()) {
            sections.push_back(body.substr(start));
            break;
        }
        const std::size_t next = starts[k + 1];
        const std::string_view span(body.data() + start, next - start);
        const std::size_t lastEnd = span.rfind("</div>");
        const std::size_t length = lastEnd == std::string_view::npos ? span.size() : lastEnd + 6;
        sections.push_back(body.substr(start, length));
    }
    return sections;
}

// Writes the pages; on a failure removes the ones already written and rethrows.
void WritePages(const std::string& folder, const std::vector<std::string>& names,
                const std::vector<std::string>& pages, std::vector<std::int64_t>& sizes) {
    std::size_t written = 0;
    try {
        for (; written < pages.size(); ++written) {
            WriteTextFile(folder + names[written], pages[written]);
            sizes.push_back(static_cast<std::int64_t>(pages[written].size()));
        }
    } catch (...) {
        std::error_code ignored;
        for (std::size_t i = 0; i < written; ++i) fs::remove(folder + names[i], ignored);
        sizes.clear();
        throw;
    }
}

}  // namespace

std::string PictureFolderReference(const std::string& htmlBaseName) {
    return ReplaceAll(ReplaceAll(htmlBaseName, " ", "%20"), "\"", "%22") + "_files/";
}

void RenameImageFolder(const std::string& htmlPath) {
    const std::string folder = FolderOf(htmlPath);
    const std::string baseName = FileBaseName(htmlPath);
    if (FileExists(htmlPath)) {
        const std::string prefix = PictureFolderReference(baseName);
        const std::string html = ReadTextFile(htmlPath);
        const std::string relinked = ReplaceAll(html, prefix, "imgs/");
        if (relinked != html) WriteTextFile(htmlPath, relinked);
    }
    const std::string pictures = folder + baseName + "_files";
    if (!FolderExists(pictures)) return;
    const std::string imgs = folder + "imgs";
    if (FolderExists(imgs) || FileExists(imgs)) DeleteFolderTree(imgs);
    fs::rename(pictures, imgs);  // throws std::filesystem::filesystem_error on failure
}

WordChapters SplitWordHtml(const std::string& htmlPath, const SectionSplitOptions& options) {
    RenameImageFolder(htmlPath);
    WordChapters chapters;
    HeadingAnchorRun anchorRun;
    ResetAnchorRun(anchorRun);
    if (!FileExists(htmlPath)) return chapters;

    const std::string folder = FolderOf(htmlPath);
    PageParts parts = SplitHeadAndBody(ReadTextFile(htmlPath));
    Book stylesheetOwner;
    ExtractWordStylesheet(parts.head, htmlPath, stylesheetOwner);
    chapters.stylesheets = stylesheetOwner.stylesheets;

    if (!options.split) {
        const std::string page =
            parts.head + "\r\n" + FirstSectionContent(parts.body) + std::string(kTail);
        WriteTextFile(htmlPath, page);
        chapters.files.push_back(FileNamePart(htmlPath));
        chapters.sizes.push_back(FileSizeOf(htmlPath));
        return chapters;
    }

    chapters.split = true;
    chapters.tocPositionSet = true;
    Book pages;  // the chapters (files and texts) the anchor link repair works on
    for (const std::string& section : SectionsOf(parts.body)) {
        std::string page = parts.head + "\r\n" + section + std::string(kTail);
        if (options.headingAnchors) AddHeadingAnchors(page, anchorRun);
        Chapter chapter;
        chapter.file = "s_" + std::to_string(pages.chapters.size() + 1) + ".htm";
        if (page.find(kTocAnchor) != std::string::npos) {
            chapters.tocChapter = chapter.file;
            chapters.tocPosition = static_cast<int>(pages.chapters.size()) + 1;
        }
        chapter.content = std::move(page);
        pages.chapters.push_back(std::move(chapter));
    }
    RepairAnchorLinks(pages);
    chapters.files = ChapterFiles(pages);
    std::vector<std::string> contents;
    for (Chapter& chapter : pages.chapters) contents.push_back(std::move(chapter.content));
    WritePages(folder, chapters.files, contents, chapters.sizes);
    // The converted file goes, unless a page took its name.
    const std::string htmlName = FileNamePart(htmlPath);
    if (std::find(chapters.files.begin(), chapters.files.end(), htmlName) ==
        chapters.files.end()) {
        std::error_code ignored;
        fs::remove(htmlPath, ignored);
    }
    chapters.log.emplace_back(kSplitLogLine);
    return chapters;
}

WordChapters SingleChapterList(const std::string& htmlPath) {
    WordChapters chapters;
    if (!FileExists(htmlPath)) return chapters;
    chapters.files.push_back(FileNamePart(htmlPath));
    chapters.sizes.push_back(FileSizeOf(htmlPath));
    chapters.tocChapter = chapters.files.front();
    return chapters;
}

}  // namespace quillery
