#pragma once
// Chapter lists for tests: made from file names and titles, and read back as plain lists.

#include <string>
#include <vector>

#include "project/book.h"

namespace quillery::testing {

// One chapter per file; titles[i] (when given) becomes chapter i's title.
inline std::vector<Chapter> ChaptersOf(const std::vector<std::string>& files,
                                       const std::vector<std::string>& titles = {}) {
    std::vector<Chapter> chapters;
    for (std::size_t i = 0; i < files.size(); ++i) {
        Chapter chapter;
        chapter.file = files[i];
        if (i < titles.size()) chapter.title = titles[i];
        chapters.push_back(std::move(chapter));
    }
    return chapters;
}

// The titles the chapters have, in order (chapters without one are left out).
inline std::vector<std::string> TitlesOf(const Book& book) {
    std::vector<std::string> titles;
    for (const Chapter& chapter : book.chapters)
        if (chapter.title) titles.push_back(*chapter.title);
    return titles;
}

}  // namespace quillery::testing
