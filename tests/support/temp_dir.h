#pragma once
// A fresh folder under the system temp folder, removed with everything in it at the end.

#include <string>

namespace quillery::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with "/".
    const std::string& path() const { return path_; }
    // path() + relative, creating the parent folders; writes content when given.
    std::string Write(const std::string& relative, const std::string& content) const;

private:
    std::string path_;
};

// The program folder of the build (executables beside the data files).
std::string ProgramFolder();

}  // namespace quillery::testing
