#pragma once
// Small text operations shared by the package writers.

#include <string>
#include <string_view>

namespace quillery::package_text {

// Inserts block before the first occurrence of marker in text. A text without the marker
// (a missing or broken template) gets the block at its start, so what was generated is kept.
void InsertBefore(std::string& text, std::string_view marker, std::string_view block);

// A relative path as the value of a double-quoted href or src attribute: bytes that cannot
// stand in a URI (blank, quote, "#", "%", "<", ">" and the like) percent-encoded, then "&"
// escaped as "&amp;"; in a name that is not valid UTF-8 every byte from 0x80 up is encoded
// too. A name without such bytes comes out as EncodeEntities gives it.
std::string HrefValue(std::string_view path);

}  // namespace quillery::package_text
