#pragma once
// The book's navigation: toc.ncx (one navigation point per chapter, or per named anchor of a
// one-file book) and the contents page toc.htm (one list item per chapter).

#include <string>
#include <string_view>

#include "project/book.h"

namespace quillery {

// "Make TOC": writes OPS/toc.ncx from lib/OPS/toc.ncx and, where due, OPS/toc.htm, and
// leaves book.tocFileName as content.opf needs it. Appends the log line "Making TOC".
//  - Two or more chapters: one navigation point per chapter. Unless a chapter is marked as
//    the table of contents (book.tocMarked), toc.htm is written and tocFileName becomes
//    "toc.htm"; with a marked chapter no toc.htm is written and tocFileName, the marked
//    chapter's file set by the marking, is kept.
//  - One chapter and tocPosition > 0: one navigation point per `<a name="...` anchor of the
//    chapter's copy in the OPS folder.
//  - One chapter and tocPosition <= 0: no navigation points; tocFileName is cleared.
// A tocFileName that names no chapter (a contents page an earlier make wrote) is cleared
// when no contents page is written this time, so the package never names a page it does
// not hold. The contents page is written as book.packageNames.tocPage ("toc.htm" unless a
// file of the book has that name).
// Throws std::system_error when a file cannot be written.
void WriteTocFiles(Book& book);

// Writes OPS/toc.htm from ext/toc.tmp ("$toctitle$" := book.tocTitle as typed) with one
// list item per chapter, and sets book.tocFileName to "toc.htm".
// Throws std::system_error when the file cannot be written.
void WriteTocPage(Book& book);

// One flat NCX navigation point numbered `number` (id "navpoint-N", playOrder N), with its
// CR LF line ends and tab indents, ready to be inserted before "</navMap>".
std::string NavPoint(int number, std::string_view label, std::string_view target);

}  // namespace quillery
