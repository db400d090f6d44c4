// Replacement templates, parsed once per replace and expanded for every match (see
// replace_template.h).

#include "text/replace_template.h"

#include <climits>

#include "text/pattern_cache.h"

namespace quillery::detail {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool IsNameStart(char c) { return IsLetter(c) || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }

// Decimal digits as a group number; saturates so that an absurd number simply names no group.
int ParseNumber(std::string_view digits) {
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

void AppendConverted(std::string_view text, char conversion, std::string& out) {
    const std::size_t begin = out.size();
    out.append(text);
    if (conversion == 0) return;
    char* p = out.data() + begin;
    const std::size_t n = text.size();
    if (conversion == 'U') {
        for (std::size_t i = 0; i < n; ++i) p[i] = Upper(p[i]);
        return;
    }
    for (std::size_t i = 0; i < n; ++i) p[i] = Lower(p[i]);
    if (conversion == 'F') {
        if (n > 0) p[0] = Upper(p[0]);
    } else if (conversion == 'I') {
        // A word starts at a letter that follows neither a letter, a digit nor an apostrophe.
        for (std::size_t i = 0; i < n; ++i) {
            if (!IsLetter(p[i])) continue;
            const char before = i == 0 ? ' ' : p[i - 1];
            if (!IsLetter(before) && !IsDigit(before) && before != '\'') p[i] = Upper(p[i]);
        }
    }
}

}  // namespace

bool ReplacementTemplate::IsTemplate(std::string_view replacement) {
    return replacement.find('$') != std::string_view::npos;
}

ReplacementTemplate::ReplacementTemplate(std::string_view t, const CompiledPattern& pattern)
    : pattern_(pattern) {
    const std::size_t n = t.size();
    std::size_t i = 0;
    std::size_t literalStart = 0;
    auto flush = [&](std::size_t end) {
        if (end > literalStart) AddLiteral(t.substr(literalStart, end - literalStart));
    };
    while (i < n) {
        const char c = t[i];
        // The last byte never starts a reference, so a trailing "$" or "\" is copied.
        if ((c != '$' && c != '\\') || i + 1 == n) {
            ++i;
            continue;
        }
        const char next = t[i + 1];
        std::size_t resume = 0;  // where scanning goes on after a reference; 0 = no reference
        if (c == '$') {
            if (IsDigit(next)) {
                flush(i);
                resume = ParseReference(t, i + 1, 0);
            } else if (next == '{') {
                flush(i);
                resume = ParseBrace(t, i);
                if (resume == 0) {  // not a complete brace reference: the "$" is text
                    AddLiteral("$");
                    resume = i + 1;
                }
            } else if (next == '$') {
                flush(i);
                AddLiteral("$");
                resume = i + 2;
            }
        } else {  // a backslash
            if (IsDigit(next)) {
                flush(i);
                resume = ParseReference(t, i + 1, 0);
            } else if ((next == 'F' || next == 'I' || next == 'L' || next == 'U') && i + 2 < n &&
                       IsDigit(t[i + 2])) {
                flush(i);
                resume = ParseReference(t, i + 2, next);
            } else if (next == 'G') {
                const std::size_t after = ParseNamedG(t, i);
                if (after != 0) {
                    flush(i);
                    AddNamedGroup(t.substr(i + 3, after - i - 4));
                    resume = after;
                } else {
                    i += 2;  // "\G" without a complete "<name>" stays as it is
                    continue;
                }
            } else if (next == '$' || next == '\\') {
                flush(i);
                AddLiteral(std::string_view(&next, 1));
                resume = i + 2;
            } else {
                i += 2;  // any other escape keeps both bytes
                continue;
            }
        }
        if (resume == 0) {  // "$" followed by anything else: the "$" is ordinary text
            ++i;
            continue;
        }
        i = resume;
        literalStart = i;
    }
    flush(n);
}

// A reference by digits at t[i]: one digit, or two when the second digit follows; which of
// the two applies depends on each match's SubmatchCount. Returns the position after it.
std::size_t ReplacementTemplate::ParseReference(std::string_view t, std::size_t i,
                                                char conversion) {
    const int d = t[i] - '0';
    if (i + 1 < t.size() && IsDigit(t[i + 1])) {
        pieces_.push_back({Kind::DigitPair, conversion, d, t[i + 1] - '0'});
        return i + 2;
    }
    AddGroup(d, conversion);
    return i + 1;
}

// "${digits}" or "${name}" at t[i] (the "$"). Returns the position after "}" or 0 when the
// text is not a complete brace reference.
std::size_t ReplacementTemplate::ParseBrace(std::string_view t, std::size_t i) {
    const std::size_t open = i + 1;
    const std::size_t close = t.find('}', open + 1);
    if (close == std::string_view::npos) return 0;
    const std::string_view inside = t.substr(open + 1, close - open - 1);
    if (inside.empty()) return 0;
    bool allDigits = true;
    for (char c : inside) allDigits = allDigits && IsDigit(c);
    if (allDigits) {
        AddGroup(ParseNumber(inside), 0);
        return close + 1;
    }
    if (!IsNameStart(inside[0])) return 0;
    for (char c : inside) {
        if (!IsNameChar(c)) return 0;
    }
    AddNamedGroup(inside);
    return close + 1;
}

// "\G<name>" at t[i] (the backslash). Returns the position after ">" or 0.
std::size_t ReplacementTemplate::ParseNamedG(std::string_view t, std::size_t i) {
    if (i + 2 >= t.size() || t[i + 2] != '<') return 0;
    const std::size_t close = t.find('>', i + 3);
    if (close == std::string_view::npos) return 0;
    return close + 1;
}

void ReplacementTemplate::AddLiteral(std::string_view text) {
    if (!pieces_.empty() && pieces_.back().kind == Kind::Literal &&
        static_cast<std::size_t>(pieces_.back().first + pieces_.back().second) ==
            literals_.size()) {
        pieces_.back().second += static_cast<int>(text.size());
    } else {
        pieces_.push_back(
            {Kind::Literal, 0, static_cast<int>(literals_.size()), static_cast<int>(text.size())});
    }
    literals_.append(text);
}

void ReplacementTemplate::AddGroup(int number, char conversion) {
    pieces_.push_back({Kind::Group, conversion, number, 0});
}

// A name that no group has inserts nothing, so it adds no piece.
void ReplacementTemplate::AddNamedGroup(std::string_view name) {
    const int number = pattern_.GroupNumber(name);
    if (number > 0) AddGroup(number, 0);
}

void ReplacementTemplate::AppendGroup(const MatchGroups& groups, int number, char conversion,
                                      std::string& out) const {
    if (number > groups.SubmatchCount()) return;
    AppendConverted(groups.Group(number), conversion, out);
}

void ReplacementTemplate::AppendExpansion(const MatchGroups& groups, std::string& out) const {
    for (const Piece& piece : pieces_) {
        switch (piece.kind) {
            case Kind::Literal:
                out.append(literals_, static_cast<std::size_t>(piece.first),
                           static_cast<std::size_t>(piece.second));
                break;
            case Kind::Group:
                AppendGroup(groups, piece.first, piece.conversion, out);
                break;
            case Kind::DigitPair: {
                const int both = piece.first * 10 + piece.second;
                if (both <= groups.SubmatchCount()) {
                    AppendGroup(groups, both, piece.conversion, out);
                } else {
                    AppendGroup(groups, piece.first, piece.conversion, out);
                    out.push_back(static_cast<char>('0' + piece.second));
                }
                break;
            }
        }
    }
}

}  // namespace quillery::detail
