#pragma once
// Text for the places of a book that devices show as plain bytes, never as HTML: the table of
// contents labels and metadata of a Windows-1252 book, and the Palm database name. Characters
// that cannot be written there become their nearest plain letters (or "?"), never "&#N;".

#include <string>
#include <string_view>

namespace quillery::mobi {

// The plain ASCII letters closest to a Latin letter (U+00C0..U+017F: "é" -> "e", "Æ" -> "AE",
// "ł" -> "l"); empty for other characters.
std::string_view AsciiLetters(char32_t codePoint);

// UTF-8 text as Windows-1252 bytes for labels and metadata: characters of the code page are
// kept, Latin letters outside it lose their accents, dashes and spaces outside it become their
// plain forms, zero-width characters are dropped and anything else becomes "?".
std::string Utf8ToCp1252Label(std::string_view utf8);

// The Palm database name of a book: the title in ASCII (accents dropped), letters, digits and
// "-" kept, every other run of characters one "_", at most 31 bytes, "Untitled" when nothing
// readable is left.
std::string PalmDatabaseName(const std::string& title);

}  // namespace quillery::mobi
