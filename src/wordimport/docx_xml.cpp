// Small helpers over pugixml for WordprocessingML (see docx_xml.h).

#include "wordimport/docx_xml.h"

#include <charconv>
#include <cstring>

#include "wordimport/docx_archive.h"

namespace quillery::docx {

std::string_view LocalName(const char* qualifiedName) {
    const std::string_view name(qualifiedName);
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node Child(const pugi::xml_node& node, std::string_view localName) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && Is(child, localName)) return child;
    return {};
}

pugi::xml_node Descendant(const pugi::xml_node& node, std::string_view localName) {
    // pugixml walks the subtree without recursion, so deep nesting cannot exhaust the stack.
    return node.find_node([localName](const pugi::xml_node& candidate) {
        return candidate.type() == pugi::node_element && Is(candidate, localName);
    });
}

std::string Attr(const pugi::xml_node& node, std::string_view localName) {
    for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute())
        if (LocalName(attr.name()) == localName) return attr.value();
    return {};
}

bool HasAttr(const pugi::xml_node& node, std::string_view localName) {
    for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute())
        if (LocalName(attr.name()) == localName) return true;
    return false;
}

std::string ChildVal(const pugi::xml_node& node, std::string_view childName) {
    return Attr(Child(node, childName), "val");
}

bool Toggle(const pugi::xml_node& properties, std::string_view childName) {
    const pugi::xml_node property = Child(properties, childName);
    if (!property) return false;
    const std::string value = Attr(property, "val");
    return value != "0" && value != "false" && value != "off" && value != "none";
}

long long IntAttr(const pugi::xml_node& node, std::string_view localName, long long fallback) {
    const std::string text = Attr(node, localName);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc()) return fallback;
    (void)end;
    return value;
}

void ParsePart(pugi::xml_document& doc, const std::string& xml, const std::string& partName) {
    const pugi::xml_parse_result result =
        doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result)
        throw DocxError("This Word document is damaged: its part " + partName +
                        " is not well-formed XML.");
}

}  // namespace quillery::docx
