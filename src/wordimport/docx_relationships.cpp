// The relationships of a package part (word/_rels/*.rels): relationship id to target part or
// external address.
#include <algorithm>
#include <vector>

#include "wordimport/docx_body_writer.h"
#include "wordimport/docx_xml.h"

namespace quillery::docx {

std::string ResolvePartName(const std::string& baseFolder, const std::string& target) {
    const std::string joined = target.starts_with('/') ? target.substr(1) : baseFolder + target;
    std::vector<std::string> segments;
    std::size_t from = 0;
    while (from <= joined.size()) {
        const std::size_t slash = std::min(joined.find('/', from), joined.size());
        const std::string segment = joined.substr(from, slash - from);
        if (segment == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        from = slash + 1;
    }
    std::string out;
    for (const std::string& segment : segments) out += (out.empty() ? "" : "/") + segment;
    return out;
}

Relationships ReadRelationships(const std::string& relsXml, const std::string& baseFolder) {
    Relationships rels;
    if (relsXml.empty()) return rels;
    pugi::xml_document doc;
    ParsePart(doc, relsXml, "a relationships part");
    for (pugi::xml_node rel = doc.document_element().first_child(); rel; rel = rel.next_sibling()) {
        if (!Is(rel, "Relationship")) continue;
        Relationship entry;
        entry.external = Attr(rel, "TargetMode") == "External";
        const std::string target = Attr(rel, "Target");
        entry.target = entry.external ? target : ResolvePartName(baseFolder, target);
        rels[Attr(rel, "Id")] = std::move(entry);
    }
    return rels;
}

}  // namespace quillery::docx
