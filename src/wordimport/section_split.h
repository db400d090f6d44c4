#pragma once
// The Word section split: the cleaned Word HTML in the doctmp folder becomes the book's
// chapter files. Word's image folder becomes "imgs", the style block moves out into
// "style.css", and the body is either split at Word's section divisions into s_1.htm,
// s_2.htm, ... or kept whole as one chapter.

#include <cstdint>
#include <string>
#include <vector>

namespace quillery {

struct SectionSplitOptions {
    bool split = true;            // "Auto split Word HTML on section break"
    bool headingAnchors = false;  // "Heading anchors in split sections"
};

// What the split leaves for the book project.
struct WordChapters {
    std::vector<std::string> files;        // relative to the HTML file's folder
    std::vector<std::int64_t> sizes;       // bytes, parallel to files
    std::vector<std::string> stylesheets;  // {"style.css"} when the style block moved out
    std::string tocChapter;        // the chapter holding `<a name="toc" />`; empty when none
    int tocPosition = 0;           // its position from 1 when split (0: the end of the book)
    bool tocPositionSet = false;   // a split overwrites the TOC position, one chapter does not
    bool split = false;            // the pages are section pages
    std::vector<std::string> log;  // lines for the build log
};

// How the HTML refers to its picture folder: the HTML file's base name with every blank as
// "%20" (and a double quote, which would end the attribute, as "%22"), then "_files/".
std::string PictureFolderReference(const std::string& htmlBaseName);

// The image folder renaming: in the file htmlPath every "<name with %20 for blanks>_files/"
// becomes "imgs/", and the folder "<name>_files" beside it becomes "imgs" (a previous "imgs"
// is replaced). Nothing to rename when there is no such folder.
void RenameImageFolder(const std::string& htmlPath);

// The section split. With options.split off the one file keeps the inner content of its
// first section division (the whole body when it has none) and is the only chapter. With it
// on, each section division starts a page "s_N.htm" (a body without any section division
// gives one page, s_1.htm) and the HTML file is deleted. Throws std::system_error when a
// file cannot be written; pages already written are then removed again.
WordChapters SplitWordHtml(const std::string& htmlPath, const SectionSplitOptions& options);

// The single-chapter list: the file alone as the chapter list (nothing when it does not
// exist), also recorded as the chapter holding the table of contents.
WordChapters SingleChapterList(const std::string& htmlPath);

}  // namespace quillery
