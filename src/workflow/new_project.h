#pragma once
// What every import does first: the new-project reset of the Book and of the values the
// window shows, and the refusal of files that lie in the work folders every import empties.

#include <string>

#include "project/book.h"
#include "project/book_form.h"

namespace quillery {

// Nothing of the previous book's information, package inputs, chapters or table-of-contents
// mark survives into the new one. The description and the language stay, as the window
// keeps them.
void ResetForNewProject(Book& book, BookForm& form);

// The folder part of a path, made absolute against the current folder, ending with "/".
std::string AbsoluteFolderOf(const std::string& path);

// True when folder lies in (or is) the OPS or the doctmp work folder, links resolved: an
// import from there would empty the folder it reads.
bool LiesInWorkFolders(const std::string& folder, const WorkFolders& folders);

}  // namespace quillery
