// Small text operations shared by the package writers (see package_text.h).

#include "package/package_text.h"

#include "text/paths.h"
#include "text/strings.h"
#include "text/utf8.h"

namespace quillery::package_text {

void InsertBefore(std::string& text, std::string_view marker, std::string_view block) {
    const std::size_t at = text.find(marker);
    text.insert(at == std::string::npos ? 0 : at, block);
}

std::string HrefValue(std::string_view path) {
    // Bytes that cannot stand in a URI reference are percent-encoded ("04 The Harbour.htm"
    // becomes "04%20The%20Harbour.htm"); "&" is then escaped for XML. Letters, digits, "/",
    // "." and UTF-8 bytes stay as they are, so ordinary names come out unchanged.
    static constexpr std::string_view kUnsafe = " \"#%<>\\^`{|}";
    static constexpr char kHex[] = "0123456789ABCDEF";
    // A name whose bytes are not UTF-8 (written on an older system) has its high bytes
    // encoded too: the package document stays valid UTF-8 and still names the file's bytes.
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
    return ReplaceAll(encoded, "&", "&amp;");
}

}  // namespace quillery::package_text
