#pragma once
// Writes OPF packages for the compiler's tests: chapters in the HTML that real books have
// (HTML 4 with unclosed paragraphs, upper-case tags, unquoted attributes, entities, comments,
// scripts) with words of one- to four-byte UTF-8 characters, a stylesheet, pictures (JPEG,
// PNG, GIF, BMP in turn; the PNG far above the image record limit), a 600 x 800 PNG cover, a
// contents page, a nested toc.ncx and links between and within chapters.

#include <string>
#include <vector>

namespace quillery::mobi::testing {

struct TestBookOptions {
    int chapters = 6;
    std::size_t chapterBytes = 9000;  // about this much HTML per chapter
    int pictures = 4;
    bool cover = true;
};

struct TestBook {
    std::string folder;  // ends with "/"
    std::string opfPath;
    std::vector<std::string> chapterPaths;  // package-relative
    std::vector<std::string> pictures;      // package-relative
    // The words a reader shows, separated by blanks: the contents page, then each chapter.
    std::vector<std::string> plainPages;
    std::vector<std::string> tocLines;  // the table of contents as "level|label" lines
};

TestBook WriteTestBook(const std::string& folder, const TestBookOptions& options = {});

}  // namespace quillery::mobi::testing
