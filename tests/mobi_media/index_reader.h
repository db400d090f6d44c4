#pragma once
// A small reader of the navigation index records, written from the documented layout, to read
// back what the compiler writes.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillery::mobi::testing {

struct ReadEntry {
  std::string name;
  std::map<int, std::uint32_t> tags;  // tag number -> value
  std::string label;                  // resolved through the label records
};

struct ReadIndex {
  std::uint32_t encoding = 0;
  std::uint32_t totalEntries = 0;
  std::uint32_t dataRecordCount = 0;
  std::uint32_t labelRecordCount = 0;
  std::vector<std::pair<int, int>> tagTable;  // tag number, bit mask
  std::vector<ReadEntry> entries;
};

// Reads the header record, the data records and the label records (in that order, as given).
// nullopt with `error` set when anything does not follow the layout.
std::optional<ReadIndex> ReadNavigationIndex(const std::vector<std::string>& records,
                                             std::string& error);

}  // namespace quillery::mobi::testing
