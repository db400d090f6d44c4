#pragma once
// The resource collectors the make hands to the package document writer: the pictures,
// stylesheets and fonts the chapter copies in the OPS folder use — named by img tags and
// stylesheet links (the web-page import's collectors), by url(...) and @import in their
// <style> blocks and style attributes, and by the stylesheets themselves, followed through
// every @import.

#include "package/opf_writer.h"

namespace quillery {

struct BookResources {
    std::vector<std::string> images;
    std::vector<std::string> stylesheets;
    std::vector<std::string> fonts;
};

// The three lists for the chapter files in `folder`, each entry once, in order of first
// appearance: first what the chapters name, then what the stylesheets name. A url(...) is a
// picture or a font by its extension, else by the first bytes of its file; anything else is
// not listed.
BookResources CollectBookResources(const Book& book, const std::string& folder);

// The collectors over CollectBookResources (gathered once per writing of content.opf).
ResourceCollectors ChapterResourceCollectors();

}  // namespace quillery
