#pragma once
// Text-level tidying of chapter HTML without a parser: whole-page passes over byte strings,
// built on the shared pattern engine (caseless, "." crosses line breaks). Each operation makes
// exactly one pass; nothing is repeated until the text stops changing.

#include <string>
#include <string_view>

namespace quillery {

// Removes empty font/span/p/b/u/i/s elements, unwraps font/b/u/i/s elements holding only
// white space and "&nbsp;", and replaces a span wrapping one self-closed div by that div.
std::string CleanEmptyElements(std::string_view s);

// Every "=" followed by a bare run of word characters, "-", "_", "." and "/" that is followed
// by white space, "/" or ">" gets the run wrapped in double quotes.
void QuoteAttributeValues(std::string& s);

// ASCII letters inside tags and outside quoted values converted to lower (toLower) or upper
// case; every other byte is copied. The result has the length of s.
std::string ConvertTagCase(std::string_view s, bool toLower);

// The text between the ">" closing the first "<body" (exact case) and the next "</body>";
// empty when either is missing.
std::string ExtractBody(std::string_view s);

// The content of the first style element whose text contains "Definitions" (exact case),
// without the byte directly before "</style>"; empty when there is none.
std::string ExtractDefinitionsStyle(std::string_view s);


}  // namespace quillery
