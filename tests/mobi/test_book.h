#pragma once
// Writes OPF packages for the compiler's tests and benchmark: chapters in the HTML that real
// books have (HTML 4 with unclosed paragraphs, upper-case tags, unquoted attributes,
// entities, comments, scripts), a stylesheet, pictures of every kind, a cover, a nested
// toc.ncx and links between and within chapters.

#include <string>
#include <vector>

namespace quillery::mobi::testing {

struct TestBookOptions {
    int chapters = 6;
    std::size_t chapterBytes = 9000;  // about this much HTML per chapter
    int pictures = 4;                 // JPEG, PNG, GIF, BMP in turn
    bool bigPicture = true;           // one picture far above the image record limit
    bool cover = true;
    std::string title = "The Test Book";
    std::string author = "Ann Author";
    std::string publisher = "Quill Press";
    std::string language = "en";
    unsigned seed = 7;
};

struct TestChapter {
    std::string path;                     // package-relative
    std::string plainText;                // the words a reader shows, separated by blanks
    std::vector<std::string> sectionIds;  // ids of the h2 sections, in order
};

struct TestBook {
    std::string folder;  // ends with "/"
    std::string opfPath;
    std::vector<TestChapter> chapters;
    std::string contentsPlainText;  // the words of the contents page, the first page of the book
    std::vector<std::string> pictures;  // package-relative paths
    std::string coverPath;              // empty without cover
    // The table of contents as "level|label" lines, in reading order.
    std::vector<std::string> tocLines;
};

TestBook WriteTestBook(const std::string& folder, const TestBookOptions& options);

// A picture of `width` x `height` with some texture, encoded as "jpeg", "png", "gif" or "bmp".
std::string MakeTestPicture(const std::string& format, int width, int height, unsigned seed);

// Folds runs of white space to one blank and trims the ends.
std::string FoldSpaces(const std::string& text);

}  // namespace quillery::mobi::testing
