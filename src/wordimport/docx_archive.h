#pragma once
// Reading the parts of a .docx package (a zip archive) with bounded sizes: a part larger
// than the cap once unpacked, or an archive whose parts together pass the total cap, is
// refused instead of being inflated into memory.

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace quillery {

// A document the converter cannot read; what() is a sentence for the user.
class DocxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DocxLimits {
    std::size_t maxPartBytes = std::size_t{128} << 20;   // one part, unpacked
    std::size_t maxTotalBytes = std::size_t{512} << 20;  // all parts read, unpacked
};

class DocxArchive {
public:
    // Opens the file; throws DocxError when it is missing, empty, not a zip archive or
    // damaged.
    explicit DocxArchive(const std::string& path, DocxLimits limits = {});
    ~DocxArchive();
    DocxArchive(const DocxArchive&) = delete;
    DocxArchive& operator=(const DocxArchive&) = delete;

    bool Has(const std::string& name) const;
    // The unpacked part; nothing when there is no such part. Throws DocxError when the part
    // is damaged or passes the limits.
    std::optional<std::string> Read(const std::string& name);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quillery
