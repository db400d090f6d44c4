#pragma once
// Free names for the files a make adds to the package: the cover, title and contents pages,
// the cover picture and the replacement stylesheet never take the name of a file of the book,
// so a chapter named toc.htm or a chapter picture named like the cover keeps its content.

#include <string>

#include "project/book.h"

namespace quillery {

// Chooses book.packageNames: a name stays as it is unless a chapter or an entry of the source
// folder holds it (and, for the cover picture and the replacement stylesheet, that entry is
// another file than the one copied); then "name-2.ext", "name-3.ext", ... the first free one.
// The copies of an earlier make are forgotten.
void ChoosePackageNames(Book& book);

// A free name for a copy of the file `source` from outside the source folder, at the top of
// the package: its own file name unless a chapter, an entry of the source folder, a file the
// make adds or an earlier copy holds it; recorded in book.packageNames.copiedFrom. A name
// given is wanted instead of the source's own.
std::string ChooseCopyName(Book& book, const std::string& source, const std::string& name = {});

// The cover picture's file name in the package.
std::string CoverPictureName(const Book& book);
// The replacement stylesheet's file name in the package.
std::string ReplacementStylesheetName(const Book& book);

}  // namespace quillery
