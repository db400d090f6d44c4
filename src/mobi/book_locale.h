#pragma once
// The book's language: the locale code of the MOBI header and the language text of EXTH
// record 524, from the package's dc:language.

#include <cstdint>
#include <string>

namespace quillery::mobi {

// The Windows locale number of a language tag ("en" 9, "en-US" 1033, "de-AT" 3079),
// 0 when the language is unknown.
std::uint32_t LocaleNumber(const std::string& languageTag);

}  // namespace quillery::mobi
