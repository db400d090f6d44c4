// Font-family classification (see font_classification.h).

#include "css/font_classification.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "text/regex.h"
#include "text/strings.h"

namespace quillery {
namespace {

constexpr std::string_view kFontFamilyPattern = "font-family:[^\\}\\;]+";
constexpr std::size_t kFontFamilyPrefixLength = 12;  // "font-family:"

constexpr std::array<std::string_view, 8> kSansSerifFonts = {
    "verdana", "arial", "lucida", "tribuchet", "tahoma", "helvetica", "futura", "gill sans"};

bool Contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

// The generic family to fall back on for a font-family value; empty when the value already
// names a serif or sans-serif family.
std::string_view FallbackFamily(std::string_view value) {
    const std::string lower = LowerAscii(value);
    if (Contains(lower, "serif")) return {};
    if (Contains(lower, "courier")) return "monospace";
    for (std::string_view font : kSansSerifFonts)
        if (Contains(lower, font)) return "sans-serif";
    return "serif";
}

}  // namespace

void ClassifyFontFamilies(std::string& css) {
    // Collect the insertions first (offset just after the value, family), then build the
    // text once; offsets refer to the original text.
    std::vector<std::pair<std::size_t, std::string_view>> insertions;
    TLxRegEx& engine = SharedRegex();
    engine.SetPattern(kFontFamilyPattern);
    engine.SetSubject(css);
    while (engine.MatchNext()) {
        const std::string match = engine.MatchedText();
        std::string_view family =
            FallbackFamily(std::string_view(match).substr(kFontFamilyPrefixLength));
        if (!family.empty())
            insertions.emplace_back(static_cast<std::size_t>(engine.MatchEnd() - 1), family);
    }
    if (insertions.empty()) return;

    std::string out;
    out.reserve(css.size() + insertions.size() * 12);
    std::size_t copied = 0;
    for (const auto& [at, family] : insertions) {
        out.append(css, copied, at - copied);
        out.append(",");
        out.append(family);
        copied = at;
    }
    out.append(css, copied, std::string::npos);
    css = std::move(out);
}

}  // namespace quillery
