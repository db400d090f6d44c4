#pragma once
// Stand-in MOBI compilers for tests: shell scripts that honour the compiler's command line
// (`compiler <folder>/content.opf [options] -o <name>.mobi`) without compiling anything.

#include <string>

namespace quillery::testing {

// Writes an executable script into folder and gives its full path. The "good" compiler
// prints a line naming the package and writes the -o file beside content.opf; the failing
// one prints an error and writes nothing.
std::string WriteGoodCompiler(const std::string& folder);
std::string WriteFailingCompiler(const std::string& folder);

// The whole contents of every file under folder, keyed by relative path (for "nothing
// changed here" checks).
std::string TreeSnapshot(const std::string& folder);

}  // namespace quillery::testing
