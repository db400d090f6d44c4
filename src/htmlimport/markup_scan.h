#pragma once
// A flat scan of the markup of a page for the element removal: tags, plus the spans that must
// never be read as markup (comments, CDATA sections, whole script and style elements).
// Internal to the HTML import.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillery::markup {

enum class ItemKind {
    Opaque,      // a comment or CDATA section: never touched
    RawElement,  // a whole script or style element (or a self-closed script)
    StartTag,
    EndTag,
};

struct Item {
    ItemKind kind;
    std::size_t begin;  // 0-based offsets into the page: [begin, end)
    std::size_t end;
    std::string name;  // lower-case tag name; empty for Opaque
    bool selfClosing = false;
};

std::vector<Item> Scan(std::string_view html);

// One attribute of a tag: [begin, end) covers the white space before it and its value.
struct Attribute {
    std::size_t begin;
    std::size_t end;
    std::string name;  // lower case
};

std::vector<Attribute> Attributes(std::string_view tag);
bool HasAttribute(std::string_view tag, std::string_view lowerName);

// An edit of the page: [begin, end) replaced by replacement.
struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string replacement;
};

// Applies the edits; an edit that starts inside an earlier (wider) one is dropped with it.
std::string ApplyEdits(std::string_view html, std::vector<Edit> edits);

}  // namespace quillery::markup
