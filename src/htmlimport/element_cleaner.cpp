// Text-level tidying of chapter HTML without a parser (see element_cleaner.h).

#include "htmlimport/element_cleaner.h"

#include "text/regex.h"
#include "text/strings.h"

namespace quillery {

std::string CleanEmptyElements(std::string_view s) {
    TLxRegEx& rx = SharedRegex();
    // An element of these names with no content at all goes, start and end tag.
    rx.SetPattern(R"(<(font|span|p|b|u|i|s)(\s[^>]+)?></\1>)");
    std::string out = rx.Replace(s, "");
    // Inline markup around nothing but blanks and &nbsp; goes; the blanks stay.
    rx.SetPattern(R"(<(font|b|u|i|s)(\s[^>]+)?>((&nbsp;|\s)+)</\1>)");
    out = rx.Replace(out, "$3");
    // A span that only wraps one self-closed div is replaced by the div.
    rx.SetPattern(R"(<span[^>]+>\s*<div([^>]+)/>\s*</span>)");
    return rx.Replace(out, "<div$1/>");
}

void QuoteAttributeValues(std::string& s) {
    RegexReplace(s, R"(=([\w\-\_\./]+)(?=[\s/>]))", R"(="$1")");
}

std::string ConvertTagCase(std::string_view s, bool toLower) {
    std::string out(s);
    bool inTag = false;
    char openQuote = 0;  // the quote character of the open quoted value, 0 when none
    for (char& c : out) {
        if (c == '<') {
            inTag = true;
        } else if (c == '>') {
            inTag = false;
            openQuote = 0;
        } else if (!inTag) {
            continue;
        } else if (c == '"' || c == '\'') {
            if (openQuote == 0) {
                openQuote = c;
            } else if (openQuote == c) {
                openQuote = 0;
            }
        } else if (openQuote == 0) {
            if (toLower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (!toLower && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

std::string ExtractBody(std::string_view s) {
    const int bodyTag = PosIn(s, "<body");
    if (bodyTag == 0) return {};
    const int tagEnd = FindFrom(s, ">", bodyTag, false);
    if (tagEnd == 0) return {};
    const int contentStart = tagEnd + 1;
    const int bodyEnd = FindFrom(s, "</body>", contentStart, false);
    if (bodyEnd <= contentStart) return {};
    return MidStr(s, contentStart, bodyEnd - contentStart);
}

std::string ExtractDefinitionsStyle(std::string_view s) {
    int from = 1;
    for (;;) {
        const int styleTag = FindFrom(s, "<style", from, true);
        if (styleTag == 0) return {};
        const int tagEnd = FindFrom(s, ">", styleTag + 6, false);
        if (tagEnd == 0) return {};
        const int endTag = FindFrom(s, "</style>", tagEnd, true);
        if (endTag == 0) return {};
        // The candidate stops two bytes before "</style>": the line break that normally
        // precedes the end tag is not part of it.
        const int length = endTag - tagEnd - 2;
        const std::string candidate = length > 0 ? MidStr(s, tagEnd + 1, length) : std::string();
        if (PosIn(candidate, "Definitions") != 0) return candidate;
        from = endTag;
    }
}

}  // namespace quillery
