#pragma once
// The replacement-stylesheet option ("Replace Stylesheet" / "Load New"): only records the
// file the user chose; the make copies it into the OPS folder and lists it with id "style".

#include <string>
#include <string_view>

#include "project/book.h"

namespace quillery {

// The filter of the "Load New" file dialog.
inline constexpr std::string_view kReplacementStylesheetFilter = "Style Sheet File(*.css)|*.css";
// The label text while the default replacement stylesheet (which is empty) is chosen.
inline constexpr std::string_view kDefaultReplacementLabel = "(default)";

// "Load New": the chosen file becomes the replacement path. Returns the label text: the
// file's folder in parentheses followed by its file name, "(/home/me/css/)book.css".
std::string ChooseReplacementStylesheet(Book& book, const std::string& path);

// Ticking / clearing "Replace Stylesheet": sets book.options.replaceStylesheet; ticking sets
// the path to the default replacement stylesheet (empty) and returns "(default)", clearing
// empties the path and returns an empty label.
std::string SetReplaceStylesheet(Book& book, bool on);

// True when the make copies a replacement stylesheet: the option is on and a path is set.
bool UsesReplacementStylesheet(const Book& book);

}  // namespace quillery
