#pragma once
// Stand-in MOBI compilers for tests: shell scripts that honour the compiler's command line
// (`compiler <folder>/content.opf [options] -o <name>.mobi`) without compiling anything.

#include <string>

namespace quillery::testing {

// Writes an executable script into folder and gives its full path. The "good" compiler
// writes its arguments, one a line, to folder + "args.txt", prints a line naming the package
// and one with its options, and writes "BOOKMOBI" to the -o file beside content.opf; the
// failing one prints an error and writes nothing. The good one first prints `warnings`
// lines "Warning(fake): picture N left out", as a compiler that left something out does.
std::string WriteGoodCompiler(const std::string& folder, int warnings = 0);
std::string WriteFailingCompiler(const std::string& folder);
// A compiler that runs the shell text `body` and nothing else.
std::string WriteScriptCompiler(const std::string& folder, const std::string& body);

// Every entry under folder with the checksum and size of every file (for "nothing changed
// here" checks).
std::string TreeSnapshot(const std::string& folder);

}  // namespace quillery::testing
