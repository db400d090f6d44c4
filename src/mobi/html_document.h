#pragma once
// A tolerant reader for the HTML of book chapters: HTML 4 with unclosed p and li,
// upper-case tags, unquoted attributes, entities, comments and scripts, as well as XHTML.
// It builds a small element tree; text is stored decoded (entities resolved) as UTF-8.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillery::mobi {

struct HtmlDocument;

// Nodes keep no storage of their own for text and children: the text of every text node lies
// in one buffer of the document, and the children of every element in one list, so that a
// chapter of thousands of nodes is built with a handful of allocations.
struct HtmlNode {
    bool isText = false;
    std::string name;  // lower-case tag name, for elements
    std::vector<std::pair<std::string, std::string>>
        attributes;         // names lower-case, values decoded
    std::string_view text;  // for text nodes (in the document's text buffer)
    int parent = -1;

    // The attribute's value, or nullptr.
    const std::string* Attribute(std::string_view attributeName) const;

private:
    friend class HtmlTreeBuilder;
    friend struct HtmlDocument;
    std::size_t textStart = 0;  // where `text` lies in the document's buffer
    std::size_t textLength = 0;
    std::size_t childStart = 0;  // where the children lie in the document's child list
    std::size_t childCount = 0;
    int firstChild = -1;  // the sibling links, while the tree is built
    int lastChild = -1;
    int nextSibling = -1;
};

struct HtmlDocument {
    HtmlDocument() = default;
    // The nodes' text and children point into the document's own buffers: a copy would point
    // into the original's, so documents are moved, never copied.
    HtmlDocument(HtmlDocument&&) = default;
    HtmlDocument& operator=(HtmlDocument&&) = default;
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    std::vector<HtmlNode> nodes;               // nodes[0] is the document root
    int body = 0;                              // the <body> element, or the root when there is none
    std::vector<std::string> stylesheetLinks;  // hrefs of <link rel="stylesheet">
    std::vector<std::string> styleBlocks;      // contents of <style> elements

    const HtmlNode& node(int index) const { return nodes[static_cast<std::size_t>(index)]; }
    // The children of node `index`, in document order.
    std::span<const int> children(int index) const;

private:
    friend class HtmlTreeBuilder;
    // Held by pointer: the nodes' views stay valid when the document is moved.
    std::unique_ptr<std::string> textBuffer_ = std::make_unique<std::string>();
    std::vector<int> childList_;
};

HtmlDocument ParseHtml(std::string_view html);

// Decodes character references in text or an attribute value.
std::string DecodeCharacterReferences(std::string_view text);
// The same, appended to `out`.
void AppendDecodedCharacterReferences(std::string_view text, std::string& out);

// The text content of a subtree (for tests and for labels).
std::string TextContent(const HtmlDocument& document, int node);

}  // namespace quillery::mobi
