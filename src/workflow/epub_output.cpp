// The make's ePub (see epub_output.h).

#include "workflow/epub_output.h"

#include <exception>

#include "epub/epub_writer.h"
#include "project/book.h"
#include "project/ui_port.h"
#include "text/paths.h"

namespace quillery {

std::string MadeEpubPath(const Book& book) { return epub::EpubPathFor(FinalMobiPath(book)); }

bool WriteBookEpub(Book& book, UiPort& ui) {
    const std::string path = MadeEpubPath(book);
    std::vector<std::string> missing;
    try {
        missing = epub::WriteEpub(book.folders.opsFolder, epub::MetadataFromBook(book),
                                  book.tocTitle, path);
    } catch (const std::exception& e) {
        book.AppendLog(std::string("# ePub file creation failed: ") + e.what());
        ui.ShowMessage(std::string("The ePub book could not be written: ") + e.what());
        return false;
    }
    for (const std::string& file : missing)
        book.AppendLog("# ePub: " + file + " is not in the package; the reference is left out.");
    book.AppendLog("# ePub book " + FileNamePart(path) + " made successfully.");
    return true;
}

}  // namespace quillery
