#pragma once
// The opf2mobi command:
//   opf2mobi <path>/content.opf [-c0|-c1|-c2] [-gif] [-western] [-o NAME.mobi] [-verbose]
// The book is written into the folder of the OPF, through a temporary file renamed at the
// end. Exit status: 0 built, 1 built with warnings, 2 not built.

#include <ostream>
#include <string>
#include <vector>

namespace quillery::opf2mobi {

inline constexpr int kExitBuilt = 0;
inline constexpr int kExitBuiltWithWarnings = 1;
inline constexpr int kExitNotBuilt = 2;

// Runs the command with `arguments` (without the program name), printing to `out`.
int RunOpf2Mobi(const std::vector<std::string>& arguments, std::ostream& out);

}  // namespace quillery::opf2mobi
