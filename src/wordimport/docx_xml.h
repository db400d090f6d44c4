#pragma once
// Small helpers over pugixml for WordprocessingML: elements and attributes are matched by
// their local name, whatever namespace prefix the writing program chose. Internal to the
// converter.

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace quillery::docx {

std::string_view LocalName(const char* qualifiedName);
inline std::string_view LocalName(const pugi::xml_node& node) { return LocalName(node.name()); }
inline bool Is(const pugi::xml_node& node, std::string_view localName) {
    return LocalName(node) == localName;
}

// The first child element with this local name (an empty node when none).
pugi::xml_node Child(const pugi::xml_node& node, std::string_view localName);
// The first descendant element with this local name, depth first.
pugi::xml_node Descendant(const pugi::xml_node& node, std::string_view localName);
// The attribute value with this local name ("" when absent).
std::string Attr(const pugi::xml_node& node, std::string_view localName);
bool HasAttr(const pugi::xml_node& node, std::string_view localName);
// The "val" attribute of the child element (e.g. Val(pPr, "pStyle")).
std::string ChildVal(const pugi::xml_node& node, std::string_view childName);
// A toggle property (w:b, w:i, ...): present and not "0"/"false"/"off".
bool Toggle(const pugi::xml_node& properties, std::string_view childName);
// The integer value of an attribute; fallback when absent or not a number.
long long IntAttr(const pugi::xml_node& node, std::string_view localName, long long fallback);

// Parses xml into doc; throws DocxError naming the part when it is not well-formed.
void ParsePart(pugi::xml_document& doc, const std::string& xml, const std::string& partName);

}  // namespace quillery::docx
