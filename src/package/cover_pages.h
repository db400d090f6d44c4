#pragma once
// The cover page and the title page of the book package.

#include "project/book.h"

namespace quillery {

// Copies the cover picture (book.coverPath) to the OPS folder under CoverPictureName
// (package_names.h), overwriting. Does nothing and returns false when no cover picture is set.
// Throws std::system_error when the copy fails.
bool CopyCoverPicture(const Book& book);

// Writes OPS/coverpage.htm (book.packageNames.coverPage) from lib/OPS/coverpage.htm with the
// picture block inserted before "</body>". Does nothing and returns false when no cover picture is
// set. Throws std::system_error when the file cannot be written.
bool WriteCoverPage(const Book& book);

// Writes OPS/titlepage.htm (book.packageNames.titlePage) from lib/OPS/titlepage.htm with
// "$$title$$", "$$author$$" and
// "$$publisher$$" replaced by the stored (escaped) title, creator and publisher. Does
// nothing and returns false unless "Generate a Title Page" (options.generateTitlePage) is on.
// Throws std::system_error when the file cannot be written.
bool WriteTitlePage(const Book& book);

}  // namespace quillery
