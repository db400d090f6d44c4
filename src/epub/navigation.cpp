// The NCX and the navigation document of the ePub (see navigation.h).

#include "epub/navigation.h"

#include <pugixml.hpp>
#include <sstream>
#include <stdexcept>

#include "text/strings.h"

namespace quillery::epub {

namespace {

std::string Collapsed(std::string_view text) {
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// The navigation points under parent as a nested ordered list.
void AppendNavList(pugi::xml_node parent, std::string& out, int depth) {
    bool any = false;
    for (pugi::xml_node point : parent.children("navPoint")) {
        if (!any) out += std::string(depth * 2, ' ') + "<ol>\n";
        any = true;
        std::string label = Collapsed(point.child("navLabel").child("text").child_value());
        if (label.empty()) label.push_back('-');
        const std::string src = point.child("content").attribute("src").value();
        out.append(static_cast<std::size_t>(depth * 2 + 2), ' ');
        out.append("<li><a href=\"").append(EscapeXmlAttribute(src)).append("\">");
        out.append(EscapeXmlAttribute(label)).append("</a>");
        if (point.child("navPoint")) {
            out += "\n";
            AppendNavList(point, out, depth + 2);
            out += std::string(depth * 2 + 2, ' ');
        }
        out += "</li>\n";
    }
    if (any) out += std::string(depth * 2, ' ') + "</ol>\n";
}

}  // namespace

Navigation BuildNavigation(const NavigationInput& input, const PackageNames& names) {
    pugi::xml_document ncx;
    const pugi::xml_parse_result parsed = ncx.load_buffer(
        input.ncxText.data(), input.ncxText.size(), pugi::parse_default | pugi::parse_declaration);
    if (!parsed)
        throw std::runtime_error(std::string("Cannot read toc.ncx: ") + parsed.description());
    // The document type declaration goes: an ePub 3 NCX must not name the external DTD.
    pugi::xml_node root = ncx.child("ncx");
    for (pugi::xml_node meta : root.child("head").children("meta")) {
        if (std::string_view(meta.attribute("name").value()) == "dtb:uid")
            meta.attribute("content").set_value(input.identifier.c_str());
    }
    // Links follow the files' names in the ePub, relative to the NCX and to the nav document.
    Navigation navigation;
    std::string list;
    for (const pugi::xpath_node& found : root.select_nodes(".//*[local-name()='content']")) {
        pugi::xml_attribute src = found.node().attribute("src");
        const std::string url = names.RewriteUrl(src.value(), input.ncxPath);
        if (!url.empty()) src.set_value(url.c_str());
    }
    std::ostringstream ncxOut;
    ncx.save(ncxOut, "\t", pugi::format_default, pugi::encoding_utf8);
    navigation.ncx = ncxOut.str();

    // The nav document sits beside the NCX, so the rewritten links hold for it too.
    AppendNavList(root.child("navMap"), list, 2);
    if (list.empty())
        list = "    <ol>\n      <li><a href=\"#toc\">" + EscapeXmlAttribute(input.title) +
               "</a></li>\n    </ol>\n";
    navigation.nav =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html>\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\""
        " lang=\"" +
        EscapeXmlAttribute(input.language) + "\" xml:lang=\"" + EscapeXmlAttribute(input.language) +
        "\">\n<head>\n<title>" + EscapeXmlAttribute(input.title) +
        "</title>\n</head>\n<body>\n  <nav epub:type=\"toc\" id=\"toc\">\n    <h1>" +
        EscapeXmlAttribute(input.tocTitle) + "</h1>\n" + list + "  </nav>\n</body>\n</html>\n";
    return navigation;
}

}  // namespace quillery::epub
