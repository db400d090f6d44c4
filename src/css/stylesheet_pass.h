#pragma once
// The book's stylesheets as they go into the package: the stylesheet pass (every stylesheet
// of the book read from the source folder, its font sizes and font families rewritten, and
// written into the OPS folder) and the global paragraph rule appended to the last of them.

#include <stdexcept>
#include <string>

#include "project/book.h"

namespace quillery {

// Raised by the stylesheet pass and the paragraph rule append when a stylesheet cannot be
// rewritten or written: a font size that is not a valid number, or a file that cannot be
// written. Before it is thrown, the line "# " + what() has been appended to the build log,
// so the make pipeline only has to stop its compile step (empty the compile result, do not
// run the compiler) and must not log the error a second time.
// what() names the stylesheet (its entry in the stylesheet list) and what failed, e.g.
//   Stylesheet "css/book.css" was not processed: the font size "1..2pt" in
//   "font-size:1..2pt" is not a valid number.
class StylesheetError : public std::runtime_error {
public:
    StylesheetError(std::string stylesheet, const std::string& message);
    // The stylesheet list entry the error belongs to.
    const std::string& stylesheet() const { return stylesheet_; }

private:
    std::string stylesheet_;
};

// For each entry of book.stylesheets, first to last: reads sourceFolder + entry (a missing
// file reads as empty text), rewrites the font sizes (em conversion when
// options.adaptFontSize; otherwise, when kindleGenSizeFlag, pixels to points and then point
// doubling) and, for a Word book with options.classifyFonts, the font families, and writes
// the text to folders.opsFolder + entry (creating the entry's folders, replacing any file).
// Always starts from the source files, so running it twice does not stack the rewriting.
// An entry that is absolute or climbs out of its folder ("..") is skipped with a log line.
// Throws StylesheetError (already logged) on a malformed font size or a write failure.
void ProcessStylesheets(Book& book);

// The paragraph rule "p{...}" built from the four paragraph options, without spaces, e.g.
// "p{text-indent:2em;margin-top:0em;line-height:120%;text-align:justify;}". The values are
// written as they are. Empty when no option is on.
std::string ParagraphRule(const ParagraphOptions& options);

// Appends "\r\n" and the paragraph rule (possibly empty) to the OPS folder's copy of every
// stylesheet of the list, so that chapters linking different stylesheets are all styled;
// nothing when the list is empty. Run right after ProcessStylesheets. Throws StylesheetError
// (already logged) when a file cannot be written.
void AppendParagraphRule(Book& book);

}  // namespace quillery
