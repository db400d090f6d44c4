// The chapter title tools (see title_tools.h).

#include "htmlimport/title_tools.h"

#include <algorithm>

#include "htmlimport/chapter_titles.h"
#include "text/regex.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace quillery {

namespace {

// ASCII letters and every byte of a character outside ASCII continue a word.
bool ContinuesWord(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
}

char UpperAsciiByte(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A heading's content as a title: no tags, "&nbsp;" and line feeds as spaces, trimmed.
std::string CleanHeadingText(std::string_view content) {
    std::string text = StripTags(content);
    text = ReplaceAll(text, "&nbsp;", " ");
    text = ReplaceAll(text, "\n", " ");
    return Trim(text);
}

// Every chapter's title := edit(i, the title grid row i + 1 shows), kept in the title list
// form; then the title column is redisplayed from the title list.
template <typename Edit>
void SetTitles(Book& book, ChapterGrid& grid, Edit edit) {
    const std::size_t rows =
        std::min(static_cast<std::size_t>(grid.RowCount() - 1), book.chapters.size());
    for (std::size_t i = 0; i < rows; ++i) {
        book.chapters[i].title = TitleListFormOf(edit(i, grid.rows[i + 1][kGridTitleColumn]));
    }
    RefreshTitleCells(book, grid);
}

}  // namespace

std::string CapitalizeWords(std::string_view s) {
    std::string out = LowerAscii(s);
    char previous = ' ';
    for (char& c : out) {
        const char current = c;
        if (!ContinuesWord(previous)) c = UpperAsciiByte(c);
        previous = current;
    }
    return out;
}

std::string UpperRomanNumerals(std::string_view s) {
    std::string out(s);
    TLxRegEx& rx = SharedRegex();
    rx.SetPattern(R"(\b[IVX]+\b)");
    rx.SetSubject(s);
    while (rx.MatchNext()) {
        for (int at = rx.MatchStart() - 1; at < rx.MatchEnd() - 1; ++at) {
            out[static_cast<std::size_t>(at)] = UpperAsciiByte(out[static_cast<std::size_t>(at)]);
        }
    }
    return out;
}

std::string SubtitleOf(std::string_view page) {
    TLxRegEx& rx = SharedRegex();
    rx.SetPattern(R"(<h([12345])[^>]*>(.+?)</h\1>)");
    rx.SetSubject(page);
    std::size_t headingEnd = std::string_view::npos;
    while (rx.MatchNext()) {
        if (!CleanHeadingText(rx.Submatch(2)).empty()) {
            headingEnd = static_cast<std::size_t>(rx.MatchEnd() - 1);
            break;
        }
    }
    if (headingEnd == std::string_view::npos) return {};
    // The very next tag must open another heading of levels 1 to 5.
    const std::size_t tag = page.find('<', headingEnd);
    if (tag == std::string_view::npos || tag + 2 >= page.size() || page[tag + 1] != 'h' ||
        page[tag + 2] < '1' || page[tag + 2] > '5') {
        return {};
    }
    const std::size_t contentStart = page.find('>', tag);
    if (contentStart == std::string_view::npos) return {};
    const std::string endTag = std::string("</h") + page[tag + 2];
    const std::size_t contentEnd = page.find(endTag, contentStart + 1);
    if (contentEnd == std::string_view::npos) return {};
    return CleanHeadingText(page.substr(contentStart + 1, contentEnd - contentStart - 1));
}

std::string TitleListFormOf(std::string_view displayTitle) {
    return ReplaceAll(displayTitle, "&", "&amp;");
}

void TitleTools::TakeSnapshot(const ChapterGrid& grid) {
    snapshot_.clear();
    for (int row = 1; row < grid.RowCount(); ++row) {
        snapshot_.push_back({grid.rows[row][kGridFileColumn], grid.rows[row][kGridTitleColumn]});
    }
}

void TitleTools::CapitalizeTitles(Book& book, ChapterGrid& grid) {
    TakeSnapshot(grid);
    SetTitles(book, grid, [](std::size_t, const std::string& title) {
        return UpperRomanNumerals(CapitalizeWords(title));
    });
}

void TitleTools::TrimTitles(Book& book, ChapterGrid& grid) {
    TakeSnapshot(grid);
    SetTitles(book, grid, [](std::size_t, const std::string& title) { return Trim(title); });
}

void TitleTools::AppendSubtitles(Book& book, ChapterGrid& grid) {
    TakeSnapshot(grid);
    std::vector<std::string> subtitles;
    subtitles.reserve(book.chapters.size());
    for (const Chapter& chapter : book.chapters) {
        subtitles.push_back(SubtitleOf(ReadTextFile(book.sourceFolder + chapter.file)));
    }
    SetTitles(book, grid, [&subtitles](std::size_t i, const std::string& title) {
        return title + " " + TitleDisplayText(subtitles[i]);
    });
}

void TitleTools::UndoTitleEdit(Book& book, ChapterGrid& grid) const {
    if (snapshot_.empty()) return;
    SetTitles(book, grid, [this, &grid](std::size_t i, const std::string& title) {
        const std::string& file = grid.rows[i + 1][kGridFileColumn];
        const auto entry = std::find_if(snapshot_.begin(), snapshot_.end(),
                                        [&file](const SnapshotEntry& e) { return e.file == file; });
        return entry != snapshot_.end() ? entry->title : title;
    });
}

void TitleTools::ReExtractTitles(Book& book, ChapterGrid& grid) {
    TitlesFromFirstHeading(book);
    RefreshTitleCells(book, grid);
}

}  // namespace quillery
