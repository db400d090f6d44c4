#pragma once
// The EXTH block of record 0: the book's metadata as numbered records.

#include <cstdint>
#include <string>
#include <vector>

namespace quillery::mobi {

enum ExthType : std::uint32_t {
    kExthAuthor = 100,
    kExthPublisher = 101,
    kExthDescription = 103,
    kExthIsbn = 104,
    kExthSubject = 105,
    kExthPublishingDate = 106,
    kExthCoverOffset = 201,
    kExthThumbnailOffset = 202,
    kExthHasFakeCover = 203,
    kExthCreatorSoftware = 204,
    kExthCreatorMajor = 205,
    kExthCreatorMinor = 206,
    kExthCreatorBuild = 207,
    kExthDocumentType = 501,
    kExthUpdatedTitle = 503,
    kExthLanguage = 524,
    kExthCreatorBuildTag = 535,
};

struct ExthRecord {
    std::uint32_t type = 0;
    std::string data;
};

class ExthBlock {
public:
    void AddText(std::uint32_t type, const std::string& text);  // skipped when empty
    void AddNumber(std::uint32_t type, std::uint32_t value);
    // "EXTH", length, count, the records, padded to a multiple of four bytes.
    std::string Serialize() const;
    const std::vector<ExthRecord>& records() const { return records_; }

private:
    std::vector<ExthRecord> records_;
};

}  // namespace quillery::mobi
