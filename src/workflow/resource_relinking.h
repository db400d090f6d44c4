#pragma once
// The make's relinking of the files the chapters use, before the chapters are written:
// references that leave the source folder (img src, stylesheet links, url(...) and @import
// in <style> blocks, style attributes and the stylesheets themselves) are copied into the
// package under a free name and rewritten, or left out with a log line; with "Replace
// Stylesheet" every chapter links the replacement instead of its own stylesheets; a chapter
// that links no stylesheet links the book stylesheet when a paragraph style is set.

#include "project/book.h"

namespace quillery {

// Over the chapters' texts (loaded and normalised). A reference leaving the source folder is
// followed only to a file inside the source folder's parent that is of the kind the reference
// expects (a picture or font by its first bytes, a stylesheet by its ".css"); absolute paths
// are never followed. Records the copies in book.packageNames (copiedFrom,
// outsideReferences) for the package writers and the stylesheet pass.
void RelinkChapterResources(Book& book);

}  // namespace quillery
