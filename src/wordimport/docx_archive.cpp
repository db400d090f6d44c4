// Reading the parts of a .docx package (a zip archive) with bounded sizes (see docx_archive.h).

#include "wordimport/docx_archive.h"

#include <zip.h>

#include <algorithm>

namespace quillery {
namespace {

constexpr const char* kNotDocx =
    "This file is not a Word document (.docx): it cannot be opened as one, or it is damaged.";
constexpr const char* kDamagedPart = "This Word document is damaged: a part of it cannot be read.";
constexpr const char* kTooLarge =
    "This Word document is too large to import: its parts unpack to more than the import "
    "allows.";

}  // namespace

struct DocxArchive::Impl {
    zip_t* archive = nullptr;
    DocxLimits limits;
    std::size_t totalRead = 0;
};

DocxArchive::DocxArchive(const std::string& path, DocxLimits limits)
    : impl_(std::make_unique<Impl>()) {
    impl_->limits = limits;
    int error = 0;
    // ZIP_CHECKCONS: a truncated or inconsistent archive is refused at once.
    impl_->archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (impl_->archive == nullptr) throw DocxError(kNotDocx);
    if (zip_get_num_entries(impl_->archive, 0) <= 0) {
        zip_discard(impl_->archive);
        impl_->archive = nullptr;
        throw DocxError(kNotDocx);
    }
}

DocxArchive::~DocxArchive() {
    if (impl_->archive != nullptr) zip_discard(impl_->archive);
}

bool DocxArchive::Has(const std::string& name) const {
    return zip_name_locate(impl_->archive, name.c_str(), 0) >= 0;
}

std::optional<std::string> DocxArchive::Read(const std::string& name) {
    const zip_int64_t index = zip_name_locate(impl_->archive, name.c_str(), 0);
    if (index < 0) return std::nullopt;
    zip_file_t* file = zip_fopen_index(impl_->archive, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) throw DocxError(kDamagedPart);
    // The sizes in the archive's directory are not trusted: reading stops at the cap.
    const std::size_t allowed =
        std::min(impl_->limits.maxPartBytes, impl_->limits.maxTotalBytes - impl_->totalRead);
    std::string data;
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t got = zip_fread(file, buffer, sizeof buffer);
        if (got < 0) {
            zip_fclose(file);
            throw DocxError(kDamagedPart);
        }
        if (got == 0) break;
        if (data.size() + static_cast<std::size_t>(got) > allowed) {
            zip_fclose(file);
            throw DocxError(kTooLarge);
        }
        data.append(buffer, static_cast<std::size_t>(got));
    }
    // A failed checksum shows when the file is closed.
    if (zip_fclose(file) != 0) throw DocxError(kDamagedPart);
    impl_->totalRead += data.size();
    return data;
}

}  // namespace quillery
