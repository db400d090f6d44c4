#pragma once
// HTML character references (named and numeric) decoded to UTF-8, for the chapter reader.

#include <string_view>

namespace quillery::mobi {

// The code point of an HTML named character reference ("amp", "eacute"), 0 when unknown.
char32_t LookUpNamedEntity(std::string_view name);

}  // namespace quillery::mobi
