// Decoding entities and Windows-1252 text to UTF-8 (see html_text_decoding.h).

#include "text/html_text_decoding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "text/html_entities.h"
#include "text/utf8.h"

namespace quillery {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 where the code page leaves a byte undefined.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsCharacter(std::uint32_t cp) {
    return cp > 0 && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

// The code point of the reference body between "&" and ";" ("#8217", "#x2019", "eacute").
std::uint32_t ReferenceCodePoint(std::string_view body) {
    if (body.empty()) return 0;
    if (body[0] != '#') {
        if (body == "nbsp") return ' ';  // shown as a plain space
        return LookUpNamedEntity(body);
    }
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return 0;
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return 0;
        value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    // References to 128..159 mean the Windows-1252 characters, as browsers show them.
    if (value >= 0x80 && value <= 0x9F && kWindows1252High[value - 0x80] != 0)
        value = kWindows1252High[value - 0x80];
    return IsCharacter(value) ? value : 0;
}

}  // namespace

std::string DecodeHtmlText(std::string_view text) {
    if (text.find('&') == std::string_view::npos) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;
    for (std::size_t amp = text.find('&'); amp != std::string_view::npos;
         amp = text.find('&', amp + 1)) {
        const std::size_t semi = text.find(';', amp + 1);
        if (semi == std::string_view::npos || semi - amp > 12) continue;
        const std::uint32_t cp = ReferenceCodePoint(text.substr(amp + 1, semi - amp - 1));
        if (cp == 0) continue;
        out.append(text.substr(copied, amp - copied));
        AppendUtf8(out, cp);
        copied = semi + 1;
        amp = semi;
    }
    out.append(text.substr(copied));
    return out;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else if (byte < 0xA0) {
            const std::uint16_t cp = kWindows1252High[byte - 0x80];
            AppendUtf8(out, cp != 0 ? cp : byte);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

std::string AsUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

}  // namespace quillery
