// Plain-text helpers, no pattern engine (see strings.h).

// Plain-text helpers (no pattern engine) (see strings.h).

#include "text/strings.h"

#include <algorithm>

#include "text/byte_search.h"

namespace quillery {
namespace {

using detail::kNotFound;

std::size_t Length(std::string_view s) { return s.size(); }

// A 0-based offset from a 1-based position; positions below 1 count as 1.
std::size_t OffsetOf(int position) {
    return position < 1 ? 0 : static_cast<std::size_t>(position - 1);
}

int PositionOf(std::size_t offset) {
    return offset == kNotFound ? 0 : static_cast<int>(offset + 1);
}

}  // namespace

std::string ReplaceAllEx(std::string_view s, std::string_view oldText, std::string_view newText,
                         bool ignoreCase) {
    if (oldText.empty()) return std::string(s);
    std::size_t hit = detail::FindForward(s, oldText, 0, ignoreCase);
    if (hit == kNotFound) return std::string(s);
    std::string out;
    out.reserve(newText.size() <= oldText.size() ? s.size() : s.size() + s.size() / 2);
    std::size_t copied = 0;
    // Occurrences do not overlap: the scan goes on after each replaced one.
    while (hit != kNotFound) {
        out.append(s.data() + copied, hit - copied);
        out.append(newText);
        copied = hit + oldText.size();
        hit = detail::FindForward(s, oldText, copied, ignoreCase);
    }
    out.append(s.data() + copied, s.size() - copied);
    return out;
}

std::string ReplaceAll(std::string_view s, std::string_view oldText, std::string_view newText) {
    return ReplaceAllEx(s, oldText, newText, false);
}

int FindFrom(std::string_view s, std::string_view sub, int start, bool ignoreCase) {
    if (sub.empty() || start > static_cast<long long>(Length(s))) return 0;
    return PositionOf(detail::FindForward(s, sub, OffsetOf(start), ignoreCase));
}

int FindInRange(std::string_view s, std::string_view sub, int start, bool ignoreCase, int limit) {
    if (sub.empty() || s.empty()) return 0;
    // The occurrence's position p obeys start <= p <= limit - length(sub) and p < length(s).
    const long long lastByLimit =
        static_cast<long long>(limit) - static_cast<long long>(sub.size());
    const long long lastInText = static_cast<long long>(s.size()) - 1;
    const long long last = std::min(lastByLimit, lastInText);
    const long long first = start < 1 ? 1 : start;
    if (last < first) return 0;
    // Search only the bytes an occurrence at or before position last can cover.
    const std::size_t window = std::min(s.size(), static_cast<std::size_t>(last - 1) + sub.size());
    return PositionOf(detail::FindForward(s.substr(0, window), sub,
                                          static_cast<std::size_t>(first - 1), ignoreCase));
}

int FindLast(std::string_view s, std::string_view sub, int start, bool ignoreCase) {
    if (sub.empty() || start < 0) return 0;
    const std::size_t lastStart = start == 0 ? s.size() : static_cast<std::size_t>(start - 1);
    return PositionOf(detail::FindBackward(s, sub, lastStart, ignoreCase));
}

int PosIn(std::string_view s, std::string_view sub) { return FindFrom(s, sub, 1, false); }

std::string LeftStr(std::string_view s, int count) {
    if (count <= 0) return {};
    return std::string(s.substr(0, static_cast<std::size_t>(count)));
}

std::string RightStr(std::string_view s, int count) {
    if (count < 0 || static_cast<std::size_t>(count) > s.size()) return std::string(s);
    return std::string(s.substr(s.size() - static_cast<std::size_t>(count)));
}

std::string MidStr(std::string_view s, int start, int count) {
    if (count < 0) return {};
    const std::size_t from = OffsetOf(start);
    if (from >= s.size()) return {};
    if (count == 0) return std::string(s.substr(from));
    return std::string(s.substr(from, static_cast<std::size_t>(count)));
}

std::string StrFrom(std::string_view s, int start) {
    const std::size_t from = OffsetOf(start);
    if (from >= s.size()) return {};
    return std::string(s.substr(from));
}

std::string ExtractBetween(std::string_view s, std::string_view startTag, std::string_view endTag,
                           bool ignoreCase) {
    const std::size_t open = detail::FindForward(s, startTag, 0, ignoreCase);
    if (open == kNotFound) return {};
    const std::size_t inner = open + startTag.size();
    const std::size_t close = detail::FindForward(s, endTag, inner, ignoreCase);
    if (close == kNotFound) return {};
    return std::string(s.substr(inner, close - inner));
}

std::vector<std::string> ExtractAllBetween(std::string_view s, std::string_view startTag,
                                           std::string_view endTag, bool includeTags,
                                           bool ignoreCase) {
    std::vector<std::string> items;
    std::size_t open = detail::FindForward(s, startTag, 0, ignoreCase);
    while (open != kNotFound) {
        const std::size_t inner = open + startTag.size();
        const std::size_t close = detail::FindForward(s, endTag, inner, ignoreCase);
        if (close == kNotFound) break;  // an unterminated start tag yields no item
        const std::size_t after = close + endTag.size();
        if (includeTags) {
            items.emplace_back(s.substr(open, after - open));
        } else {
            items.emplace_back(s.substr(inner, close - inner));
        }
        open = detail::FindForward(s, startTag, after, ignoreCase);
    }
    return items;
}

void AppendRange(std::string& buffer, int& bufferPos, std::string_view src, int from, int to) {
    const std::size_t first = OffsetOf(from);
    const std::size_t end = to < 1 ? 0 : std::min(static_cast<std::size_t>(to), src.size());
    if (first >= end) return;
    std::string_view piece = src.substr(first, end - first);
    while (!piece.empty()) {
        // Whenever the write position passes the end, the buffer grows to that position + 1024.
        if (static_cast<std::size_t>(bufferPos) > buffer.size()) {
            buffer.resize(static_cast<std::size_t>(bufferPos) + 1024);
        }
        const std::size_t offset = static_cast<std::size_t>(bufferPos) - 1;
        const std::size_t fits = std::min(piece.size(), buffer.size() - offset);
        buffer.replace(offset, fits, piece.data(), fits);
        bufferPos += static_cast<int>(fits);
        piece.remove_prefix(fits);
    }
}

std::string EncodeEntities(std::string_view s) {
    // One pass gives the same text as replacing "&", then "<", then ">".
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string EscapeXmlAttribute(std::string_view s) {
    const std::string encoded = EncodeEntities(s);
    if (s.find('"') == std::string_view::npos) return encoded;
    std::string out;
    out.reserve(encoded.size() + 16);
    for (const char c : encoded) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

std::string DecodeEntities(std::string_view s) {
    if (s.find('&') == std::string_view::npos) return std::string(s);
    // In this order: "&amp;nbsp;" becomes "&nbsp;" and then a space.
    return ReplaceAll(ReplaceAll(s, "&amp;", "&"), "&nbsp;", " ");
}

std::string Trim(std::string_view s) {
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= 0x20) ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= 0x20) --end;
    return std::string(s.substr(begin, end - begin));
}

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = detail::LowerByte(c);
    return out;
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = detail::UpperByte(c);
    return out;
}

}  // namespace quillery
