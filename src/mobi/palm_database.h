#pragma once
// The Palm database container of a MOBI book: a 78-byte header, the record list and the
// records.

#include <cstdint>
#include <string>
#include <vector>

namespace quillery::mobi {

// Type "BOOK", creator "MOBI"; `time` in seconds since 1970 for the three dates.
// The records are released as they are copied in.
std::string BuildPalmDatabase(const std::string& name, std::vector<std::string> records,
                              std::uint32_t time);

}  // namespace quillery::mobi
