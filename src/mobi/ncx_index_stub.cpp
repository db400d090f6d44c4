// TEMPORARY: stands in for the NCX index unit until it lands; books get no NCX index.
#include "mobi/ncx_index.h"

namespace quillery::mobi {
std::vector<std::string> BuildNcxIndexRecords(const std::vector<TocEntry>&, std::uint32_t) { return {}; }
std::vector<std::string> BuildNcxIndexRecords(const std::vector<TocEntry>& e) { return BuildNcxIndexRecords(e, kIndexUtf8); }
}  // namespace quillery::mobi
