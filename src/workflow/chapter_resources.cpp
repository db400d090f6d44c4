// The make's resource collectors (see chapter_resources.h).

#include "workflow/chapter_resources.h"

#include "htmlimport/resource_links.h"

namespace quillery {

ResourceCollectors ChapterResourceCollectors() {
    ResourceCollectors collect;
    collect.images = [](const Book& book, const std::string& folder) {
        return CollectImages(folder, ChapterFiles(book));
    };
    collect.stylesheets = [](const Book& book, const std::string& folder) {
        return CollectStylesheets(folder, ChapterFiles(book));
    };
    return collect;
}

}  // namespace quillery
