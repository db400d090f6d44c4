#pragma once
// The resource collectors the make hands to the package document writer: the pictures and
// stylesheets the chapter copies in the OPS folder name, found by the web-page import's
// collectors.

#include "package/opf_writer.h"

namespace quillery {

// CollectImages and CollectStylesheets over the chapters' files.
ResourceCollectors ChapterResourceCollectors();

}  // namespace quillery
