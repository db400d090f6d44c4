// The table of contents of toc.ncx as the entries of the book's NCX index (see book_toc.h).

#include "mobi/book_toc.h"

#include <cstring>
#include <pugixml.hpp>

#include "mobi/package_paths.h"
#include "mobi/readable_text.h"
#include "mobi/text_encoding.h"
#include "mobi/toc_links.h"
#include "mobi/xml_names.h"
#include "text/paths.h"

namespace quillery::mobi {
namespace {

pugi::xml_node Child(const pugi::xml_node& parent, const char* local) {
    for (auto child : parent.children()) {
        if (child.type() == pugi::node_element && std::strcmp(LocalName(child.name()), local) == 0)
            return child;
    }
    return {};
}

std::string CollapseSpaces(const std::string& text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

void ReadPoints(const pugi::xml_node& parent, const std::string& ncxFolder,
                std::vector<NavPoint>& out, int depth) {
    for (auto node : parent.children()) {
        if (node.type() != pugi::node_element ||
            std::strcmp(LocalName(node.name()), "navPoint") != 0)
            continue;
        NavPoint point;
        point.label = CollapseSpaces(Child(Child(node, "navLabel"), "text").child_value());
        const auto parts = DecodedHref(Child(node, "content").attribute("src").value());
        if (auto path = ResolveInPackage(ncxFolder, parts.path))
            point.target = parts.fragment.empty() ? *path : *path + "#" + parts.fragment;
        if (depth < 32) ReadPoints(node, ncxFolder, point.children, depth + 1);
        out.push_back(std::move(point));
    }
}

}  // namespace

std::vector<NavPoint> ParseNcx(const std::string& xml, const std::string& ncxPath,
                               Diagnostics& diagnostics) {
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
        diagnostics.Warning("the table of contents \"" + ncxPath +
                            "\" is not well-formed XML; the book has no NCX index");
        return {};
    }
    std::vector<NavPoint> points;
    ReadPoints(Child(document.document_element(), "navMap"), FolderOf(ncxPath), points, 0);
    return points;
}

namespace {

// The navPoints in reading order with their depth; entries whose target is not in the
// text are dropped with their children.
void Flatten(const std::vector<NavPoint>& points, int level, const Kf7Text& text,
             Diagnostics& diagnostics, std::vector<TocItem>& items) {
    for (const auto& point : points) {
        std::string key = point.target;
        if (!text.HasAnchor(key)) {
            const std::string chapter = SplitHref(key).path;
            if (!text.HasAnchor(chapter)) {
                diagnostics.Warning("table of contents entry \"" + point.label + "\" leads to \"" +
                                    point.target + "\", which is not in the book; it is left out");
                continue;
            }
            diagnostics.Warning("table of contents entry \"" + point.label + "\" leads to \"" +
                                point.target +
                                "\", which does not exist; it leads to the start of its chapter");
            key = chapter;
        }
        TocItem item;
        item.label = text.western() ? Utf8ToCp1252Label(point.label) : point.label;
        item.offset = text.AnchorPosition(key);
        item.level = level;
        items.push_back(std::move(item));
        Flatten(point.children, level + 1, text, diagnostics, items);
    }
}

}  // namespace

std::vector<TocEntry> BuildTocEntries(const std::vector<NavPoint>& points, const Kf7Text& text,
                                      Diagnostics& diagnostics) {
    std::vector<TocItem> items;
    Flatten(points, 0, text, diagnostics, items);
    return LinkTocEntries(items, text.Position());
}

}  // namespace quillery::mobi
