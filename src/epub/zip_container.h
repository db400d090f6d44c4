#pragma once
// Writes an ePub's zip container with libzip: the "mimetype" entry first and stored, the
// other entries compressed (pictures, already compressed, stored), into a temporary file
// beside the target that is renamed over it only when complete, so a reader never sees a
// half-written book and a failed write leaves an earlier book whole. Text entries are
// deflated before the write (see deflated_bytes.h); libzip copies them as they are.

#include <deque>
#include <string>
#include <string_view>

#include "epub/deflated_bytes.h"

namespace quillery::epub {

class ZipContainer {
public:
    // An entry whose bytes are held in memory: deflated now, but "mimetype", which is stored.
    void AddText(std::string name, std::string_view bytes);
    // An entry deflated ahead, on whatever thread made it.
    void AddDeflated(std::string name, DeflatedBytes bytes);
    // An entry read from a file when the container is written; stored when compress is false.
    void AddFile(std::string name, std::string sourcePath, bool compress);

    // Writes every entry, the mimetype entry first. Throws std::runtime_error naming the file
    // when it cannot be written; the temporary file is removed then.
    void Write(const std::string& path) const;

private:
    enum class Kind { StoredText, Deflated, File };
    struct Entry {
        std::string name;
        Kind kind;
        std::string bytes;       // StoredText
        DeflatedBytes deflated;  // Deflated
        std::string sourcePath;  // File
        bool compress = true;    // File
    };
    std::deque<Entry> entries_;
};

}  // namespace quillery::epub
