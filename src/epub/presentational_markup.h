#pragma once
// The presentational HTML that XHTML content documents no longer allow (`<center>`,
// `<font>`, `align`, `bgcolor`, table widths, ...) rewritten as the equivalent elements and
// CSS, so a page keeps its look and still validates.

#include <string>
#include <utility>
#include <vector>

namespace quillery::epub {

using Attributes = std::vector<std::pair<std::string, std::string>>;

// An element as it will be written: its name and its attributes in order.
struct ElementMarkup {
    std::string name;
    Attributes attributes;
};

// Rewrites element in place: renames an obsolete element and moves obsolete attributes into
// its style attribute (appended to any style it had). Attributes without a modern meaning
// that no reader honours (cellpadding, summary, language, ...) are dropped.
void ModernisePresentation(ElementMarkup& element);

// The attribute's value, or nullptr when the element has none of that name.
const std::string* FindAttribute(const Attributes& attributes, const std::string& name);
void SetAttribute(Attributes& attributes, const std::string& name, std::string value);
void RemoveAttribute(Attributes& attributes, const std::string& name);

}  // namespace quillery::epub
