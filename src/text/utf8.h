#pragma once
// UTF-8 validity: whether a text can be shown and written as UTF-8 as it stands.

#include <string_view>

namespace quillery {

// True when the bytes are well-formed UTF-8: shortest forms only, no surrogates, nothing
// above U+10FFFF. The empty text is valid.
bool IsValidUtf8(std::string_view bytes);

}  // namespace quillery
