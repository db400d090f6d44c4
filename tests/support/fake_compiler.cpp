// Stand-in MOBI compilers for tests (see fake_compiler.h).

#include "fake_compiler.h"

#include <filesystem>

#include "project/command_runner.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {

namespace {

std::string WriteScript(const std::string& path, const std::string& body) {
    fs::create_directories(fs::path(path).parent_path());
    WriteTextFile(path, "#!/bin/sh\n" + body);
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::add);
    return path;
}

}  // namespace

std::string WriteGoodCompiler(const std::string& folder, int warnings) {
    std::string warningLines;
    for (int i = 1; i <= warnings; ++i)
        warningLines += "echo 'Warning(fake): picture " + std::to_string(i) + " left out'\n";
    return WriteScript(
        folder + "fake-compiler",
        warningLines +
            "printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n"
            "opf=\"$1\"; out=\"\"; shift; options=\"\"\n"
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

std::string WriteScriptCompiler(const std::string& folder, const std::string& body) {
    return WriteScript(folder + "script-compiler", body + "\n");
}

std::string TreeSnapshot(const std::string& folder) {
    return RunCommand("find . | sort; find . -type f -exec cksum {} + | sort", folder);
}

}  // namespace quillery::testing
