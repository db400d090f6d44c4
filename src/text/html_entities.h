#pragma once
// The named character references of HTML (HTML 4's, with "apos" and the upper-case
// basic five), shared by the page text decoding and the compiler's chapter reader.

#include <string_view>

namespace quillery {

// The code point of an HTML named character reference ("amp", "eacute"), 0 when unknown.
char32_t LookUpNamedEntity(std::string_view name);

}  // namespace quillery
