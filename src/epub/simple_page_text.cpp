// Decoding the characters of a simple page (see simple_page_text.h).

#include "epub/simple_page_text.h"

#include <cstdint>
#include <cstring>

#include "text/utf8.h"

namespace quillery::epub {

namespace {

// Characters the parser keeps but reports, or that the XHTML may not hold; it turns a NUL
// into U+FFFD, so none of them is simple.
bool IsRefusedCodePoint(std::uint32_t cp) {
    if (cp < 0x20) return cp != '\t' && cp != '\n';  // CR is handled before this
    if (cp >= 0x7F && cp <= 0x9F) return true;       // DEL and the C1 controls
    if (cp >= 0xD800 && cp <= 0xDFFF) return true;   // surrogates
    if (cp >= 0xFDD0 && cp <= 0xFDEF) return true;   // noncharacters
    if ((cp & 0xFFFE) == 0xFFFE) return true;        // U+xFFFE and U+xFFFF
    return cp > 0x10FFFF;
}

// The length of the valid UTF-8 sequence at raw[i] (its first byte at least 0x80), or 0 for
// a malformed, overlong or refused one; the parser would make those U+FFFD.
std::size_t Utf8SequenceLength(std::string_view raw, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(raw[i + k]); };
    const unsigned char lead = byte(0);
    std::size_t length;
    std::uint32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > raw.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(k) & 0x3F);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || IsRefusedCodePoint(cp)) return 0;
    return length;
}

// A numeric reference "&#NNN;" or "&#xHH;" at raw[i] ('&'): its code point and length, or
// nothing. Without the ';', for NUL, C1 values (remapped to other characters), surrogates,
// noncharacters, controls and values past U+10FFFF the parser does not simply give the
// character, so they are refused.
std::optional<std::uint32_t> NumericReference(std::string_view raw, std::size_t& i) {
    std::size_t k = i + 2;
    const bool hex = k < raw.size() && (raw[k] == 'x' || raw[k] == 'X');
    if (hex) ++k;
    const std::size_t digitsStart = k;
    std::uint32_t cp = 0;
    for (; k < raw.size(); ++k) {
        const char c = raw[k];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        if (cp > 0x10FFFF) return std::nullopt;
    }
    if (k == digitsStart || k >= raw.size() || raw[k] != ';') return std::nullopt;
    if (cp == 0 || cp == '\r' || IsRefusedCodePoint(cp)) return std::nullopt;
    i = k + 1;
    return cp;
}

// The few named references a simple page may use, each with its ';'. Others (and every
// reference without ';') the parser resolves by prefix rules that are not worth repeating.
struct NamedReference {
    std::string_view name;  // after '&', with ';'
    std::string_view text;
};
constexpr NamedReference kNamedReferences[] = {
    {"amp;", "&"},   {"lt;", "<"},   {"gt;", ">"},
    {"quot;", "\""}, {"apos;", "'"}, {"nbsp;", "\xC2\xA0"},
};

// Resolves the reference at raw[i] ('&') into out; advances i and o, and clears
// `whitespaceOnly` unless the reference is a space, tab or line feed (the parser counts
// those as whitespace as if written). False when it is not one of the simple references.
bool ResolveReference(std::string_view raw, std::size_t& i, char* out, std::size_t& o,
                      bool& whitespaceOnly) {
    if (i + 1 < raw.size() && raw[i + 1] == '#') {
        const std::optional<std::uint32_t> cp = NumericReference(raw, i);
        if (!cp) return false;
        if (*cp != ' ' && *cp != '\t' && *cp != '\n') whitespaceOnly = false;
        o += WriteUtf8(*cp, out + o);
        return true;
    }
    whitespaceOnly = false;
    const std::string_view rest = raw.substr(i + 1);
    for (const NamedReference& ref : kNamedReferences) {
        if (rest.starts_with(ref.name)) {
            std::memcpy(out + o, ref.text.data(), ref.text.size());
            o += ref.text.size();
            i += 1 + ref.name.size();
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<DecodedRun> DecodeRun(std::string_view raw, References references, char* out) {
    DecodedRun run;
    std::size_t o = 0;
    std::size_t i = 0;
    const std::size_t n = raw.size();
    while (i < n) {
        const char c = raw[i];
        const auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && u < 0x7F && c != '&') {  // the common case: printable ASCII
            out[o++] = c;
            run.whitespaceOnly = false;
            ++i;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            out[o++] = c;
            ++i;
        } else if (c == '\r') {  // CR LF and a lone CR are both one LF
            out[o++] = '\n';
            i += (i + 1 < n && raw[i + 1] == '\n') ? 2 : 1;
        } else if (c == '&') {
            if (references == References::Keep) {
                out[o++] = c;
                run.whitespaceOnly = false;
                ++i;
            } else if (!ResolveReference(raw, i, out, o, run.whitespaceOnly)) {
                return std::nullopt;
            }
        } else if (u >= 0x80) {
            const std::size_t length = Utf8SequenceLength(raw, i);
            if (length == 0) return std::nullopt;
            std::memcpy(out + o, raw.data() + i, length);
            o += length;
            i += length;
            run.whitespaceOnly = false;
        } else {
            return std::nullopt;  // a control character or DEL
        }
    }
    run.length = o;
    return run;
}

}  // namespace quillery::epub
