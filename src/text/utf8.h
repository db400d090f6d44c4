#pragma once
// UTF-8: whether a text can be shown and written as UTF-8 as it stands, and characters
// written as UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace quillery {

// True when the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing
// above U+10FFFF. The empty text is valid.
bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 encoding of a code point (surrogates and values above U+10FFFF as U+FFFD).
void AppendUtf8(std::string& out, char32_t codePoint);

// The same encoding written at `out`, which has room for four bytes; returns its length.
std::size_t WriteUtf8(char32_t codePoint, char* out);

}  // namespace quillery
