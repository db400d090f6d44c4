#pragma once
// The package document content.opf: the template with the book's metadata in place of its
// placeholders and the generated manifest items, spine references and guide references.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "project/book.h"

namespace quillery {

// Gathers a resource list afresh from the chapter copies in `folder` (the OPS folder).
using ResourceCollector =
    std::function<std::vector<std::string>(const Book& book, const std::string& folder)>;

struct ResourceCollectors {
    ResourceCollector images;       // unset: book.images is used as it stands
    ResourceCollector stylesheets;  // unset: book.stylesheets is used as it stands
    ResourceCollector fonts;        // unset: book.fonts is used as it stands
};

// "Make Content" and the make's compile stage (after WriteTocFiles): writes OPS/content.opf
// from lib/OPS/content.opf. book.metadata.date becomes today's date ("yyyy-mm-dd"); the image
// list and (unless book.wordImport) the stylesheet list are gathered afresh with `collect`
// and stored in the Book; the images are copied into the OPS folder; missing images and
// stylesheets are logged. An empty book.tocFileName becomes the first chapter's file name.
// Throws std::system_error when a file cannot be written or copied.
void WriteContentOpf(Book& book, const ResourceCollectors& collect);
// The same with the date given ("yyyy-mm-dd") instead of taken from the clock.
void WriteContentOpf(Book& book, const ResourceCollectors& collect, std::string_view date);

// Today's date in the local time zone, "yyyy-mm-dd".
std::string TodayIsoDate();

// The generated parts, each with its CR LF line ends and tab indents:
// manifest items for cover page, title page, toc.htm and the chapters (n0, n1, ...);
std::string ChapterManifestItems(const Book& book);
// spine references, with the tocpage reference before chapter tocPosition;
std::string SpineItemRefs(const Book& book);
// the guide's cover reference (empty without cover picture and title page), its start
// reference and its toc reference (setting an empty book.tocFileName to the first file).
std::string GuideCoverReference(const Book& book);
std::string GuideStartReference(const Book& book);
std::string GuideTocReference(Book& book);

}  // namespace quillery
