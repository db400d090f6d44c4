#pragma once
// Writes an ePub's zip container with libzip: the "mimetype" entry first and stored, the
// other entries compressed (pictures, already compressed, stored), into a temporary file
// beside the target that is renamed over it only when complete, so a reader never sees a
// half-written book and a failed write leaves an earlier book whole.

#include <deque>
#include <string>
#include <vector>

namespace quillery::epub {

class ZipContainer {
public:
    // An entry whose bytes are held in memory.
    void AddText(std::string name, std::string bytes);
    // An entry read from a file when the container is written; stored when compress is false.
    void AddFile(std::string name, std::string sourcePath, bool compress);

    // Writes every entry, the mimetype entry first. Throws std::runtime_error naming the file
    // when it cannot be written; the temporary file is removed then.
    void Write(const std::string& path) const;

private:
    struct Entry {
        std::string name;
        std::string bytes;
        std::string sourcePath;  // empty for an in-memory entry
        bool compress = true;
    };
    std::deque<Entry> entries_;
};

}  // namespace quillery::epub
