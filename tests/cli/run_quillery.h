#pragma once
// Runs the built quillery program as a user would, with its work folders in a temp state
// folder, and collects its exit status, standard output and standard error.

#include <string>
#include <vector>

namespace quillery::testing {

struct QuilleryRun {
    int status = -1;
    std::string out;  // the build log
    std::string err;  // messages and progress lines
};

// Runs build/bin/quillery with args in workFolder (ends with "/"), QUILLERY_STATE_DIR set to
// workFolder + "state", standard input from /dev/null.
QuilleryRun RunQuilleryProgram(const std::string& workFolder, const std::vector<std::string>& args);

// Creates folder + "chapters/" with three small web pages (01_one.htm, 02_two.htm,
// "03 three.htm"), a stylesheet, a picture and a cover picture; gives the folder.
std::string WriteSmallWebBook(const std::string& folder);

}  // namespace quillery::testing
