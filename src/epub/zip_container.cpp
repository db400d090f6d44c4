// The ePub's zip container (see zip_container.h).

#include "epub/zip_container.h"

#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace quillery::epub {

void ZipContainer::AddText(std::string name, std::string bytes) {
    const bool compress = name != "mimetype";
    entries_.push_back({std::move(name), std::move(bytes), {}, compress});
}

void ZipContainer::AddFile(std::string name, std::string sourcePath, bool compress) {
    entries_.push_back({std::move(name), {}, std::move(sourcePath), compress});
}

void ZipContainer::Write(const std::string& path) const {
    const std::string temporary = path + ".tmp-" + std::to_string(::getpid());
    int errorCode = 0;
    zip_t* archive = zip_open(temporary.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &errorCode);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, errorCode);
        const std::string message = "Cannot write " + path + ": " + zip_error_strerror(&error);
        zip_error_fini(&error);
        throw std::runtime_error(message);
    }
    const auto fail = [&](const std::string& what) {
        const std::string message = "Cannot write " + path + ": " + what + ": " +
                                    zip_error_strerror(zip_get_error(archive));
        zip_discard(archive);
        std::error_code ec;
        fs::remove(temporary, ec);
        throw std::runtime_error(message);
    };
    // The mimetype entry must come first, so it is added before the others whatever the order
    // they were given in.
    std::vector<const Entry*> ordered;
    for (const Entry& e : entries_)
        if (e.name == "mimetype") ordered.push_back(&e);
    for (const Entry& e : entries_)
        if (e.name != "mimetype") ordered.push_back(&e);
    for (const Entry* e : ordered) {
        zip_source_t* source = e->sourcePath.empty()
                                   ? zip_source_buffer(archive, e->bytes.data(), e->bytes.size(), 0)
                                   : zip_source_file(archive, e->sourcePath.c_str(), 0, -1);
        if (!source) fail(e->sourcePath.empty() ? e->name : e->sourcePath);
        const zip_int64_t index =
            zip_file_add(archive, e->name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            fail(e->name);
        }
        const bool ok = e->compress
                            ? zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                       ZIP_CM_DEFLATE, 1) == 0
                            : zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                                       ZIP_CM_STORE, 0) == 0;
        if (!ok) fail(e->name);
    }
    if (zip_close(archive) != 0) fail("closing the archive");
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throw std::runtime_error("Cannot write " + path + ": " + ec.message());
    }
}

}  // namespace quillery::epub
