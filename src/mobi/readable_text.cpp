// Plain renderings of text for labels, metadata and the Palm database name (see
// readable_text.h).

#include "mobi/readable_text.h"

#include <cctype>

#include "mobi/text_encoding.h"

namespace quillery::mobi {
namespace {

// U+00C0..U+017F without their accents (from the characters' canonical decompositions, plus
// the letters that have none: "Æ", "ß", "Ø", "Đ", "Ł", "Œ", "Þ" ...; "×" and "÷" as "x", "/").
constexpr const char* kLatinLetters[] = {
    "A", "A", "A",  "A",  "A", "A", "AE", "C",  "E",  "E", "E", "E", "I",  "I",  "I", "I", "D", "N",
    "O", "O", "O",  "O",  "O", "x", "O",  "U",  "U",  "U", "U", "Y", "Th", "ss", "a", "a", "a", "a",
    "a", "a", "ae", "c",  "e", "e", "e",  "e",  "i",  "i", "i", "i", "d",  "n",  "o", "o", "o", "o",
    "o", "/", "o",  "u",  "u", "u", "u",  "y",  "th", "y", "A", "a", "A",  "a",  "A", "a", "C", "c",
    "C", "c", "C",  "c",  "C", "c", "D",  "d",  "D",  "d", "E", "e", "E",  "e",  "E", "e", "E", "e",
    "E", "e", "G",  "g",  "G", "g", "G",  "g",  "G",  "g", "H", "h", "H",  "h",  "I", "i", "I", "i",
    "I", "i", "I",  "i",  "I", "i", "IJ", "ij", "J",  "j", "K", "k", "k",  "L",  "l", "L", "l", "L",
    "l", "L", "l",  "L",  "l", "N", "n",  "N",  "n",  "N", "n", "n", "N",  "n",  "O", "o", "O", "o",
    "O", "o", "OE", "oe", "R", "r", "R",  "r",  "R",  "r", "S", "s", "S",  "s",  "S", "s", "S", "s",
    "T", "t", "T",  "t",  "T", "t", "U",  "u",  "U",  "u", "U", "u", "U",  "u",  "U", "u", "U", "u",
    "W", "w", "Y",  "y",  "Y", "Z", "z",  "Z",  "z",  "Z", "z", "s",
};
constexpr char32_t kFirstLatinLetter = 0xC0;

}  // namespace

std::string_view AsciiLetters(char32_t codePoint) {
    if (codePoint < kFirstLatinLetter || codePoint >= kFirstLatinLetter + std::size(kLatinLetters))
        return {};
    return kLatinLetters[codePoint - kFirstLatinLetter];
}

std::string Utf8ToCp1252Label(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = NextCodePoint(utf8, pos);
        if (const int byte = Cp1252Byte(cp); byte >= 0) {
            out += static_cast<char>(byte);
        } else if (const auto letters = AsciiLetters(cp); !letters.empty()) {
            out += letters;
        } else if ((cp >= 0x2010 && cp <= 0x2015) || cp == 0x2212) {  // hyphens, dashes, minus
            out += '-';
        } else if (cp == 0x2032) {  // prime
            out += '\'';
        } else if (cp == 0x2033) {  // double prime
            out += '"';
        } else if ((cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F ||
                   cp == 0x3000) {  // spaces of other widths
            out += ' ';
        } else if ((cp >= 0x200B && cp <= 0x200F) || cp == 0x2060 || cp == 0xFEFF) {
            // zero-width characters and direction marks show nothing
        } else {
            out += '?';
        }
    }
    return out;
}

std::string PalmDatabaseName(const std::string& title) {
    constexpr std::size_t kMaxName = 31;
    std::string ascii;
    std::size_t pos = 0;
    while (pos < title.size()) {
        const char32_t cp = NextCodePoint(title, pos);
        if (cp < 0x80) {
            ascii += static_cast<char>(cp);
        } else if (const auto letters = AsciiLetters(cp); !letters.empty()) {
            ascii += letters;
        } else {
            ascii += ' ';
        }
    }
    std::string name;
    bool gap = false;
    for (unsigned char c : ascii) {
        if (std::isalnum(c) || c == '-') {
            if (gap && !name.empty()) name += '_';
            gap = false;
            name += static_cast<char>(c);
        } else {
            gap = true;
        }
    }
    if (name.size() > kMaxName) name.resize(kMaxName);
    while (!name.empty() && name.back() == '_') name.pop_back();
    if (name.empty()) name = "Untitled";
    return name;
}

}  // namespace quillery::mobi
