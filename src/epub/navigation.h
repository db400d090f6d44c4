#pragma once
// The ePub's navigation: the NCX the make wrote, kept for older readers (its links following
// renamed files and its uid matching the package identifier), and the navigation document
// that ePub 3 readers take, built from the same navigation points.

#include <string>

#include "epub/package_names.h"

namespace quillery::epub {

struct Navigation {
    std::string ncx;  // the NCX as it goes into the ePub
    std::string nav;  // the XHTML navigation document
};

struct NavigationInput {
    std::string ncxText;     // the NCX as the make wrote it
    std::string ncxPath;     // its OPS path
    std::string navPath;     // the navigation document's path in the ePub
    std::string identifier;  // the package's unique identifier
    std::string title;       // the book title (the navigation document's title)
    std::string language;    // the book language
    std::string tocTitle;    // the heading of the contents list
};

// Throws std::runtime_error when the NCX is not well-formed.
Navigation BuildNavigation(const NavigationInput& input, const PackageNames& names);

}  // namespace quillery::epub
