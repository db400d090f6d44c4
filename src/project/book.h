#pragma once
// The Book project: the in-memory state of the one book being made (chapter list, metadata,
// package inputs, option flags, output location, the build log). One instance is shared by
// the importers, the make pipeline, the package writers and the front-ends.

#include <cstdint>
#include <string>
#include <vector>

#include "project/work_folders.h"

namespace quillery {

// The book's metadata as it goes into content.opf. Values are XML-escaped once, when they
// enter the record (fill-metadata); the defaults are stored as given.
struct BookMetadata {
    std::string title;
    std::string creator;
    std::string date;  // "yyyy-mm-dd", set when content.opf is written
    std::string subject;
    std::string publisher;
    std::string uid;
    std::string lang;
    std::string description;
};

// The paragraph style options (first line indent, alignment, spacing, line height).
struct ParagraphOptions {
    bool indent = false;
    int indentEm = 2;  // 0..5
    bool align = false;
    std::string alignment = "Justified";  // "Justified", "Left", "Right"
    bool gap = false;
    std::string gapEm = "0";  // "0" .. "1.5"
    bool lineHeight = false;
    int lineHeightPercent = 120;  // 100..200
};

// Which kinds of HTML element "Remove HTML Elements" strips from the chapter copies.
struct RemoveElementOptions {
    bool enabled = true;
    bool scripts = true;
    bool media = true;
    bool forms = true;
    bool images = false;
    bool links = false;
};

// The option flags the make reads, copied from the controls at the start of every make.
struct BookOptions {
    bool generateTitlePage = false;
    bool replaceStylesheet = false;
    bool adaptFontSize = true;
    bool relativeSevenLevels = false;
    int baseFontSize = 12;  // 0 = "Auto"
    bool classifyFonts = true;
    ParagraphOptions paragraph;
    RemoveElementOptions removeElements;
    bool saveToSourceFolder = false;
    bool splitWordHtml = true;
};

enum class PreviewSource { Nothing = 0, Imported = 1, Made = 2 };

struct Book {
    WorkFolders folders;

    // Chapter list: parallel lists, index 0 = first chapter, in reading order.
    std::vector<std::string> files;    // relative to sourceFolder, "/" separated
    std::vector<std::string> titles;   // XML-escaped during a make
    std::vector<std::int64_t> sizes;   // bytes
    std::vector<std::string> contents; // whole chapter texts, only during a make
    std::string sourceFolder;          // ends with "/"

    BookMetadata metadata;

    // Package inputs.
    std::string coverPath;             // full path of the cover picture; empty = none
    std::string replacementStylesheet; // full path; empty = none
    std::vector<std::string> images;       // relative paths of the pictures the chapters use
    std::vector<std::string> stylesheets;  // relative paths of the linked stylesheets
    int tocPosition = 0;
    bool tocMarked = false;
    std::string tocFileName;
    std::string tocTitle = "Content";

    BookOptions options;

    // Output location: folder (ends with "/") and file name; fullOutputPath = folder + name.
    std::string outputFolder;
    std::string outputFileName;
    std::string fullOutputPath;

    PreviewSource previewSource = PreviewSource::Nothing;
    bool wordImport = false;
    // The KindleGen presence check found the large build (program file over 2,048,000
    // bytes); the stylesheet pass then patches font sizes for it.
    bool kindleGenIsLarge = false;
    bool wordSplit = false;           // the Word HTML was split on section breaks
    std::string wordDocumentFolder;   // for the output-location rule of a Word project

    // The build log: one growing text, lines ending in CR LF.
    std::string log;
    void AppendLog(std::string_view line) {
        log.append(line);
        log.append("\r\n");
    }
};

}  // namespace quillery
