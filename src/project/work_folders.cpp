// The program folder and the work folders under it (see work_folders.h).

#include "project/work_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "text/paths.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

// The installed layout keeps the data under <prefix>/share/quillery/ beside <prefix>/bin/.
std::string FindDataFolder(const std::string& programFolder) {
    if (fs::is_directory(programFolder + "lib")) return programFolder;
    const fs::path shared =
        fs::path(programFolder).parent_path().parent_path() / "share" / "quillery";
    if (fs::is_directory(shared / "lib")) return WithTrailingSlash(shared.string());
    return programFolder;
}

// Writable state lies in the program folder only in the portable layout, where the data
// folder is the program folder itself; an installed program keeps it in the user's data
// folder, whoever owns bin/.
std::string FindStateFolder(const std::string& programFolder, const std::string& dataFolder) {
    if (const char* over = std::getenv("QUILLERY_STATE_DIR"); over && *over)
        return WithTrailingSlash(over);
    if (dataFolder == programFolder && access(programFolder.c_str(), W_OK) == 0)
        return programFolder;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return WithTrailingSlash(std::string(xdg) + "/quillery");
    const char* home = std::getenv("HOME");
    return WithTrailingSlash(std::string(home ? home : "/tmp") + "/.local/share/quillery");
}

}  // namespace

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return WithTrailingSlash(fs::current_path().string());
    return WithTrailingSlash(exe.parent_path().string());
}

WorkFolders ComputeWorkFolders(const std::string& programFolder) {
    WorkFolders f;
    f.programFolder = WithTrailingSlash(programFolder);
    f.dataFolder = FindDataFolder(f.programFolder);
    f.stateFolder = FindStateFolder(f.programFolder, f.dataFolder);
    f.tempFolder = f.stateFolder + "temp/";
    f.opsFolder = f.tempFolder + "OPS/";
    f.libFolder = f.dataFolder + "lib/";
    f.doctmpFolder = f.stateFolder + "doctmp/";
    f.extFolder = f.dataFolder + "ext/";
    f.langFolder = f.dataFolder + "lang/";
    f.userLangFile = f.stateFolder + "lang/user.lang";
    f.helpPage = f.dataFolder + "help/index.htm";
    f.settingsFile = f.stateFolder + "setting.opt";
    f.defaultBookFolder = f.stateFolder + "myBook/";
    return f;
}

}  // namespace quillery
