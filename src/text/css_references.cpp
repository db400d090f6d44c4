// Finding and rewriting a stylesheet's references (see css_references.h).

#include "text/css_references.h"

namespace quillery {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool StartsCaseBlind(std::string_view text, std::size_t at, std::string_view lowerWord) {
    if (at + lowerWord.size() > text.size()) return false;
    for (std::size_t i = 0; i < lowerWord.size(); ++i) {
        char c = text[at + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerWord[i]) return false;
    }
    return true;
}

// The end of the string opened by the quote at `at` (one past its closing quote, or the end
// of the text); a backslash escapes the next byte.
std::size_t StringEnd(std::string_view css, std::size_t at) {
    const char quote = css[at];
    for (std::size_t i = at + 1; i < css.size(); ++i) {
        if (css[i] == '\\') {
            ++i;
        } else if (css[i] == quote || css[i] == '\n') {
            return i + 1;
        }
    }
    return css.size();
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The url(...) token starting at `at` (just at "url("): its end and inner reference, or
// nothing when it is never closed.
std::optional<CssReference> UrlToken(std::string_view css, std::size_t at) {
    std::size_t i = at + 4;
    while (i < css.size() && IsBlank(css[i])) ++i;
    std::string url;
    if (i < css.size() && (css[i] == '"' || css[i] == '\'')) {
        const std::size_t end = StringEnd(css, i);
        url = std::string(css.substr(i + 1, end - i - 2));
        i = end;
        while (i < css.size() && IsBlank(css[i])) ++i;
        if (i >= css.size() || css[i] != ')') return std::nullopt;
    } else {
        const std::size_t close = css.find(')', i);
        if (close == std::string_view::npos) return std::nullopt;
        url = std::string(TrimBlanks(css.substr(i, close - i)));
        i = close;
    }
    return CssReference{at, i + 1, std::move(url), false};
}

}  // namespace

std::vector<CssReference> FindCssReferences(std::string_view css) {
    std::vector<CssReference> found;
    bool afterImport = false;  // the next token names what an @import rule pulls in
    std::size_t i = 0;
    while (i < css.size()) {
        const char c = css[i];
        if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
            const std::size_t close = css.find("*/", i + 2);
            i = close == std::string_view::npos ? css.size() : close + 2;
        } else if (c == '"' || c == '\'') {
            const std::size_t end = StringEnd(css, i);
            if (afterImport && end - i >= 2)
                found.push_back({i, end, std::string(css.substr(i + 1, end - i - 2)), true});
            afterImport = false;
            i = end;
        } else if (c == '@' && StartsCaseBlind(css, i + 1, "import") &&
                   (i + 7 >= css.size() || !IsNameChar(css[i + 7]))) {
            afterImport = true;
            i += 7;
        } else if (StartsCaseBlind(css, i, "url(") && (i == 0 || !IsNameChar(css[i - 1]))) {
            std::optional<CssReference> token = UrlToken(css, i);
            if (!token) break;
            token->import = afterImport;
            afterImport = false;
            i = token->end;
            found.push_back(std::move(*token));
        } else {
            if (!IsBlank(c)) afterImport = false;
            ++i;
        }
    }
    return found;
}

std::string RewriteCssReferences(std::string_view css, const CssReferenceRewrite& rewrite,
                                 char quote) {
    std::string out;
    out.reserve(css.size());
    std::size_t copied = 0;
    for (const CssReference& reference : FindCssReferences(css)) {
        if (reference.begin < copied) continue;  // inside an @import rule removed whole
        const std::optional<std::string> replacement = rewrite(reference);
        if (!replacement) continue;
        std::size_t begin = reference.begin;
        std::size_t end = reference.end;
        std::string text;
        if (!replacement->empty()) {
            text = "url(";
            text += quote;
            for (const char c : *replacement) {
                if (c == quote || c == '\\') text += '\\';
                text += c;
            }
            text += quote;
            text += ')';
        } else if (reference.import) {
            // The whole rule goes: from its "@" to its ";" (or the end of the text).
            const std::size_t at = css.rfind('@', begin);
            if (at == std::string_view::npos || at < copied) continue;
            begin = at;
            const std::size_t semicolon = css.find(';', end);
            end = semicolon == std::string_view::npos ? css.size() : semicolon + 1;
        } else {
            text = "none";
        }
        out.append(css.substr(copied, begin - copied));
        out += text;
        copied = end;
    }
    out.append(css.substr(copied));
    return out;
}

}  // namespace quillery
