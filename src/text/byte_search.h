#pragma once
// Byte-string search shared by the plain-text helpers. Offsets are 0-based here; npos means
// "not found". ignoreCase folds only the ASCII letters A..Z.

#include <cstddef>
#include <string_view>

namespace quillery::detail {

inline constexpr std::size_t kNotFound = std::string_view::npos;

inline char LowerByte(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
inline char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// The first occurrence of sub in s that begins at or after from.
std::size_t FindForward(std::string_view s, std::string_view sub, std::size_t from,
                        bool ignoreCase);
// The last occurrence of sub in s that begins at or before lastStart.
std::size_t FindBackward(std::string_view s, std::string_view sub, std::size_t lastStart,
                         bool ignoreCase);

}  // namespace quillery::detail
