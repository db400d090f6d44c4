// The compiler's name and version, as it prints them and records them in the book's creator-
// software records (see compiler_version.h).

#include "mobi/compiler_version.h"

namespace quillery::mobi {

const char* CompilerBanner() { return "opf2mobi 1.0.1"; }

}  // namespace quillery::mobi
