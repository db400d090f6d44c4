#pragma once
// The opf2mobi command line read into the compiler's options and the book's file name.

#include <string>
#include <vector>

#include "mobi/book_compiler.h"

namespace quillery::opf2mobi {

struct ParsedArguments {
    mobi::CompileOptions options;
    std::string outputName;
    std::string error;
};

// Reads `arguments` (without the program name). The output name defaults to the package
// document's name with ".mobi"; `error` is set when the command line cannot be used.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments);

}  // namespace quillery::opf2mobi
