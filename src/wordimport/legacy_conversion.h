#pragma once
// Word-processor documents other than .docx (.doc, .odt, .rtf) are converted to .docx by
// LibreOffice first, when it is installed, running headless with a profile of its own.

#include <string>

namespace quillery {

inline constexpr const char* kLibreOfficeMissingMessage =
    "Importing .doc, .odt and .rtf documents needs LibreOffice, which is not installed.\r\n"
    "Please install the package libreoffice-writer-nogui, or save the document as .docx.";
inline constexpr const char* kNotWordDocMessage =
    "This .doc file is not a Word document: it lacks the signature every .doc file starts with.";
inline constexpr const char* kLegacyConversionFailedMessage =
    "LibreOffice could not convert this document to .docx.";

// True for the extensions handled here (".doc", ".odt", ".rtf", any letter case).
bool NeedsDocxConversion(const std::string& documentPath);
// The LibreOffice program on the PATH ("soffice" or "libreoffice"); empty when none.
std::string FindLibreOffice();

struct LegacyConversion {
    std::string docxPath;  // the converted file; empty on failure
    std::string error;     // the sentence for the user on failure
};

// Converts documentPath into outputFolder (which must exist) as <base name>.docx, with the
// LibreOffice profile under stateFolder + "lo-profile". A .doc must start with the OLE2
// signature. Success is judged by the output file alone.
LegacyConversion ConvertToDocx(const std::string& documentPath, const std::string& outputFolder,
                               const std::string& stateFolder,
                               const std::string& libreOffice = FindLibreOffice());

}  // namespace quillery
