#pragma once
// Writes the body of one chapter into the book's text as KF7 markup: the tags the renderer
// knows, the stylesheet's rules as markup, links as filepos placeholders, pictures as
// recindex references, ids as anchors.

#include <functional>
#include <string>

#include "mobi/css_subset.h"
#include "mobi/diagnostics.h"
#include "mobi/html_document.h"
#include "mobi/kf7_text.h"

namespace quillery::mobi {

struct ChapterContext {
    std::string chapterPath;  // package-relative path of the chapter
    const StyleSheet* styles = nullptr;
    // The 1-based image record number for a package-relative picture path, 0 when it cannot be
    // used.
    std::function<int(const std::string& picturePath)> pictureIndex;
    // True when a package-relative path is a chapter of the book.
    std::function<bool(const std::string& path)> isChapter;
    Diagnostics* diagnostics = nullptr;
};

// The anchor key of a position in a chapter: "text/ch1.html" or "text/ch1.html#sec2".
std::string AnchorKey(const std::string& chapterPath, const std::string& fragment);

// Writes the body of `document` (its content, without <body> itself).
void WriteChapterBody(const HtmlDocument& document, const ChapterContext& context, Kf7Text& out);

}  // namespace quillery::mobi
