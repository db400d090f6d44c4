#pragma once
// Connecting chapter files to the resources they refer to: the local images and stylesheets
// the chapters reference, and the repair of same-file anchor links after a split.
//
// Resource paths are relative to the chapter folder, "/"-separated and percent-decoded (the
// "#fragment" and "?query" split off first; a "\" is a character of the name); each path is
// listed once, in order of first appearance, chapter by chapter (names differing only in
// letter case are different files). Web addresses and absolute references (any ":", a
// leading "/") and references leaving the chapter folder (a ".." segment) are left out. The
// chapter texts themselves are never changed by the collectors.

#include <string>
#include <string_view>
#include <vector>

#include "project/book.h"

namespace quillery {

// The local pictures named by the src of a page's img tags, and the local stylesheets named
// by the href of its link tags, up to and including ".css" in any case ("css/Main.CSS" stays,
// the name the chapters use); each added to list unless it holds it already.
void CollectPageImages(std::string_view page, std::vector<std::string>& list);
void CollectPageStylesheets(std::string_view page, std::vector<std::string>& list);

// Over the chapters' texts: for every anchor name defined in the body of chapter i, every
// href="#NAME" in any chapter becomes href="FILE#NAME", FILE being chapter i's file. Used for a
// Word book split into several chapter files.
void RepairAnchorLinks(Book& book);

}  // namespace quillery
