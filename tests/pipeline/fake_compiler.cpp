#include "fake_compiler.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace quillery::testing {

namespace {

std::string WriteScript(const std::string& path, const std::string& body) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << "#!/bin/sh\n" << body;
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    return path;
}

}  // namespace

std::string WriteGoodCompiler(const std::string& folder) {
    return WriteScript(
        folder + "fake-compiler",
        "opf=\"$1\"; out=\"\"\n"
        "shift; options=\"\"\n"
        "while [ $# -gt 0 ]; do\n"
        "  if [ \"$1\" = -o ]; then out=\"$2\"; shift; else options=\"$options $1\"; fi\n"
        "  shift\n"
        "done\n"
        "echo \"fake compiler: built $out from $opf\"\n"
        "echo \"fake compiler options:$options\"\n"
        "printf 'BOOKMOBI' > \"$(dirname \"$opf\")/$out\"\n");
}

std::string WriteFailingCompiler(const std::string& folder) {
    return WriteScript(folder + "failing-compiler",
                       "echo 'Error(fake): the book could not be built'\nexit 0\n");
}

std::string TreeSnapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string rel = fs::relative(entry.path(), folder).string();
        if (entry.is_directory()) {
            files[rel + "/"] = "";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            files[rel] = text.str();
        }
    }
    std::string snapshot;
    for (const auto& [name, content] : files)
        snapshot += name + "\n" + std::to_string(content.size()) + "\n" + content;
    return snapshot;
}

}  // namespace quillery::testing
