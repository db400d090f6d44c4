#pragma once
// The opf2mobi command:
//   opf2mobi <path>/content.opf [-c0|-c1|-c2] [-gif] [-western] [-o NAME.mobi] [-verbose]
// The book is written into the folder of the OPF, through a temporary file renamed at the
// end. Exit status: 0 built, 1 built with warnings, 2 not built.

#include <ostream>
#include <string>
#include <vector>

namespace quillery::mobi {

inline constexpr int kExitBuilt = 0;
inline constexpr int kExitBuiltWithWarnings = 1;
inline constexpr int kExitNotBuilt = 2;

// Runs the command with `arguments` (without the program name), printing to `out`.
int RunOpf2Mobi(const std::vector<std::string>& arguments, std::ostream& out);

// Writes `bytes` to `folder` + `name` through a temporary file in the same folder renamed
// at the end; false with `error` set (and no file left) when it fails.
bool WriteFileAtomically(const std::string& folder, const std::string& name,
                         const std::string& bytes, std::string& error);

}  // namespace quillery::mobi
