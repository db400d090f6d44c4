// The cover page and the title page of the book package (see cover_pages.h).

#include "package/cover_pages.h"

#include "package/package_names.h"
#include "package/package_text.h"
#include "project/command_runner.h"
#include "text/paths.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace quillery {

bool CopyCoverPicture(const Book& book) {
    if (book.coverPath.empty()) return false;
    CopyFile(book.coverPath, book.folders.opsFolder + CoverPictureName(book));
    return true;
}

bool WriteCoverPage(const Book& book) {
    if (book.coverPath.empty()) return false;
    std::string page = ReadTextFile(book.folders.libFolder + "OPS/coverpage.htm");
    const std::string block = "<div>\r\n<img src=\"" +
                              package_text::HrefValue(CoverPictureName(book)) +
                              "\" alt=\"Cover Image\" style=\"height: 100%\"/>\r\n</div>\r\n";
    package_text::InsertBefore(page, "</body>", block);
    WriteTextFile(book.folders.opsFolder + book.packageNames.coverPage, page);
    return true;
}

bool WriteTitlePage(const Book& book) {
    if (!book.options.generateTitlePage) return false;
    std::string page = ReadTextFile(book.folders.libFolder + "OPS/titlepage.htm");
    page = ReplaceAll(page, "$$title$$", book.metadata.title);
    page = ReplaceAll(page, "$$author$$", book.metadata.creator);
    page = ReplaceAll(page, "$$publisher$$", book.metadata.publisher);
    WriteTextFile(book.folders.opsFolder + book.packageNames.titlePage, page);
    return true;
}

}  // namespace quillery
