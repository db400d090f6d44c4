// Fuzzes the stylesheet subset: the input is a stylesheet, matched against every element of a
// small chapter, and a style attribute.
#include <cstdint>
#include <string>

#include "mobi/css_subset.h"
#include "mobi/html_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillery::mobi;
    static const HtmlDocument document = ParseHtml(
        "<body class='a b'><div id=main class=c><p class='c d c'>x<span id=s class=e>y</span>"
        "</p><h1>T</h1><ul><li><p>z</p></li></ul></div><p style='font-size: 150%'>w</p></body>");
    const std::string_view css(reinterpret_cast<const char*>(data), size);
    StyleSheet sheet;
    sheet.Add(css);
    for (int node = 0; node < static_cast<int>(document.nodes.size()); ++node) {
        if (!document.node(node).isText) sheet.StyleFor(document, node);
    }
    MarkupStyle style;
    for (const auto& [property, value] : ParseDeclarations(css)) style.Apply(property, value);
    return 0;
}
