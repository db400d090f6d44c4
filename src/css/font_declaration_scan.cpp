// The one scan behind the font size rewrites (see font_declaration_scan.h).

#include "css/font_declaration_scan.h"

#include <algorithm>
#include <cstddef>

namespace quillery::css_detail {
namespace {

constexpr std::string_view kFont = "font";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// First occurrence of `what` starting in [from, last - what.size()], npos when none.
std::size_t FindIn(std::string_view text, std::string_view what, std::size_t from, std::size_t last,
                   bool ignoreCase) {
    last = std::min(last, text.size());
    if (what.empty() || from > last || last - from < what.size()) return std::string_view::npos;
    for (std::size_t p = from; p + what.size() <= last; ++p) {
        bool same = true;
        for (std::size_t i = 0; i < what.size() && same; ++i) {
            char a = text[p + i];
            char b = what[i];
            same = ignoreCase ? LowerAscii(a) == LowerAscii(b) : a == b;
        }
        if (same) return p;
    }
    return std::string_view::npos;
}

// End of the declaration that starts at `from`: the first ";" or "}" after it, else the
// end of the text.
std::size_t DeclarationEnd(std::string_view css, std::size_t from) {
    std::size_t end = css.find_first_of(";}", from);
    return end == std::string_view::npos ? css.size() : end;
}

}  // namespace

std::string RewriteFontSizes(std::string_view css, const FontSizeRewrite& rule) {
    std::string out;
    out.reserve(css.size() + css.size() / 8);
    std::size_t copied = 0;  // input before this offset is already in `out`
    std::size_t pos = FindIn(css, kFont, 0, css.size(), rule.ignoreCase);
    while (pos != std::string_view::npos) {
        const std::size_t end = DeclarationEnd(css, pos);
        const std::size_t unit = FindIn(css, rule.unit, pos, end, rule.ignoreCase);
        std::size_t resumeAt = pos;  // the next "font" is searched four bytes past this
        if (unit != std::string_view::npos) {
            std::size_t start = unit;
            while (start > pos && rule.numberChars.find(css[start - 1]) != std::string_view::npos)
                --start;
            resumeAt = start;
            if (start < unit && start >= copied) {
                const std::string_view number = css.substr(start, unit - start);
                std::optional<std::string> replacement =
                    rule.replace(number, css.substr(pos, end - pos));
                if (replacement) {
                    out.append(css.substr(copied, start - copied));
                    out.append(*replacement);
                    copied = rule.keepUnit ? unit : unit + rule.unit.size();
                }
            }
        }
        pos = FindIn(css, kFont, resumeAt + kFont.size(), css.size(), rule.ignoreCase);
    }
    out.append(css.substr(copied));
    return out;
}

}  // namespace quillery::css_detail
