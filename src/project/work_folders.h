#pragma once
// The program folder and the work folders under it. All folder paths end with "/".
//
// Read-only installed data (lib/, ext/, lang/, help/, examples/) lies in the program folder
// (the folder of the executable), or in <prefix>/share/quillery/ in an installed layout.
// Writable state (setting.opt, temp/, doctmp/, lang/user.lang, myBook/) lies in the program
// folder in the portable layout (the data beside the executable) when that folder is
// writable, otherwise (an installed program, or a read-only folder) in
// $XDG_DATA_HOME/quillery/ (~/.local/share/quillery/).

#include <string>

namespace quillery {

struct WorkFolders {
    std::string programFolder;      // the executable's folder
    std::string dataFolder;         // where the installed read-only data lies
    std::string stateFolder;        // where writable state lies
    std::string tempFolder;         // stateFolder + "temp/": the package root
    std::string opsFolder;          // tempFolder + "OPS/": the package content
    std::string libFolder;          // dataFolder + "lib/": package templates
    std::string doctmpFolder;       // stateFolder + "doctmp/": Word conversion output
    std::string extFolder;          // dataFolder + "ext/": toc.tmp
    std::string langFolder;         // dataFolder + "lang/"
    std::string userLangFile;       // stateFolder + "lang/user.lang"
    std::string helpPage;           // dataFolder + "help/index.htm"
    std::string settingsFile;       // stateFolder + "setting.opt"
    std::string defaultBookFolder;  // stateFolder + "myBook/"
};

// The folder of the running executable (from /proc/self/exe), ending with "/".
std::string ExecutableFolder();

// Computes the work folders for a program folder. The QUILLERY_STATE_DIR environment
// variable, when set, overrides where writable state lies (tests and sandboxes use it).
WorkFolders ComputeWorkFolders(const std::string& programFolder);

}  // namespace quillery
