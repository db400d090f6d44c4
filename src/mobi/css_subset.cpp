// The part of CSS that the KF7 renderer can show, read from stylesheets and style attributes (see
// css_subset.h).

#include "mobi/css_subset.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace quillery::mobi {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::string StripComments(std::string_view css) {
    std::string out;
    out.reserve(css.size());
    std::size_t i = 0;
    while (i < css.size()) {
        if (css.compare(i, 2, "/*") == 0) {
            const auto end = css.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 2;
            out += ' ';
        } else {
            out += css[i++];
        }
    }
    return out;
}

// A length in em: "1.5em", "2%"(of the font), "12pt", "16px", "0". nullopt when not a length.
std::optional<double> LengthInEm(std::string_view value) {
    value = Trim(value);
    if (value.empty()) return std::nullopt;
    const std::string text(value);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return std::nullopt;
    if (!(number > -1e6 && number < 1e6))
        return std::nullopt;  // nothing sensible, and no overflow below
    const std::string unit = Lower(Trim(std::string_view(end)));
    if (unit.empty()) return number == 0 ? std::optional<double>(0.0) : std::nullopt;
    if (unit == "em" || unit == "rem") return number;
    if (unit == "ex") return number / 2;
    if (unit == "pt") return number / 12;
    if (unit == "px") return number / 16;
    if (unit == "pc") return number;
    if (unit == "in") return number * 6;
    if (unit == "cm") return number * 6 / 2.54;
    if (unit == "mm") return number * 0.6 / 2.54;
    return std::nullopt;
}

// A relative font size as a multiple of the normal size.
std::optional<double> FontScale(std::string_view value) {
    const std::string v = Lower(Trim(value));
    if (v == "xx-small") return 0.6;
    if (v == "x-small") return 0.75;
    if (v == "small" || v == "smaller") return 0.89;
    if (v == "medium") return 1.0;
    if (v == "large" || v == "larger") return 1.2;
    if (v == "x-large") return 1.5;
    if (v == "xx-large") return 2.0;
    if (!v.empty() && v.back() == '%') return std::strtod(v.c_str(), nullptr) / 100;
    return LengthInEm(v);
}

int FontSizeFromScale(double scale) {
    if (scale < 0.7) return 1;
    if (scale < 0.92) return 2;
    if (scale < 1.1) return 3;
    if (scale < 1.3) return 4;
    if (scale < 1.7) return 5;
    if (scale < 2.5) return 6;
    return 7;
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        const std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

}  // namespace

void MarkupStyle::Apply(std::string_view property, std::string_view rawValue) {
    const std::string value = Lower(Trim(rawValue));
    if (property == "font-weight") {
        if (value == "bold" || value == "bolder")
            bold = true;
        else if (value == "normal" || value == "lighter")
            bold = false;
        else if (std::isdigit(static_cast<unsigned char>(value.empty() ? ' ' : value[0])))
            bold = std::atoi(value.c_str()) >= 600;
    } else if (property == "font-style") {
        if (value == "italic" || value == "oblique")
            italic = true;
        else if (value == "normal")
            italic = false;
    } else if (property == "text-decoration" || property == "text-decoration-line") {
        if (value.find("underline") != std::string::npos) underline = true;
        if (value.find("line-through") != std::string::npos) strike = true;
        if (value == "none") underline = strike = false;
    } else if (property == "text-align") {
        if (value == "left" || value == "right" || value == "center" || value == "justify")
            align = value;
        else if (value == "start")
            align = "left";
        else if (value == "end")
            align = "right";
    } else if (property == "text-indent") {
        if (auto em = LengthInEm(value)) textIndentEm = *em;
    } else if (property == "margin-top") {
        if (auto em = LengthInEm(value)) marginTopEm = *em;
    } else if (property == "margin") {
        const auto words = Words(value);
        if (!words.empty()) {
            if (auto em = LengthInEm(words[0])) marginTopEm = *em;
        }
    } else if (property == "vertical-align") {
        if (value == "super" || value == "sub" || value == "baseline") verticalAlign = value;
    } else if (property == "font-size") {
        if (auto scale = FontScale(value)) fontSize = FontSizeFromScale(*scale);
    } else if (property == "page-break-before" || property == "break-before") {
        pageBreakBefore =
            value == "always" || value == "page" || value == "left" || value == "right";
    } else if (property == "page-break-after" || property == "break-after") {
        pageBreakAfter =
            value == "always" || value == "page" || value == "left" || value == "right";
    } else if (property == "font") {
        for (auto word : Words(value)) {
            if (word == "bold" || word == "bolder") bold = true;
            if (word == "italic" || word == "oblique") italic = true;
        }
    }
}

