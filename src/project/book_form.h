#pragma once
// The values a make reads "from the controls": the GUI fills this record from its widgets,
// the quillery command from its options. The make pipeline and the settings read-back read
// only this record, never a widget. Member names follow the window's control names.

#include <string>
#include <vector>

namespace quillery {

// One row of the chapter grid: the " File Name" and " Chapter Title (Editable)" cells.
struct ChapterRow {
    std::string fileName;  // relative to the source folder
    std::string title;     // as typed, not escaped
};

struct BookForm {
    // General page: book information.
    std::string inTitle;  // "Book Name"
    std::string inAuthor;
    std::string inSubject;
    std::string inPublisher;
    std::string inID;
    std::string selLang = "English";  // the language name as typed or picked
    std::string inDesc;               // multi-line description

    // The chapter grid, row 1 onward (the master copy of file names and titles).
    std::vector<ChapterRow> fileList;

    // Save panel: output file name and output folder (ends with "/").
    std::string lblDesName;
    std::string lblDesPath;

    // Cover page: the chosen cover picture's full path; empty = no cover.
    std::string coverPath;

    // Export page: font adaptation.
    bool chkEmFontSize = true;    // "Adapt Font Size"
    int selBaseFontSize = 12;     // 0 = "Auto", else 9..16 (points)
    bool chk7lFontSize = false;   // "Relative - 7 levels"
    bool chkClassifyFont = true;  // "Classify Fonts (only for Word)"
    // Export page: table of contents.
    int selTocIndex = 1;  // item index: 0 "0 (End)", 1 "1 (Beginning)", 2..9
    std::string inTocTitle = "Contents";
    // Export page: global paragraph style; the selector texts as shown.
    bool chkIndent = false;
    std::string selIndent = "2";  // "0".."5" (em)
    bool chkAlign = false;
    std::string selAlign = "Justified";  // "Justified", "Left", "Right"
    bool chkGap = false;
    std::string selGap = "0";  // "0", "0.25", ... "1.5" (em)
    bool chkLineHeight = false;
    std::string selLineHeight = "120";  // "100".."200" (%)
    // Export page: title page and replacement stylesheet.
    bool chkAutoTitlePage = false;      // "Generate a Title Page"
    bool chkGCSS = false;               // "Replace Stylesheet"
    std::string replacementStylesheet;  // the stylesheet "Replace Stylesheet"/"Load New" chose

    // Import page.
    bool chkAutoTitle = true;  // "Auto Extract Chapter Title "
    int selTitleMethod = 2;    // 0 file name, 1 HTML title, 2 first heading; -1 none
    bool chkHTMLC = true;      // "Remove HTML Elements"
    bool chkJS = true;
    bool chkMedia = true;
    bool chkForm = true;
    bool chkImg = false;
    bool chkLink = false;
    bool chkSplit = true;  // "Auto split Word HTML on section break"
    bool chkDelWordTOC = true;
    std::string selPPI = "96";  // the PPI selector's text, e.g. "167 (Classical Kindles)"
    bool chkPNG = false;        // pictures as PNG (false: GIF)

    // Advanced page.
    bool chkSaveSamePath = false;  // true: "Save to the same folder as source";
                                   // false: "Save to my default Kindle Book folder"
    std::string inBookPath;        // the default book folder, ends with "/"
    std::string inKGenPath;        // the KindleGen (opf2mobi) program
    std::string inExEditor;        // the external source editor
    std::string inEpubcheckJar;    // the epubcheck jar
};

}  // namespace quillery
