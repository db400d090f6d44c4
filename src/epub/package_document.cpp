// The ePub 3 package document (see package_document.h).

#include "epub/package_document.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

#include "text/strings.h"

namespace quillery::epub {

namespace {

void Element(std::string& out, const char* name, const std::string& value, const char* attrs = "") {
    if (value.empty()) return;  // an empty Dublin Core element is not allowed
    out +=
        std::string("    <") + name + attrs + ">" + EscapeXmlAttribute(value) + "</" + name + ">\n";
}

// 64-bit FNV-1a of text, from a given basis.
std::uint64_t Fnv1a(std::string_view text, std::uint64_t hash) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}  // namespace

std::string IdentifierUrn(const std::string& identifier, const std::string& title,
                          const std::string& creator) {
    std::string lower;
    for (const char c : identifier)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.starts_with("urn:") && identifier.size() > 4) return identifier;
    std::string digits;
    for (const char c : identifier) {
        if (std::isdigit(static_cast<unsigned char>(c)) || c == 'X' || c == 'x')
            digits += c;
        else if (c != '-' && c != ' ') {
            digits.clear();
            break;
        }
    }
    if (lower.starts_with("isbn")) {
        digits.clear();
        for (const char c : identifier.substr(4))
            if (std::isdigit(static_cast<unsigned char>(c)) || c == 'X') digits += c;
    }
    if (digits.size() == 10 ||
        (digits.size() == 13 && digits.find_first_of("Xx") == std::string::npos))
        return "urn:isbn:" + digits;
    // A name-based UUID (version 8, the layout for custom hashes) of the book's names.
    const std::string name = identifier + '\x1f' + title + '\x1f' + creator;
    const std::uint64_t high = Fnv1a(name, 0xcbf29ce484222325ULL);
    const std::uint64_t low = Fnv1a(name, high ^ 0x9e3779b97f4a7c15ULL);
    unsigned char b[16];
    for (int i = 0; i < 8; ++i) {
        b[i] = static_cast<unsigned char>(high >> (56 - 8 * i));
        b[8 + i] = static_cast<unsigned char>(low >> (56 - 8 * i));
    }
    b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x80);
    b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);
    char text[37];
    std::snprintf(text, sizeof text,
                  "%02x%02x%02x%02x-%02x%02x-%02x%02x-%02x%02x-%02x%02x%02x%02x%02x%02x", b[0],
                  b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return std::string("urn:uuid:") + text;
}

std::string PackageDocumentText(const PackageDocumentInput& in) {
    const EpubMetadata& m = in.metadata;
    std::string out;
    out.reserve(4096 + in.manifest.size() * 120);
    out += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    out +=
        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
        "unique-identifier=\"BookId\" xml:lang=\"" +
        EscapeXmlAttribute(m.language) + "\">\n";
    out += "  <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n";
    Element(out, "dc:identifier", m.identifier, " id=\"BookId\"");
    Element(out, "dc:title", m.title);
    if (!m.creator.empty()) {
        Element(out, "dc:creator", m.creator, " id=\"creator\"");
        out +=
            "    <meta refines=\"#creator\" property=\"role\" "
            "scheme=\"marc:relators\">aut</meta>\n";
    }
    Element(out, "dc:language", m.language);
    Element(out, "dc:date", m.date);
    Element(out, "dc:publisher", m.publisher);
    Element(out, "dc:subject", m.subject);
    Element(out, "dc:description", m.description);
    out += "    <meta property=\"dcterms:modified\">" + m.modified + "</meta>\n";
    // Readers of the older format find the cover through this meta.
    if (!in.coverId.empty())
        out += "    <meta name=\"cover\" content=\"" + EscapeXmlAttribute(in.coverId) + "\"/>\n";
    out += "  </metadata>\n  <manifest>\n";
    for (const ManifestEntry& item : in.manifest) {
        out += "    <item id=\"" + EscapeXmlAttribute(item.id) + "\" href=\"" +
               EscapeXmlAttribute(item.href) + "\" media-type=\"" + item.mediaType + "\"";
        if (!item.properties.empty()) out += " properties=\"" + item.properties + "\"";
        out += "/>\n";
    }
    out += "  </manifest>\n  <spine";
    if (!in.ncxId.empty()) out += " toc=\"" + EscapeXmlAttribute(in.ncxId) + "\"";
    out += ">\n";
    for (const std::string& id : in.spine)
        out += "    <itemref idref=\"" + EscapeXmlAttribute(id) + "\"/>\n";
    out += "  </spine>\n</package>\n";
    return out;
}

}  // namespace quillery::epub
