#pragma once
// A tolerant reader for the HTML of book chapters: HTML 4 with unclosed p and li,
// upper-case tags, unquoted attributes, entities, comments and scripts, as well as XHTML.
// It builds a small element tree; text is stored decoded (entities resolved) as UTF-8.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillery::mobi {

struct HtmlNode {
    bool isText = false;
    std::string name;  // lower-case tag name, for elements
    std::vector<std::pair<std::string, std::string>>
        attributes;    // names lower-case, values decoded
    std::string text;  // for text nodes
    std::vector<int> children;
    int parent = -1;

    // The attribute's value, or nullptr.
    const std::string* Attribute(std::string_view attributeName) const;
};

struct HtmlDocument {
    std::vector<HtmlNode> nodes;               // nodes[0] is the document root
    int body = 0;                              // the <body> element, or the root when there is none
    std::vector<std::string> stylesheetLinks;  // hrefs of <link rel="stylesheet">
    std::vector<std::string> styleBlocks;      // contents of <style> elements

    const HtmlNode& node(int index) const { return nodes[static_cast<std::size_t>(index)]; }
};

HtmlDocument ParseHtml(std::string_view html);

// Decodes character references in text or an attribute value.
std::string DecodeCharacterReferences(std::string_view text);

// The text content of a subtree (for tests and for labels).
std::string TextContent(const HtmlDocument& document, int node);

}  // namespace quillery::mobi
