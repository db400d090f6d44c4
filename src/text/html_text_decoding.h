#pragma once
// Turning the text of a page as written (entities, old single-byte encoding) into the UTF-8
// text a reader sees: "It&#8217;s &eacute;t&eacute;" is shown as "It’s été".

#include <string>
#include <string_view>

namespace quillery {

// Every numeric character reference ("&#8217;", "&#x2019;") and every named entity of HTML 4
// ("&eacute;", "&amp;") replaced by its character in UTF-8; "&nbsp;" becomes a plain space.
// A reference that names no character stays as it is.
std::string DecodeHtmlText(std::string_view text);

// Bytes read as Windows-1252 (the encoding of most older pages that are not UTF-8), in UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);

// The bytes as they stand when they are valid UTF-8, else read as Windows-1252.
std::string AsUtf8(std::string_view bytes);

}  // namespace quillery
