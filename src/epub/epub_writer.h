#pragma once
// Writes the book's ePub 3 from the OPS package the make laid out: chapters as XHTML, the
// pictures and stylesheets, the NCX and an ePub 3 navigation document, the package
// document with the book's metadata, all in one zip container.

#include <string>
#include <vector>

#include "epub/package_document.h"

namespace quillery {
struct Book;
}

namespace quillery::epub {

// The book's metadata as plain text (the Book keeps it XML-escaped); the identifier as a
// URN and dcterms:modified set to now.
EpubMetadata MetadataFromBook(const Book& book);

// The ePub written beside the Mobi book: "name.mobi" gives "name.epub".
std::string EpubPathFor(const std::string& mobiPath);

// Writes the ePub of the package in opsFolder (its content.opf and toc.ncx as the make wrote
// them) to epubPath, atomically. Empty metadata values are taken from content.opf. Throws
// std::runtime_error (or std::system_error) naming the file when something cannot be read
// or written; an existing file at epubPath is then left as it was. Returns the files the
// chapters and stylesheets refer to that the package does not hold (OPS paths): those
// pictures and stylesheets are left out of the ePub, such links keep only their text.
std::vector<std::string> WriteEpub(const std::string& opsFolder, EpubMetadata metadata,
                                   const std::string& tocTitle, const std::string& epubPath);

}  // namespace quillery::epub
