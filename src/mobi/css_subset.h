#pragma once
// The part of CSS that the KF7 renderer can show, read from stylesheets and style
// attributes: bold, italic, underline, strike-through, alignment, text indent, top
// margin, relative font size, raised and lowered text and page breaks before and after an
// element.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "mobi/html_document.h"

namespace quillery::mobi {

struct MarkupStyle {
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<bool> strike;
    std::optional<std::string> align;  // "left", "right", "center", "justify"
    std::optional<double> textIndentEm;
    std::optional<double> marginTopEm;
    std::optional<int> fontSize;               // HTML font size 1..7, 3 being normal
    std::optional<std::string> verticalAlign;  // "super", "sub" or "baseline"
    bool pageBreakBefore = false;
    bool pageBreakAfter = false;

    // Applies one declaration ("font-weight", "bold"); unknown properties are ignored.
    void Apply(std::string_view property, std::string_view value);
};

// Simple selectors (type, class, id, universal), joined by descendant or child combinators.
// Selectors with attributes or pseudo-classes are not understood and their rules are skipped.
// Rules are filed by the id, first class or tag of their rightmost part, so that an element is
// only tried against the rules that can match it, however many rules the book has.
class StyleSheet {
public:
    void Add(std::string_view css);
    // The style of the element `node`: matching rules by specificity and order, then its style
    // attribute.
    MarkupStyle StyleFor(const HtmlDocument& document, int node) const;

private:
    struct Compound {
        std::string tag;  // empty for any
        std::string id;
        std::vector<std::string> classes;
        char combinator = ' ';  // how it relates to the compound on its left: ' ' or '>'
    };
    struct Rule {
        std::vector<Compound> selector;
        int specificity = 0;
        std::size_t order = 0;
        std::vector<std::pair<std::string, std::string>> declarations;
    };
    static bool Matches(const HtmlDocument& document, int node, const Compound& compound);
    static bool MatchesSelector(const HtmlDocument& document, int node,
                                const std::vector<Compound>& selector);
    void File(std::size_t ruleIndex);
    std::vector<Rule> rules_;
    // Indexes into rules_, by the key of the selector's rightmost part.
    std::unordered_map<std::string, std::vector<std::size_t>> byId_;
    std::unordered_map<std::string, std::vector<std::size_t>> byClass_;
    std::unordered_map<std::string, std::vector<std::size_t>> byTag_;
    std::vector<std::size_t> universal_;
};

// "a: b; c: d" as (property, value) pairs, property lower-case, "!important" dropped.
std::vector<std::pair<std::string, std::string>> ParseDeclarations(std::string_view block);

}  // namespace quillery::mobi
