// Decoding "%XX" sequences (see percent_decoding.h).

#include "text/percent_decoding.h"

#include "text/utf8.h"

namespace quillery {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string PercentEncodePath(std::string_view path) {
    static constexpr std::string_view kUnsafe = " \"#%<>?[\\]^`{|}";
    static constexpr char kHex[] = "0123456789ABCDEF";
    // A name whose bytes are not UTF-8 (written on an older system) has its high bytes
    // encoded too: the text stays valid UTF-8 and still names the file's bytes.
    const bool encodeHighBytes = !IsValidUtf8(path);
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (encodeHighBytes && byte >= 0x80) ||
            kUnsafe.find(c) != std::string_view::npos) {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

}  // namespace quillery
