// Text records compressed on several threads (see record_compression.h).

#include "mobi/record_compression.h"

#include "mobi/palmdoc.h"

namespace quillery::mobi {

std::vector<std::string> CompressTextPieces(std::string_view text, TextCompression compression,
                                            ThreadPool& pool) {
    const auto pieces = SplitTextRecords(text);
    std::vector<std::string> records(pieces.size());
    pool.ForEach(pieces.size(), [&](std::size_t i) {
        records[i] = compression == TextCompression::PalmDoc ? PalmDocCompress(pieces[i])
                                                             : std::string(pieces[i]);
    });
    return records;
}

}  // namespace quillery::mobi
