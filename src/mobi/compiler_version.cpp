#include "mobi/compiler_version.h"

namespace quillery::mobi {

const char* CompilerBanner() { return "opf2mobi 1.0.1"; }

}  // namespace quillery::mobi
