#pragma once
// The chapter grid as the core sees it: row 0 holds the captions, row i (from 1) shows
// chapter i-1. The front-end shows these cells in its grid widget and hands the edited cells
// back to the make (column 2 = file list, column 3 = title list).

#include <array>
#include <string>
#include <vector>

namespace quillery {

enum ChapterGridColumn : int {
    kGridMarkerColumn = 0,  // " <>": "TOC" in the row marked as table of contents
    kGridNumberColumn = 1,  // " No.": 1..N
    kGridFileColumn = 2,    // " File Name"
    kGridTitleColumn = 3,   // " Chapter Title (Editable)"
    kGridSizeColumn = 4,    // " Size": FormatSizeKB of the file size
    kGridColumnCount = 5,
};

using ChapterGridRow = std::array<std::string, kGridColumnCount>;

// The captions of row 0: " <>", " No.", " File Name", " Chapter Title (Editable)", " Size".
ChapterGridRow ChapterGridCaptions();

struct ChapterGrid {
    std::vector<ChapterGridRow> rows{ChapterGridCaptions()};  // row 0 = captions
    int lastPreviewedRow = 0;  // the row last loaded into the preview (1 after an import)

    int RowCount() const { return static_cast<int>(rows.size()); }
};

}  // namespace quillery
