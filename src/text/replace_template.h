#pragma once
// A replacement template ("$1", "${name}", "\U2", ...) parsed once per replace and expanded
// for every match.

#include <string>
#include <string_view>
#include <vector>

namespace quillery::detail {

class CompiledPattern;

// The groups of the current match: group n is empty when n > submatchCount or when the group
// took no part in the match.
class MatchGroups {
public:
    virtual ~MatchGroups() = default;
    virtual int SubmatchCount() const = 0;
    virtual std::string_view Group(int number) const = 0;
};

class ReplacementTemplate {
public:
    // Template mode is on when the replacement holds a "$"; otherwise it is literal text.
    static bool IsTemplate(std::string_view replacement);

    ReplacementTemplate(std::string_view replacement, const CompiledPattern& pattern);
    // Appends the expansion for the current match to out.
    void AppendExpansion(const MatchGroups& groups, std::string& out) const;

private:
    enum class Kind { Literal, Group, DigitPair };
    struct Piece {
        Kind kind;
        char conversion;  // 0, or 'F', 'I', 'L', 'U'
        int first;        // Literal: offset in literals_; Group: number; DigitPair: first digit
        int second;       // Literal: length; DigitPair: second digit
    };

    std::size_t ParseReference(std::string_view t, std::size_t i, char conversion);
    std::size_t ParseBrace(std::string_view t, std::size_t i);
    std::size_t ParseNamedG(std::string_view t, std::size_t i);
    void AddLiteral(std::string_view text);
    void AddGroup(int number, char conversion);
    void AddNamedGroup(std::string_view name);
    void AppendGroup(const MatchGroups& groups, int number, char conversion,
                     std::string& out) const;

    const CompiledPattern& pattern_;
    std::string literals_;
    std::vector<Piece> pieces_;
};

}  // namespace quillery::detail
