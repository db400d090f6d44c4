#pragma once
// TLxRegEx: the pattern engine facade over PCRE2 (8-bit, no UTF mode, default tables).
// Positions are 1-based; 0 means "not found". The shared instance is created with the
// options caseless + dot-all and every pattern of the program is matched that way; an
// empty match is never produced.
//
// Each distinct pattern and option set is compiled once per run (JIT where available) and
// shared by all instances. An instance is not re-entrant: a loop over MatchNext on the shared
// instance must not call RegexReplace, RegexReplaceStr or RegexDelete inside.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillery {

enum TLxRegExOption : unsigned {
    preCaseLess = 1u << 0,
    preMultiLine = 1u << 1,
    preSingleLine = 1u << 2,
    preExtended = 1u << 3,
    preAnchored = 1u << 4,
    preDollarEndOnly = 1u << 5,
    preExtra = 1u << 6,
    preUnGreedy = 1u << 7,
};
using TLxRegExOptions = unsigned;

// A pattern that does not compile: what() is the pattern text itself (or the fixed
// message for an empty pattern). Reading match state without a successful match throws
// std::logic_error("REQUIRE: There must be a successful match first"); a match that PCRE2
// cannot finish (resource limits) throws std::runtime_error naming the pattern.
class RegexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TLxRegEx {
public:
    explicit TLxRegEx(TLxRegExOptions options = preCaseLess | preSingleLine);
    ~TLxRegEx();
    TLxRegEx(const TLxRegEx&) = delete;
    TLxRegEx& operator=(const TLxRegEx&) = delete;

    const std::string& Pattern() const;
    void SetPattern(std::string_view pattern);
    TLxRegExOptions Options() const;
    void SetOptions(TLxRegExOptions options);

    void SetSubject(std::string_view text);
    bool MatchFirst();
    bool MatchNext();

    std::string MatchedText() const;
    std::string Submatch(int index) const;
    int SubmatchCount() const;
    int MatchStart() const;
    int MatchEnd() const;
    int MatchLength() const;
    int SubmatchIndexOf(std::string_view name);

    // Every match in subject replaced; template mode when replacement holds a "$". The
    // subject becomes the engine's subject (no match is current afterwards).
    std::string Replace(std::string_view subject, std::string_view replacement);
    std::vector<std::string> MatchAll(std::string_view subject);

private:
    friend void RegexReplace(std::string& s, std::string_view pattern,
                             std::string_view replacement);
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The one shared instance (caseless + dot-all), created on first use.
TLxRegEx& SharedRegex();

void RegexReplace(std::string& s, std::string_view pattern, std::string_view replacement);
std::string RegexReplaceStr(std::string_view subject, std::string_view pattern,
                            std::string_view replacement);
void RegexDelete(std::string& s, std::string_view pattern);

}  // namespace quillery
