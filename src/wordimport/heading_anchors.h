#pragma once
// Heading anchors: a numbered anchor element `<a id="aN"/>` right before every non-blank
// heading (h1..h6) of a page, so that a table of contents can point into the page. The
// Word section split anchors every part it writes when the setting is on.

#include <string>

namespace quillery {

// The number of headings anchored since the last reset; at most kMaxAnchorsPerRun headings
// are anchored in one run, over all the pages of the run.
struct HeadingAnchorRun {
    int anchored = 0;
};
inline constexpr int kMaxAnchorsPerRun = 255;

void ResetAnchorRun(HeadingAnchorRun& run);

// Inserts `<a id="aN"/>` (N counting from 1 in each page) before each heading whose text,
// tags and no-break spaces removed and cut to about 32 bytes, is not blank. A heading's end
// tag must be of its own level. The page is unchanged when nothing was anchored.
void AddHeadingAnchors(std::string& page, HeadingAnchorRun& run);

// The text a heading is judged and named by: tags stripped, no-break spaces removed, cut to
// 32 bytes (then before its last space when that lies after byte 16), line breaks and tabs
// dropped, "&nbsp;" as a space, trimmed.
std::string HeadingAnchorText(const std::string& headingContent);

}  // namespace quillery
