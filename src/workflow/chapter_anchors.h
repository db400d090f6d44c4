#pragma once
// Anchors readers can target: an `<a name="x">` also gets the id "x" (readers look fragments
// up by id), and the only chapter of a one-file book gets the "toc" anchor its guide entry
// names when the page has none.

#include "project/book.h"

namespace quillery {

// Over the chapters' texts (book.chapters[i].content), before they are written.
void AddTargetableAnchors(Book& book);

}  // namespace quillery
