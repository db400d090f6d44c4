#pragma once
// The file work of the Word imports, for the workflow's drivers: the stand-in for the Word
// instance (start, convert, convert and clean, shutdown) and one call per import that fills
// the doctmp folder with the chapter files and hands back what the book project needs.

#include <string>
#include <vector>

#include "wordimport/docx_converter.h"
#include "wordimport/import_progress.h"
#include "wordimport/section_split.h"

namespace quillery {

// The Import page's options and the settings the Word import reads.
struct WordImportOptions {
    int pixelsPerInch = 96;       // "Resolution(PPI)"
    bool picturesAsPng = false;   // "Grahpics as": false = GIF
    bool optimiseHtml = true;     // "Word HTML optimisation": run the Word HTML cleaner
    bool split = true;            // "Auto split Word HTML on section break"
    bool headingAnchors = false;  // "Heading anchors in split sections"
};

struct WordConversion {
    bool converted = false;
    std::string error;  // a sentence for the user when not converted
    DocumentProperties properties;
    std::vector<std::string> log;
};

// The converter behind the operations a Word instance offers. It is always present; its
// version is 15, so the save format is filtered HTML (10).
class WordConverter {
public:
    explicit WordConverter(std::string stateFolder) : stateFolder_(std::move(stateFolder)) {}

    void Start() { started_ = true; }
    bool present() const { return started_; }
    int majorVersion() const { return 15; }
    int saveFormat() const { return majorVersion() <= 9 ? 8 : 10; }
    void Shutdown() { started_ = false; }

    // Shows "Opening <path>" and "Converting <path>"; writes htmlPath and its "_files"
    // folder. A .doc, .odt or .rtf goes through LibreOffice first. Nothing is written when
    // the conversion fails.
    WordConversion Convert(const std::string& documentPath, const std::string& htmlPath,
                           const WordImportOptions& options, ImportProgress& progress);
    // Convert, then the Word HTML cleaner on htmlPath when options.optimiseHtml is on.
    WordConversion ConvertAndClean(const std::string& documentPath, const std::string& htmlPath,
                                   const WordImportOptions& options, ImportProgress& progress);

private:
    std::string stateFolder_;
    bool started_ = false;
};

struct WordImportFiles {
    bool imported = false;
    std::string error;              // a sentence for the user when not imported
    DocumentProperties properties;  // title, author, comments (documents only)
    WordChapters chapters;          // the chapter files in doctmpFolder
    std::vector<std::string> log;   // lines for the build log, in order
};

// Both imports report every failure in error (nothing is thrown for a bad document or a
// folder that cannot be written) and leave no page of their own behind when they fail.
//
// Import Word document, the file work: documentPath converted into doctmpFolder (which the
// caller has emptied) as <base name>.html, cleaned, then split into s_N.htm pages, or, with
// options.split off, kept as one chapter (pictures in imgs/, the style block in style.css).
WordImportFiles ImportWordDocumentFiles(const std::string& documentPath,
                                        const std::string& doctmpFolder,
                                        const std::string& stateFolder,
                                        const WordImportOptions& options, ImportProgress& progress);

// Import Word HTML, the file work: the file (which has passed CheckWordHtml) copied into
// doctmpFolder under its own name, cleaned when options.optimiseHtml is on, its companion
// "_files" folder copied beside it, then the section split with options.split.
WordImportFiles ImportWordHtmlFiles(const std::string& htmlFile, const std::string& doctmpFolder,
                                    const WordImportOptions& options, ImportProgress& progress);

}  // namespace quillery
