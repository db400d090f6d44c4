// Temporary folders for tests (see temp_dir.h).

#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace quillery::testing {

TempDir::TempDir() {
    std::string templ = (fs::temp_directory_path() / "quillery-test-XXXXXX").string();
    if (!mkdtemp(templ.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = templ + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only entries behind; make everything writable first.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& relative, const std::string& content) const {
    const fs::path full = fs::path(path_) / relative;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + full.string());
    return full.string();
}

std::string ProgramFolder() {
    const char* dir = std::getenv("QUILLERY_PROGRAM_DIR");
    if (!dir)
        throw std::runtime_error("QUILLERY_PROGRAM_DIR is not set (run the tests through ctest)");
    std::string folder = dir;
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace quillery::testing
