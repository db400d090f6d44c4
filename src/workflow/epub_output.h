#pragma once
// The ePub a make writes beside its Mobi book, from the same OPS package.

#include <string>

namespace quillery {

struct Book;
class UiPort;

// The ePub of the book made last: its Mobi path with the ".epub" extension.
std::string MadeEpubPath(const Book& book);

// Writes the ePub of the package in book.folders.opsFolder to MadeEpubPath(book) and logs
// "# ePub book <name> made successfully."; when it cannot be written, logs
// "# ePub file creation failed: <reason>" and shows that reason. A file the chapters refer
// to that the package does not hold is logged as "# ePub: <path> is not in the package; the
// reference is left out.". True when the ePub was written.
bool WriteBookEpub(Book& book, UiPort& ui);

}  // namespace quillery
