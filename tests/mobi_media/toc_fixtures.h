#pragma once
// Tables of contents for the index tests, and the book text they point into.

#include <string>
#include <vector>

#include "mobi/ncx_index.h"

namespace quillery::mobi::testing {

// A book text of `chapters` chapters, each an <h1>/<h2>/<h3> heading with a paragraph; the
// items list the headings' positions in reading order (three levels, nested).
struct NestedBook {
  std::string text;
  std::vector<TocItem> items;
};
NestedBook MakeNestedBook(int chapters, int sectionsPerChapter, int subsectionsPerSection,
                          const std::string& labelPrefix = "Chapter");

}  // namespace quillery::mobi::testing
