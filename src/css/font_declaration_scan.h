#pragma once
// The one scan behind the font size rewrites: walks the "font" declarations of a stylesheet
// text, finds the first size with a given unit in each and lets a rule compute its
// replacement. The em conversion, the pixel-to-point conversion and the point doubling are
// three parameter sets of this scan.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillery::css_detail {

struct FontSizeRewrite {
    std::string_view unit;         // "pt" or "px"
    bool ignoreCase = false;       // letter case of "font" and of the unit
    std::string_view numberChars;  // the characters a size is made of
    bool keepUnit = false;         // the unit stays after the replacement
    // Computes the replacement of the size text `number` (without its unit) standing in
    // `declaration` (from "font" to the end of the declaration); nullopt leaves the size and
    // its unit as they are. May throw to stop the whole rewrite.
    std::function<std::optional<std::string>(std::string_view number, std::string_view declaration)>
        replace;
};

// The text with the first `unit` size of every font declaration rewritten by the rule.
// A declaration runs from "font" to the first ";" or "}" after it, or to the end of the
// text. Text outside font declarations is copied unchanged.
std::string RewriteFontSizes(std::string_view css, const FontSizeRewrite& rule);

}  // namespace quillery::css_detail
