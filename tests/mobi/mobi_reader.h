#pragma once
// A MOBI file as libmobi, an independent reader, sees it.

#include <mobi.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillery::mobi::testing {

struct ReadNcxEntry {
    std::string label;
    std::uint32_t offset = 0, length = 0;
    int level = -1, parent = -1;
};

class LibMobiBook {
public:
    explicit LibMobiBook(const std::string& path);
    ~LibMobiBook();
    LibMobiBook(const LibMobiBook&) = delete;
    LibMobiBook& operator=(const LibMobiBook&) = delete;

    bool loaded() const { return loaded_; }
    const MOBIData* data() const { return data_; }
    // The decompressed text of every text record, trailing entries removed.
    std::optional<std::string> Text() const;
    std::optional<std::string> ExthText(MOBIExthTag tag) const;
    std::optional<std::uint32_t> ExthNumber(MOBIExthTag tag) const;
    std::optional<std::string> Record(std::size_t index) const;
    // libmobi's full parse of the text and its indices (as its EPUB rebuilding does).
    bool ParsesRawml() const;
    // The NCX index, labels read from the CNCX records; nullopt without a parsable index.
    std::optional<std::vector<ReadNcxEntry>> Ncx() const;

private:
    MOBIData* data_ = nullptr;
    bool loaded_ = false;
};

}  // namespace quillery::mobi::testing
