// The ePub's zip container (see zip_container.h).

#include "epub/zip_container.h"

#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace quillery::epub {

namespace {

// A libzip source serving bytes deflated ahead: its statistics say they are deflated, with
// the size and CRC of the original, so zip_close copies them without compressing again.
class DeflatedSource {
public:
    explicit DeflatedSource(const DeflatedBytes& bytes) : bytes_(bytes) { zip_error_init(&error_); }
    ~DeflatedSource() { zip_error_fini(&error_); }
    DeflatedSource(const DeflatedSource&) = delete;
    DeflatedSource& operator=(const DeflatedSource&) = delete;

    static zip_int64_t Callback(void* self, void* data, zip_uint64_t length,
                                zip_source_cmd_t command) {
        return static_cast<DeflatedSource*>(self)->Serve(data, length, command);
    }

private:
    zip_int64_t Serve(void* data, zip_uint64_t length, zip_source_cmd_t command) {
        switch (command) {
            case ZIP_SOURCE_OPEN:
                offset_ = 0;
                return 0;
            case ZIP_SOURCE_READ: {
                const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(length),
                                                                bytes_.deflated.size() - offset_);
                std::memcpy(data, bytes_.deflated.data() + offset_, count);
                offset_ += count;
                return static_cast<zip_int64_t>(count);
            }
            case ZIP_SOURCE_CLOSE:
            case ZIP_SOURCE_FREE:  // the container owns this object
                return 0;
            case ZIP_SOURCE_STAT: {
                auto* stat = static_cast<zip_stat_t*>(data);
                zip_stat_init(stat);
                stat->valid =
                    ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
                stat->size = bytes_.size;
                stat->comp_size = bytes_.deflated.size();
                stat->comp_method = ZIP_CM_DEFLATE;
                stat->crc = bytes_.crc;
                return sizeof(zip_stat_t);
            }
            case ZIP_SOURCE_ERROR:
                return zip_error_to_data(&error_, data, length);
            case ZIP_SOURCE_SUPPORTS:
                return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                      ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                      ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
            default:
                zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
                return -1;
        }
    }

    const DeflatedBytes& bytes_;
    std::size_t offset_ = 0;
    zip_error_t error_;
};

}  // namespace

void ZipContainer::AddText(std::string name, std::string_view bytes) {
    if (name == "mimetype") {
        entries_.push_back({std::move(name), Kind::StoredText, std::string(bytes), {}, {}});
    } else {
        AddDeflated(std::move(name), Deflate(bytes));
    }
}

void ZipContainer::AddDeflated(std::string name, DeflatedBytes bytes) {
    entries_.push_back({std::move(name), Kind::Deflated, {}, std::move(bytes), {}});
}

void ZipContainer::AddFile(std::string name, std::string sourcePath, bool compress) {
    entries_.push_back({std::move(name), Kind::File, {}, {}, std::move(sourcePath), compress});
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
    std::deque<DeflatedSource> deflatedSources;  // read by zip_close, so kept until then
    for (const Entry* e : ordered) {
        zip_source_t* source = nullptr;
        switch (e->kind) {
            case Kind::StoredText:
                source = zip_source_buffer(archive, e->bytes.data(), e->bytes.size(), 0);
                break;
            case Kind::Deflated:
                source = zip_source_function(archive, DeflatedSource::Callback,
                                             &deflatedSources.emplace_back(e->deflated));
                break;
            case Kind::File:
                source = zip_source_file(archive, e->sourcePath.c_str(), 0, -1);
                break;
        }
        if (!source) fail(e->kind == Kind::File ? e->sourcePath : e->name);
        const zip_int64_t index =
            zip_file_add(archive, e->name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            fail(e->name);
        }
        // A deflated entry keeps the default method, which takes the source's own.
        if (e->kind == Kind::Deflated) continue;
        const bool compress = e->kind == Kind::File && e->compress;
        const bool ok = compress
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
