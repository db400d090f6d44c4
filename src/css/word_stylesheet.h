#pragma once
// The Word stylesheet extraction: the style block of a cleaned Word document moves out into
// "style.css" beside the document and becomes the book's only stylesheet.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "project/book.h"

namespace quillery {

// The link that takes the style block's place in the document.
inline constexpr std::string_view kWordStylesheetLink =
    "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>";
// The rule appended to the extracted style block.
inline constexpr std::string_view kWordLinkRule = "a:link {color:#555;text-decoration:none;}";

// The first style element of html whose content contains "Definitions" (Word's font, style
// and page definitions). Offsets are 0-based into html.
struct WordStyleBlock {
    std::size_t elementStart = 0;  // at "<style"
    std::size_t elementEnd = 0;    // one past "</style>"
    std::string text;              // the content, less the line break before the end tag
};
std::optional<WordStyleBlock> FindWordStyleBlock(std::string_view html);

// On the HTML text of the Word document stored at htmlPath: removes every script element,
// writes the Definitions style block (generic families unquoted, then "\r\n" and
// kWordLinkRule) to the document's folder + "style.css", puts kWordStylesheetLink in the
// block's place and makes "style.css" the only entry of book.stylesheets.
// Returns false, leaving the stylesheet list and the style blocks alone (scripts are still
// removed), when the document has no such block. Throws std::system_error when style.css
// cannot be written (html and the list are then unchanged, bar the scripts).
bool ExtractWordStylesheet(std::string& html, const std::string& htmlPath, Book& book);

}  // namespace quillery
