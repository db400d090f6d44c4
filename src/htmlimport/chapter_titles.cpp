// Chapter title proposals (see chapter_titles.h).

#include "htmlimport/chapter_titles.h"

#include <string>

#include "text/html_text_decoding.h"
#include "text/regex.h"
#include "text/strings.h"
#include "text/text_file.h"
#include "text/utf8.h"

namespace quillery {

namespace {

// Only the head of a page is searched for its title.
constexpr int kTitleSearchBytes = 255;

void AppendFallbackLine(Book& book, std::size_t index) {
    book.AppendLog("* file" + std::to_string(index + 1) +
                   ": HTML tilte not found, use filename instead.");
}

template <typename Extract>
void TitlesFromPages(Book& book, Extract extract) {
    for (std::size_t i = 0; i < book.chapters.size(); ++i) {
        Chapter& chapter = book.chapters[i];
        std::string title = extract(ReadTextFile(book.sourceFolder + chapter.file));
        if (title.empty()) {
            title = FileNameTitle(chapter.file);
            AppendFallbackLine(book, i);
        }
        chapter.title = std::move(title);
    }
}

}  // namespace

std::string FileNameTitle(std::string_view fileName) {
    return LeftStr(fileName, PosIn(fileName, ".") - 1);
}

std::string StripTags(std::string_view s) {
    if (s.find('<') == std::string_view::npos) return std::string(s);
    std::string out;
    out.reserve(s.size());
    bool inTag = false;
    for (const char c : s) {
        if (c == '<') {
            inTag = true;
        } else if (c == '>') {
            inTag = false;  // the ">" itself is dropped, also outside a tag
        } else if (!inTag) {
            out.push_back(c);
        }
    }
    return out;
}

std::string HtmlTitleOf(std::string_view page) {
    const std::string_view head = page.substr(0, kTitleSearchBytes);
    int tag = PosIn(head, "<title>");
    if (tag == 0) tag = PosIn(head, "<TITLE>");
    if (tag == 0) return {};
    const int textStart = tag + 7;
    const int textEnd = FindFrom(head, "<", textStart, false);
    if (textEnd <= textStart) return {};
    return MidStr(head, textStart, textEnd - textStart);
}

std::string FirstHeadingTitleOf(std::string_view page) {
    TLxRegEx& rx = SharedRegex();
    rx.SetPattern(R"(<h([123])[^>]*>(.+?)</h\1>)");
    rx.SetSubject(page);
    std::string title;
    while (rx.MatchNext()) {
        title = StripTags(rx.Submatch(2));
        title = ReplaceAll(title, "&nbsp;", " ");
        title = ReplaceAll(title, "\n", " ");
        // A blank heading is passed over; if all are blank, the last one's text stays.
        if (!Trim(title).empty()) break;
    }
    return title;
}

void TitlesFromFileNames(Book& book) {
    for (Chapter& chapter : book.chapters) chapter.title = FileNameTitle(chapter.file);
}

void TitlesFromHtmlTitle(Book& book) {
    TitlesFromPages(book, [](const std::string& page) { return HtmlTitleOf(page); });
}

void TitlesFromFirstHeading(Book& book) {
    TitlesFromPages(book, [](const std::string& page) { return FirstHeadingTitleOf(page); });
}

std::string TitleDisplayText(std::string_view rawTitle) {
    // What the page shows: a title in Windows-1252 is read as such, every entity decoded.
    return DecodeHtmlText(AsUtf8(rawTitle));
}

void RefreshTitleCells(const Book& book, ChapterGrid& grid) {
    for (int row = 1; row < grid.RowCount(); ++row) {
        const std::size_t index = static_cast<std::size_t>(row - 1);
        grid.rows[row][kGridTitleColumn] =
            index < book.chapters.size() ? TitleDisplayText(book.chapters[index].title.value_or(""))
                                         : std::string();
    }
}

void RefreshTitles(Book& book, ChapterGrid& grid, const TitleOptions& options) {
    if (!options.autoTitle) {
        for (Chapter& chapter : book.chapters) chapter.title.reset();
        for (int row = 1; row < grid.RowCount(); ++row) grid.rows[row][kGridTitleColumn].clear();
        return;
    }
    switch (options.method) {
        case TitleMethod::FileName:
            TitlesFromFileNames(book);
            break;
        case TitleMethod::HtmlTitle:
            TitlesFromHtmlTitle(book);
            break;
        case TitleMethod::FirstHeading:
            TitlesFromFirstHeading(book);
            break;
    }
    RefreshTitleCells(book, grid);
}

}  // namespace quillery
