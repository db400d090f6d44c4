#pragma once
// PalmDOC compression, the LZ77 variant of the MOBI text records: literals, "space +
// character" pairs and back-references of 3 to 10 bytes up to 2,047 bytes back.

#include <optional>
#include <string>
#include <string_view>

namespace quillery::mobi {

std::string PalmDocCompress(std::string_view text);
// The same, appended to `out` (a buffer used again and again spares an allocation a record).
void PalmDocCompressInto(std::string_view text, std::string& out);

// nullopt when the data is not valid PalmDOC (a reference before the start, a cut token).
std::optional<std::string> PalmDocDecompress(std::string_view data);

}  // namespace quillery::mobi
