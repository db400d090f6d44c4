#pragma once
// Character helpers of the compiler: UTF-8 decoding and encoding, Windows-1252 output with
// numeric character references for what the code page cannot hold.

#include <cstdint>
#include <string>
#include <string_view>

#include "text/utf8.h"

namespace quillery::mobi {

// Decodes one character at `pos` and advances it; malformed bytes decode as U+FFFD, one byte each.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// The Windows-1252 byte for a code point, or -1 when the code page has none.
int Cp1252Byte(char32_t codePoint);

// UTF-8 text as Windows-1252 bytes; characters outside the code page become "&#N;".
std::string Utf8ToCp1252(std::string_view utf8);

// Windows-1252 bytes as UTF-8 (the five bytes the code page leaves undefined become U+FFFD).
std::string Cp1252ToUtf8(std::string_view bytes);

// True when `pos` is inside a UTF-8 character (a continuation byte).
inline bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace quillery::mobi
