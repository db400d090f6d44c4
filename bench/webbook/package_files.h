#pragma once
// The OPF 2.0 package document and the NCX table of contents of the generated web book.

#include <string>
#include <vector>

#include "webbook.h"

namespace quillery::bench {

// content.opf: metadata, a manifest of the chapters, pictures, stylesheet and toc.ncx, the
// spine in chapter order (toc="ncx") and a guide.
std::string ContentOpf(const WebBookOptions& options);

// toc.ncx: a part level ("Part N", pointing at "chNNN.htm#partN") with the chapters of that
// part nested under it. titles holds one chapter title per chapter, in order.
std::string TocNcx(const WebBookOptions& options, const std::vector<std::string>& titles);

}  // namespace quillery::bench
