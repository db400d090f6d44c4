#pragma once
// Big-endian numbers into byte strings, as every Palm and MOBI structure stores them.

#include <cstdint>
#include <string>

namespace quillery::mobi {

inline void PutU8(std::string& out, std::uint8_t value) { out += static_cast<char>(value); }
inline void PutU16(std::string& out, std::uint16_t value) {
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}
inline void PutU32(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value >> 24);
    out += static_cast<char>((value >> 16) & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}
inline void SetU32(std::string& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<char>(value >> 24);
    out[at + 1] = static_cast<char>((value >> 16) & 0xFF);
    out[at + 2] = static_cast<char>((value >> 8) & 0xFF);
    out[at + 3] = static_cast<char>(value & 0xFF);
}

}  // namespace quillery::mobi
