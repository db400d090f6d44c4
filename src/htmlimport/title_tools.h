#pragma once
// The chapter title tools: batch edits of every title the grid shows (capitalise, trim,
// append each chapter's subtitle), an undo of the last batch edit, and the re-extraction of
// the titles from the pages' first headings. Each tool reads the grid's title column, stores
// its result in the title list and redisplays the column from it.

#include <string>
#include <string_view>
#include <vector>

#include "htmlimport/chapter_grid.h"
#include "project/book.h"

namespace quillery {

// Lower-cases the ASCII letters, then upper-cases the first byte and every byte after one
// that is not a letter: ‘chapter one's 2nd part’ gives ‘Chapter One'S 2Nd Part’. Only ASCII
// letters change, so the bytes of other characters stay as they are; such a character
// counts as a letter, so it never starts a new word (‘été à paris’ gives ‘été à Paris’,
// ‘fisherman’s’ gives ‘Fisherman’s’).
std::string CapitalizeWords(std::string_view s);

// Every word made only of the letters i, v and x, in any case, upper-cased: ‘Part Xi’ gives
// ‘Part XI’. Characters outside ASCII separate words.
std::string UpperRomanNumerals(std::string_view s);

// The subtitle of a page, as its bytes stand: the text of the heading (levels 1 to 5) whose
// tag comes right after the page's first non-blank heading of those levels; empty when the
// next tag after that heading is not such a heading ("<h1>" .. "<h5>", lower-case "h").
// Tags, "&nbsp;" and line feeds are cleaned out of the text and it is trimmed.
std::string SubtitleOf(std::string_view page);

// The title list form of a title as the grid shows it: every "&" written "&amp;", so that
// its display form (TitleDisplayText) is the title itself, entity-like text included.
std::string TitleListFormOf(std::string_view displayTitle);

// The title tools and their snapshot: the grid's titles as they were before the last
// "To Capitalized", "Trim" or "Extract Subtitle". Each snapshot entry remembers its chapter
// file, so "Undo" gives every chapter its own title back after rows have been moved.
class TitleTools {
public:
    struct SnapshotEntry {
        std::string file;
        std::string title;  // display form
    };

    // "To Capitalized": snapshot, then every title := UpperRomanNumerals(CapitalizeWords(t)).
    void CapitalizeTitles(Book& book, ChapterGrid& grid);
    // "Trim": snapshot, then every title trimmed of blanks and control characters.
    void TrimTitles(Book& book, ChapterGrid& grid);
    // "Extract Subtitle": snapshot, then every title := title + " " + the display form of its
    // chapter's subtitle (read from book.sourceFolder + file); the space stays when the
    // subtitle is empty.
    void AppendSubtitles(Book& book, ChapterGrid& grid);
    // "Undo": every chapter gets its snapshot title back; a chapter not in the snapshot keeps
    // the title its cell shows. Nothing at all happens while the snapshot is empty.
    void UndoTitleEdit(Book& book, ChapterGrid& grid) const;
    // "Revert/Re-Extract": the first-heading titles, whatever title method is chosen.
    static void ReExtractTitles(Book& book, ChapterGrid& grid);

    // A new project's chapters have nothing to go back to.
    void ClearSnapshot() { snapshot_.clear(); }
    const std::vector<SnapshotEntry>& snapshot() const { return snapshot_; }

private:
    void TakeSnapshot(const ChapterGrid& grid);

    std::vector<SnapshotEntry> snapshot_;
};

}  // namespace quillery
