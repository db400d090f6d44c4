#pragma once
// The generated web book used by the benchmarks: a folder of UTF-8 chapter pages with
// headings, paragraphs, links between chapters, pictures and one stylesheet, and on request
// an OPF package (content.opf, toc.ncx) beside them.
//
// Layout of the output folder:
//   ch001.htm ... chNNN.htm   chapters (XHTML; three digits at least, more when needed)
//   style.css                 the stylesheet every chapter links to
//   images/img001.jpg ...     JPEG pictures; every tenth one is large (over 127 KB)
//   content.opf, toc.ncx      only with the package option

#include <string>

namespace quillery::bench {

struct WebBookOptions {
    std::string folder;  // output folder, ending with "/"; created when missing
    int chapters = 300;
    int chapter_kb = 60;  // approximate size of each chapter file
    int images = 100;
    bool package = false;        // also write content.opf and toc.ncx
    int chapters_per_part = 10;  // NCX part level
};

// Chapter and picture file names, relative to the output folder.
std::string ChapterFileName(int number, int count);
std::string ImageFileName(int number, int count);

// Writes the book. Returns an empty string on success, otherwise a message saying what
// could not be written.
std::string WriteWebBook(const WebBookOptions& options);

}  // namespace quillery::bench
