#include "project/work_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace quillery {

namespace {

std::string Slashed(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// The installed layout keeps the data under <prefix>/share/quillery/ beside <prefix>/bin/.
std::string FindDataFolder(const std::string& programFolder) {
    if (fs::is_directory(programFolder + "lib")) return programFolder;
    const fs::path shared =
        fs::path(programFolder).parent_path().parent_path() / "share" / "quillery";
    if (fs::is_directory(shared / "lib")) return Slashed(shared.string());
    return programFolder;
}

std::string FindStateFolder(const std::string& programFolder) {
    if (const char* over = std::getenv("QUILLERY_STATE_DIR"); over && *over) return Slashed(over);
    if (access(programFolder.c_str(), W_OK) == 0) return programFolder;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return Slashed(std::string(xdg) + "/quillery");
    const char* home = std::getenv("HOME");
    return Slashed(std::string(home ? home : "/tmp") + "/.local/share/quillery");
}

}  // namespace

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return Slashed(fs::current_path().string());
    return Slashed(exe.parent_path().string());
}

WorkFolders ComputeWorkFolders(const std::string& programFolder) {
    WorkFolders f;
    f.programFolder = Slashed(programFolder);
    f.dataFolder = FindDataFolder(f.programFolder);
    f.stateFolder = FindStateFolder(f.programFolder);
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
