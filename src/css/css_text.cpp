// Small CSS text functions shared by the Word HTML cleaner and the stylesheet extraction (see
// css_text.h).

#include "css/css_text.h"

#include <array>

#include "text/regex.h"
#include "text/strings.h"

namespace quillery {

void UnquoteGenericFamilies(std::string& css) {
    // "monospace" before "mono" and "sans-serif" before "serif" only for clarity: the quotes
    // around each word make every replacement independent of the others.
    constexpr std::array<std::string_view, 4> kGenericFamilies = {"sans-serif", "monospace", "mono",
                                                                  "serif"};
    for (std::string_view family : kGenericFamilies) {
        std::string quoted(1, '"');
        quoted.append(family).push_back('"');
        if (css.find(quoted) != std::string::npos) css = ReplaceAll(css, quoted, family);
    }
}

std::string DeclarationBlock(std::string_view selector, std::string_view css) {
    const std::size_t at = css.find(selector);
    if (selector.empty() || at == std::string_view::npos) return {};
    const std::size_t open = css.find('{', at);
    if (open == std::string_view::npos) return {};
    const std::size_t close = css.find('}', open);
    if (close == std::string_view::npos) return {};
    return std::string(css.substr(open + 1, close - open - 1));
}

void MarginShorthand(std::string& text) {
    // The first three values stop at a brace, a quote or a tag bracket, so that a
    // margin-top ending one rule (or style attribute) is never merged with the longhands of
    // the next one. The last value may run past the closing brace up to the next ";": that
    // text is written back unchanged after the shorthand.
    RegexReplace(text,
                 "margin\\-top:([^;{}'\"<>]+);\\s*margin\\-right:([^;{}'\"<>]+);"
                 "\\s*margin\\-bottom:([^;{}'\"<>]+);\\s*margin\\-left:([^;]+);",
                 "margin:$1 $2 $3 $4;");
}

}  // namespace quillery
