#pragma once
// Small hand-made OPF packages for the compiler's tests: named chapters and any other files,
// with a manifest that lists every file, a spine of the chapters in the order given and an
// optional guide.

#include <string>
#include <utility>
#include <vector>

#include "temp_dir.h"

namespace quillery::mobi::testing {

struct SmallPackage {
    // (package-relative path, content); chapters end with ".htm" or ".xhtml" and form the
    // spine in order.
    std::vector<std::pair<std::string, std::string>> files;
    std::string guide = {};  // the <guide> element, if any
};

// Writes the package into `dir` + "pkg/" and returns the path of its content.opf.
std::string WriteSmallPackage(const quillery::testing::TempDir& dir, const SmallPackage& package);

}  // namespace quillery::mobi::testing
