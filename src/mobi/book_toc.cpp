#include "mobi/book_toc.h"

#include <pugixml.hpp>

#include <cstring>
#include <deque>

#include "mobi/package_paths.h"
#include "mobi/text_encoding.h"

namespace quillery::mobi {
namespace {

const char* LocalName(const pugi::xml_node& node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

pugi::xml_node Child(const pugi::xml_node& parent, const char* local) {
    for (auto child : parent.children()) {
        if (child.type() == pugi::node_element && std::strcmp(LocalName(child), local) == 0) return child;
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

void ReadPoints(const pugi::xml_node& parent, const std::string& ncxFolder, std::vector<NavPoint>& out, int depth) {
    for (auto node : parent.children()) {
        if (node.type() != pugi::node_element || std::strcmp(LocalName(node), "navPoint") != 0) continue;
        NavPoint point;
        point.label = CollapseSpaces(Child(Child(node, "navLabel"), "text").child_value());
        const auto parts = SplitHref(PercentDecode(Child(node, "content").attribute("src").value()));
        if (auto path = ResolveInPackage(ncxFolder, parts.path))
            point.target = parts.fragment.empty() ? *path : *path + "#" + parts.fragment;
        if (depth < 32) ReadPoints(node, ncxFolder, point.children, depth + 1);
        out.push_back(std::move(point));
    }
}

struct Placed {
    const NavPoint* point;
    int level;
    int parent;
};

}  // namespace

std::vector<NavPoint> ParseNcx(const std::string& xml, const std::string& ncxPath, Diagnostics& diagnostics) {
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
        diagnostics.Warning("the table of contents \"" + ncxPath + "\" is not well-formed XML; the book has no NCX index");
        return {};
    }
    std::vector<NavPoint> points;
    ReadPoints(Child(document.document_element(), "navMap"), FolderOf(ncxPath), points, 0);
    return points;
}

std::vector<TocEntry> BuildTocEntries(const std::vector<NavPoint>& points, const Kf7Text& text, Diagnostics& diagnostics) {
    // Level by level: a breadth-first walk keeps every entry's children together.
    std::vector<TocEntry> entries;
    std::vector<std::uint32_t> documentOrder;  // positions in reading order, for the lengths
    std::deque<std::pair<const std::vector<NavPoint>*, std::pair<int, int>>> queue;  // children, (parent, level)
    queue.push_back({&points, {-1, 0}});
    while (!queue.empty()) {
        const auto [children, where] = queue.front();
        queue.pop_front();
        const auto [parent, level] = where;
        int first = -1;
        int last = -1;
        for (const auto& point : *children) {
            std::string key = point.target;
            if (!text.HasAnchor(key)) {
                const std::string chapter = SplitHref(key).path;
                if (!text.HasAnchor(chapter)) {
                    diagnostics.Warning("table of contents entry \"" + point.label + "\" leads to \"" + point.target +
                                        "\", which is not in the book; it is left out");
                    continue;
                }
                diagnostics.Warning("table of contents entry \"" + point.label + "\" leads to \"" + point.target +
                                    "\", which does not exist; it leads to the start of its chapter");
                key = chapter;
            }
            TocEntry entry;
            entry.label = text.western() ? Utf8ToCp1252(point.label) : point.label;
            entry.offset = text.AnchorPosition(key);
            entry.level = level;
            entry.parent = parent;
            const int index = static_cast<int>(entries.size());
            entries.push_back(std::move(entry));
            if (first < 0) first = index;
            last = index;
            if (!point.children.empty()) queue.push_back({&point.children, {index, level + 1}});
        }
        if (parent >= 0 && first >= 0) {
            entries[static_cast<std::size_t>(parent)].firstChild = first;
            entries[static_cast<std::size_t>(parent)].lastChild = last;
        }
    }
    // An entry spans up to the next entry that starts at or after it and is not one of its
    // descendants: the next position in the text among entries of its level or above.
    const auto textSize = static_cast<std::uint32_t>(text.bytes().size());
    for (auto& entry : entries) {
        std::uint32_t end = textSize;
        for (const auto& other : entries) {
            if (&other == &entry || other.level > entry.level) continue;
            if (other.offset > entry.offset && other.offset < end) end = other.offset;
        }
        entry.length = end > entry.offset ? end - entry.offset : 0;
    }
    return entries;
}

}  // namespace quillery::mobi
