#pragma once
// Assembles the book's text from the spine: a head with the guide, the body of every
// chapter in reading order with page breaks between them, links resolved to filepos. The text
// goes into its records as each chapter joins it; the book keeps its anchors and length.

#include <optional>
#include <string>
#include <vector>

#include "mobi/book_pictures.h"
#include "mobi/diagnostics.h"
#include "mobi/kf7_text.h"
#include "mobi/opf_package.h"
#include "mobi/text_record_stream.h"
#include "mobi/thread_pool.h"

namespace quillery::mobi {

struct BookText {
    Kf7Text text{false};  // released into the records: its anchors and Position() remain
    std::vector<std::string> chapters;  // package-relative paths of the chapters written
};

// nullopt (with an error) when no chapter of the spine could be read. The chapters are
// translated on the pool's threads; the text is the same whatever the pool's size. Its bytes
// go into `records`, finished.
std::optional<BookText> AssembleBookText(const OpfPackage& package, bool western,
                                         BookPictures& pictures, Diagnostics& diagnostics,
                                         ThreadPool& pool, TextRecordStream& records);

}  // namespace quillery::mobi
