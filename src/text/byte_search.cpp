// Byte-string search shared by the plain-text helpers (see byte_search.h).

#include "text/byte_search.h"

#include <cstring>

namespace quillery::detail {
namespace {

bool EqualIgnoringCase(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i] && LowerByte(a[i]) != LowerByte(b[i])) return false;
    }
    return true;
}

// Position of byte c in s[from..last], or kNotFound.
std::size_t FindByte(std::string_view s, char c, std::size_t from, std::size_t last) {
    if (from > last) return kNotFound;
    const void* hit = std::memchr(s.data() + from, static_cast<unsigned char>(c), last - from + 1);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - s.data()) : kNotFound;
}

std::size_t FindForwardIgnoringCase(std::string_view s, std::string_view sub, std::size_t from) {
    const std::size_t last = s.size() - sub.size();  // last possible start
    const char lower = LowerByte(sub[0]);
    const char upper = UpperByte(sub[0]);
    const char* rest = sub.data() + 1;
    const std::size_t restSize = sub.size() - 1;
    // Two cursors, one per case of the first byte: each is advanced by memchr only when used.
    std::size_t nextLower = FindByte(s, lower, from, last);
    std::size_t nextUpper = lower == upper ? kNotFound : FindByte(s, upper, from, last);
    while (true) {
        const std::size_t candidate = nextLower < nextUpper ? nextLower : nextUpper;
        if (candidate == kNotFound) return kNotFound;
        if (EqualIgnoringCase(s.data() + candidate + 1, rest, restSize)) return candidate;
        if (candidate == nextLower) {
            nextLower = FindByte(s, lower, candidate + 1, last);
        } else {
            nextUpper = FindByte(s, upper, candidate + 1, last);
        }
    }
}

}  // namespace

std::size_t FindForward(std::string_view s, std::string_view sub, std::size_t from,
                        bool ignoreCase) {
    if (sub.empty() || from > s.size() || sub.size() > s.size() - from) return kNotFound;
    if (ignoreCase) return FindForwardIgnoringCase(s, sub, from);
    const void* hit = memmem(s.data() + from, s.size() - from, sub.data(), sub.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - s.data()) : kNotFound;
}

std::size_t FindBackward(std::string_view s, std::string_view sub, std::size_t lastStart,
                         bool ignoreCase) {
    if (sub.empty() || sub.size() > s.size()) return kNotFound;
    if (!ignoreCase) return s.rfind(sub, lastStart);
    std::size_t p = lastStart < s.size() - sub.size() ? lastStart : s.size() - sub.size();
    const char first = LowerByte(sub[0]);
    while (true) {
        if (LowerByte(s[p]) == first &&
            EqualIgnoringCase(s.data() + p + 1, sub.data() + 1, sub.size() - 1)) {
            return p;
        }
        if (p == 0) return kNotFound;
        --p;
    }
}

}  // namespace quillery::detail
