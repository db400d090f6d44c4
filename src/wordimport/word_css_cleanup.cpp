// The Word CSS cleanup (see word_css_cleanup.h).

#include "wordimport/word_css_cleanup.h"

#include <vector>

#include "css/css_text.h"
#include "text/regex.h"
#include "text/strings.h"

namespace quillery {
namespace {

constexpr std::string_view kPageDefinitions = "/* Page Definitions */";

// Rules "\nelement.Class ... }" whose class the body never names go, from their leading line
// feed through the next "}".
void RemoveUnusedClassRules(std::string& css, std::string_view body) {
    struct Rule {
        std::size_t start;  // 0-based, at the line feed
        std::string className;
    };
    std::vector<Rule> rules;
    {
        TLxRegEx rx;
        rx.SetPattern(R"(\n\w+\.(\w+))");
        rx.SetSubject(css);
        for (bool found = rx.MatchFirst(); found; found = rx.MatchNext())
            rules.push_back({static_cast<std::size_t>(rx.MatchStart() - 1), rx.Submatch(1)});
    }
    // From the last rule back, so that earlier positions stay valid.
    for (auto rule = rules.rbegin(); rule != rules.rend(); ++rule) {
        if (body.find(rule->className) != std::string_view::npos) continue;
        if (rule->start >= css.size()) continue;
        const std::size_t close = css.find('}', rule->start);
        const std::size_t end = close == std::string::npos ? css.size() : close + 1;
        css.erase(rule->start, end - rule->start);
    }
}

// Paragraph rules without an alignment get "text-align:left;", without margins the pair
// "margin-top:1em; margin-bottom:1em;", each right after the opening brace.
void CompleteParagraphRules(std::string& css) {
    css = ReplaceAll(css, "p, li, div", "p, li");
    struct Insertion {
        std::size_t afterBrace;  // 0-based position right after "{"
        std::string text;
    };
    std::vector<Insertion> insertions;
    {
        TLxRegEx rx;
        rx.SetPattern(R"((p\.[^\{]+\{[^\}]+\})|(p, li\s*{[^\}]+\}))");
        rx.SetSubject(css);
        for (bool found = rx.MatchFirst(); found; found = rx.MatchNext()) {
            const std::string rule = rx.MatchedText();
            const std::size_t brace = rule.find('{');
            std::string text;
            // Each goes right after the brace: the second inserted stands first.
            if (rule.find("margin") == std::string::npos)
                text += "margin-top:1em; margin-bottom:1em;";
            if (rule.find("text-align") == std::string::npos) text += "text-align:left;";
            if (!text.empty())
                insertions.push_back(
                    {static_cast<std::size_t>(rx.MatchStart() - 1) + brace + 1, std::move(text)});
        }
    }
    for (auto insertion = insertions.rbegin(); insertion != insertions.rend(); ++insertion)
        css.insert(insertion->afterBrace, insertion->text);
}

}  // namespace

std::string CleanWordCss(std::string_view wordCss, std::string_view body) {
    std::string css =
        RegexReplaceStr(wordCss, R"(/\* Font Definitions \*/.+?/\* Style Definitions \*/)",
                        "/* MS Word Definitions */");
    const std::size_t page = css.find(kPageDefinitions);
    if (page != std::string::npos) css.erase(page);

    for (std::string_view pattern : {R"(@[^\{]+\{[^\}]+\})", R"(div\.Section[^\}]+\})",
                                     R"(\sp\s*\{[^\}]+\})", R"(\.MsoNormal)", R"(\bmso\-[^;]+;)"})
        RegexDelete(css, pattern);

    RemoveUnusedClassRules(css, body);
    MarginShorthand(css);
    CompleteParagraphRules(css);
    css = ReplaceAllEx(css, "-->", "", true);
    css = ReplaceAllEx(css, "<--", "", true);
    return css;
}

}  // namespace quillery
