#pragma once
// Chapter title proposals: from the file name, from the page's HTML title or from its first
// heading. The title list of the Book holds the raw bytes as found in the pages; the grid's
// title column shows their display form. Methods 1 and 2 fall back to the file-name title
// and log "* file<n>: HTML tilte not found, use filename instead." for each such file.

#include <string>
#include <string_view>

#include "htmlimport/chapter_grid.h"
#include "project/book.h"

namespace quillery {

enum class TitleMethod : int { FileName = 0, HtmlTitle = 1, FirstHeading = 2 };

// The title options of the Import page: "Auto Extract Chapter Title " and the method.
struct TitleOptions {
    bool autoTitle = true;
    TitleMethod method = TitleMethod::FirstHeading;
};

// The bytes of fileName before its first "."; empty when it has no ".".
std::string FileNameTitle(std::string_view fileName);

// s without any "<" ... ">" span; every ">" byte is dropped too, and a "<" without a later
// ">" drops the rest. Text without "<" comes back unchanged.
std::string StripTags(std::string_view s);

// The raw title of one page, empty when none is found (no fallback here).
// HtmlTitleOf: the text after "<title>" (or "<TITLE>") up to the next "<", within the first
// 255 bytes. FirstHeadingTitleOf: the first h1..h3 whose stripped text is not blank.
std::string HtmlTitleOf(std::string_view page);
std::string FirstHeadingTitleOf(std::string_view page);

// The title list recomputed for every file of the Book, in file-list order, from
// book.sourceFolder + file. The HTML title and first heading methods fall back per file and
// append their log line to book.log.
void TitlesFromFileNames(Book& book);
void TitlesFromHtmlTitle(Book& book);
void TitlesFromFirstHeading(Book& book);

// The display form of a raw title, what the page shows: bytes that are not valid UTF-8 read
// as Windows-1252, then every entity decoded ("It&#8217;s &eacute;t&eacute;" shows as
// "It’s été", "A &amp; B" as "A & B").
std::string TitleDisplayText(std::string_view rawTitle);

// Grid column 3 := display form of each title list entry; rows without an entry are emptied.
void RefreshTitleCells(const Book& book, ChapterGrid& grid);

// With auto-title off: clears the title list and empties every title cell. Otherwise runs
// the chosen method and refreshes the title cells. Called after an import and whenever the
// auto-title box or a method radio button is clicked.
void RefreshTitles(Book& book, ChapterGrid& grid, const TitleOptions& options);

}  // namespace quillery
