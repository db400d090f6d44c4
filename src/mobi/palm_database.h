#pragma once
// The Palm database container of a MOBI book: a 78-byte header, the record list and the
// records.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillery::mobi {

// The database as it is written: the header with the record list, then the records. They are
// kept apart so that the file is written from them, never copied into one buffer first.
struct PalmDatabase {
    std::string header;
    std::vector<std::string> records;

    std::vector<std::string_view> Pieces() const;  // the file's bytes, in order
    std::string Bytes() const;                     // the whole file
};

// Type "BOOK", creator "MOBI"; `time` in seconds since 1970 for the three dates.
PalmDatabase BuildPalmDatabase(const std::string& name, std::vector<std::string> records,
                               std::uint32_t time);

}  // namespace quillery::mobi
