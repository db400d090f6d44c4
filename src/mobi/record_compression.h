#pragma once
// The book's text records compressed on the compiler's threads: each 4,096-byte piece on its
// own (PalmDOC), or all against one dictionary (Huffdic). The records are the same whatever
// the number of threads.

#include <string>
#include <string_view>
#include <vector>

#include "mobi/huffdic.h"
#include "mobi/text_records.h"
#include "mobi/thread_pool.h"

namespace quillery::mobi {

// The pieces of `text` (SplitTextRecords), each stored as it is (None) or PalmDOC-compressed,
// without trailing entries.
std::vector<std::string> CompressTextPieces(std::string_view text, TextCompression compression,
                                            ThreadPool& pool);

}  // namespace quillery::mobi
