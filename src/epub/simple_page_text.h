#pragma once
// The characters of a simple page (see simple_page_tree.h): a run of text, an attribute
// value, a comment or a style element's text, decoded as the HTML5 parser holds it (line
// ends made LF, and where the run takes them, the character references resolved), or
// refused when the run holds anything the parser would replace, remap or complain about in
// a way that could change the tree: invalid UTF-8, control characters, noncharacters, and
// every character reference but a few plain ones.

#include <cstddef>
#include <optional>
#include <string_view>

namespace quillery::epub {

enum class References {
    Resolve,  // text, titles and attribute values: "&amp;" is "&"
    Keep,     // style text and comments: "&" is itself
};

struct DecodedRun {
    std::size_t length = 0;      // bytes written
    bool whitespaceOnly = true;  // only spaces, tabs and line feeds
};

// Decodes `raw` into `out`, which has room for raw.size() bytes (decoding never grows a
// run). Returns nothing when the run leaves the simple subset.
std::optional<DecodedRun> DecodeRun(std::string_view raw, References references, char* out);

// True for the whitespace a simple page may have between its elements: space, tab, LF, CR.
inline bool IsSimpleWhitespace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace quillery::epub