std::vector<std::pair<std::string, std::string>> ParseDeclarations(std::string_view block) {
    std::vector<std::pair<std::string, std::string>> out;
    const std::string text = StripComments(block);
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view declaration(text.data() + start, end - start);
        const auto colon = declaration.find(':');
        if (colon != std::string_view::npos) {
            std::string value(Trim(declaration.substr(colon + 1)));
            const auto bang = value.find('!');
            if (bang != std::string::npos)
                value = std::string(Trim(std::string_view(value).substr(0, bang)));
            const std::string property = Lower(Trim(declaration.substr(0, colon)));
            if (!property.empty()) out.emplace_back(property, value);
        }
        start = end + 1;
    }
    return out;
}

void StyleSheet::Add(std::string_view cssText) {
    std::string css = StripComments(cssText);
    // Style blocks hidden from old browsers in "<!-- ... -->" (as Word writes them): the
    // markers mean nothing to CSS.
    for (const char* marker : {"<!--", "-->"}) {
        for (auto at = css.find(marker); at != std::string::npos; at = css.find(marker, at))
            css.replace(at, std::char_traits<char>::length(marker),
                        std::char_traits<char>::length(marker), ' ');
    }
    std::size_t pos = 0;
    while (pos < css.size()) {
        const auto open = css.find('{', pos);
        if (open == std::string::npos) break;
        std::string_view prelude = Trim(std::string_view(css).substr(pos, open - pos));
        // Skip any statement-level at-rules ("@import ...;", "@charset ...;") before the prelude.
        while (!prelude.empty() && prelude.front() == '@' &&
               prelude.find(';') != std::string_view::npos) {
            prelude = Trim(prelude.substr(prelude.find(';') + 1));
        }
        // Find the matching close brace (at-rules such as @media nest blocks).
        int depth = 0;
        std::size_t close = open;
        for (; close < css.size(); ++close) {
            if (css[close] == '{') ++depth;
            if (css[close] == '}' && --depth == 0) break;
        }
        const std::string_view block =
            std::string_view(css).substr(open + 1, std::min(close, css.size()) - open - 1);
        pos = close + 1;
        if (prelude.empty() || prelude.front() == '@')
            continue;  // @media, @font-face, @page: not for this renderer
        const auto declarations = ParseDeclarations(block);
        std::size_t selStart = 0;
        const std::string selectors(prelude);
        while (selStart <= selectors.size()) {
            auto comma = selectors.find(',', selStart);
            if (comma == std::string::npos) comma = selectors.size();
            const std::string_view one =
                Trim(std::string_view(selectors).substr(selStart, comma - selStart));
            selStart = comma + 1;
            if (one.empty() || one.find_first_of(":[+~") != std::string_view::npos) continue;
            Rule rule;
            rule.order = rules_.size();
            bool valid = true;
            char pendingCombinator = ' ';
            std::string spaced;
            for (char c : one) {
                if (c == '>')
                    spaced += " > ";
                else
                    spaced += c;
            }
            for (auto word : Words(spaced)) {
                if (word == ">") {
                    pendingCombinator = '>';
                    continue;
                }
                Compound compound;
                compound.combinator = pendingCombinator;
                pendingCombinator = ' ';
                std::size_t i = 0;
                const auto readName = [&](std::size_t from) {
                    std::size_t j = from;
                    while (j < word.size() && word[j] != '.' && word[j] != '#') ++j;
                    return j;
                };
                std::size_t j = readName(0);
                const std::string tag = Lower(word.substr(0, j));
                if (tag != "*") compound.tag = tag;
                i = j;
                while (i < word.size()) {
                    const char kind = word[i];
                    j = readName(i + 1);
                    const std::string name(word.substr(i + 1, j - i - 1));
                    if (name.empty()) valid = false;
                    if (kind == '.')
                        compound.classes.push_back(name);
                    else
                        compound.id = name;
                    i = j;
                }
                rule.specificity += (compound.id.empty() ? 0 : 100) +
                                    10 * static_cast<int>(compound.classes.size()) +
                                    (compound.tag.empty() ? 0 : 1);
                rule.selector.push_back(std::move(compound));
            }
            if (!valid || rule.selector.empty()) continue;
            rule.declarations = declarations;
            rules_.push_back(std::move(rule));
            File(rules_.size() - 1);
        }
    }
}

