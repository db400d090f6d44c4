#pragma once
// The .docx converter that stands in for Word's "save as filtered HTML": from a .docx it
// writes <name>.html (UTF-8, Word's generator mark, style block and section divisions) and
// the pictures in <name>_files/, and returns the document's title, author and comments.

#include <string>
#include <vector>

#include "wordimport/docx_archive.h"
#include "wordimport/docx_pictures.h"

namespace quillery {

struct DocumentProperties {
    std::string title;
    std::string author;
    std::string comments;
};

struct DocxConversionOptions {
    int pixelsPerInch = 96;      // pictures' width and height attributes
    bool picturesAsPng = false;  // false: GIF ("Graphics as")
    DocxLimits limits;
};

// The converted document in memory.
struct WordHtmlDocument {
    std::string html;
    std::vector<docx::PictureFile> pictures;  // for <name>_files/
    DocumentProperties properties;
    std::vector<std::string> log;  // pictures left out and the like
};

// Converts the .docx at docxPath; htmlBaseName is the HTML file's name without extension
// (the picture references read "<htmlBaseName with %20 for blanks>_files/image001.png").
// Throws DocxError with a sentence for the user when the file is not a readable .docx.
WordHtmlDocument RenderDocx(const std::string& docxPath, const std::string& htmlBaseName,
                            const DocxConversionOptions& options);

// RenderDocx, then writes htmlPath and the folder beside it named after it plus "_files"
// (only when there are pictures). Nothing is written when the conversion fails; a write
// failure removes what was written and throws std::system_error.
WordHtmlDocument ConvertDocxToWordHtml(const std::string& docxPath, const std::string& htmlPath,
                                       const DocxConversionOptions& options);

}  // namespace quillery
