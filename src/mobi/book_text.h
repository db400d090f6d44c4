#pragma once
// Assembles the book's text from the spine: a head with the guide, the body of every
// chapter in reading order with page breaks between them, links resolved to filepos.

#include <optional>
#include <string>
#include <vector>

#include "mobi/book_pictures.h"
#include "mobi/diagnostics.h"
#include "mobi/kf7_text.h"
#include "mobi/opf_package.h"
#include "mobi/thread_pool.h"

namespace quillery::mobi {

struct BookText {
    Kf7Text text{false};
    std::vector<std::string> chapters;  // package-relative paths of the chapters written
};

// nullopt (with an error) when no chapter of the spine could be read. The chapters are
// translated on the pool's threads; the text is the same whatever the pool's size.
std::optional<BookText> AssembleBookText(const OpfPackage& package, bool western,
                                         BookPictures& pictures, Diagnostics& diagnostics,
                                         ThreadPool& pool);

}  // namespace quillery::mobi