bool StyleSheet::Matches(const HtmlDocument& document, int node, const Compound& compound) {
    const auto& element = document.node(node);
    if (element.isText || node == 0) return false;
    if (!compound.tag.empty() && element.name != compound.tag) return false;
    if (!compound.id.empty()) {
        const auto* id = element.Attribute("id");
        if (!id || *id != compound.id) return false;
    }
    if (!compound.classes.empty()) {
        const auto* classes = element.Attribute("class");
        if (!classes) return false;
        const auto words = Words(*classes);
        for (const auto& wanted : compound.classes) {
            if (std::find(words.begin(), words.end(), wanted) == words.end()) return false;
        }
    }
    return true;
}

bool StyleSheet::MatchesSelector(const HtmlDocument& document, int node,
                                 const std::vector<Compound>& selector) {
    if (!Matches(document, node, selector.back())) return false;
    int current = node;
    for (std::size_t k = selector.size() - 1; k-- > 0;) {
        const char combinator = selector[k + 1].combinator;
        int ancestor = document.node(current).parent;
        if (combinator == '>') {
            if (ancestor <= 0 || !Matches(document, ancestor, selector[k])) return false;
            current = ancestor;
            continue;
        }
        while (ancestor > 0 && !Matches(document, ancestor, selector[k]))
            ancestor = document.node(ancestor).parent;
        if (ancestor <= 0) return false;
        current = ancestor;
    }
    return true;
}

void StyleSheet::File(std::size_t ruleIndex) {
    const Compound& key = rules_[ruleIndex].selector.back();
    if (!key.id.empty())
        byId_[key.id].push_back(ruleIndex);
    else if (!key.classes.empty())
        byClass_[key.classes.front()].push_back(ruleIndex);
    else if (!key.tag.empty())
        byTag_[key.tag].push_back(ruleIndex);
    else
        universal_.push_back(ruleIndex);
}

MarkupStyle StyleSheet::StyleFor(const HtmlDocument& document, int node) const {
    // The candidates: every rule filed under the element's id, one of its classes, its tag,
    // or none. Each rule is filed once, so no candidate is seen twice.
    const HtmlNode& element = document.node(node);
    std::vector<std::size_t> candidates;
    const auto take = [&candidates](const auto& index, const std::string& key) {
        if (auto found = index.find(key); found != index.end())
            candidates.insert(candidates.end(), found->second.begin(), found->second.end());
    };
    if (!element.isText) {
        if (const auto* id = element.Attribute("id"); id && !id->empty()) take(byId_, *id);
        if (const auto* classes = element.Attribute("class"); classes && !byClass_.empty()) {
            // A class written twice on the element names its rules once.
            auto words = Words(*classes);
            std::sort(words.begin(), words.end());
            words.erase(std::unique(words.begin(), words.end()), words.end());
            for (auto word : words) take(byClass_, std::string(word));
        }
        take(byTag_, element.name);
        candidates.insert(candidates.end(), universal_.begin(), universal_.end());
    }
    std::vector<const Rule*> matching;
    for (std::size_t index : candidates) {
        const Rule& rule = rules_[index];
        if (MatchesSelector(document, node, rule.selector)) matching.push_back(&rule);
    }
    std::sort(matching.begin(), matching.end(), [](const Rule* a, const Rule* b) {
        return a->specificity != b->specificity ? a->specificity < b->specificity
                                                : a->order < b->order;
    });
    MarkupStyle style;
    for (const Rule* rule : matching) {
        for (const auto& [property, value] : rule->declarations) style.Apply(property, value);
    }
    if (const auto* inlineStyle = document.node(node).Attribute("style")) {
        for (const auto& [property, value] : ParseDeclarations(*inlineStyle))
            style.Apply(property, value);
    }
    return style;
}

}  // namespace quillery::mobi
