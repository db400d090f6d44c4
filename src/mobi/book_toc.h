#pragma once
// The table of contents of toc.ncx as the entries of the book's NCX index: labels, text
// positions, lengths and nesting, in the order the index stores them (level by level, so
// that the children of every entry are neighbours).

#include <string>
#include <vector>

#include "mobi/diagnostics.h"
#include "mobi/kf7_text.h"
#include "mobi/ncx_index.h"
#include "mobi/opf_package.h"

namespace quillery::mobi {

// One navPoint of toc.ncx, nested as in the file.
struct NavPoint {
    std::string label;
    std::string target;  // anchor key: package-relative path with "#fragment"
    std::vector<NavPoint> children;
};

// The navPoints of an NCX document whose package-relative path is `ncxPath`.
std::vector<NavPoint> ParseNcx(const std::string& xml, const std::string& ncxPath,
                               Diagnostics& diagnostics);

// Index entries for the navPoints whose targets are in the text (others are dropped with
// a warning), labels in the book's encoding.
std::vector<TocEntry> BuildTocEntries(const std::vector<NavPoint>& points, const Kf7Text& text,
                                      Diagnostics& diagnostics);

}  // namespace quillery::mobi
