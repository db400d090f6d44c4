#pragma once
// The compiler's name and version, as it prints them and records them in the book's
// creator-software records.

namespace quillery::mobi {

inline constexpr const char* kCompilerName = "opf2mobi";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionBuild = 1;

// "opf2mobi 1.0.1"
const char* CompilerBanner();

}  // namespace quillery::mobi
