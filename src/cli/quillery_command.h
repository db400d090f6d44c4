#pragma once
// The quillery command: the same core operations the window drives, run from arguments.

#include <cstdio>
#include <string>
#include <vector>

#include "project/work_folders.h"

namespace quillery::cli {

// Exit statuses, as the compiler's.
inline constexpr int kExitMade = 0;              // the book was made cleanly
inline constexpr int kExitMadeWithWarnings = 1;  // made, but the compiler left something out
inline constexpr int kExitNoBook = 2;  // a usage or precondition error, or a failed compile

// Runs the command given by args (without the program name) against the work folders of
// folders: the build log goes to out, byte for byte, messages and progress lines to err.
// The work folders are locked for the run (WorkFolderLock): a second run waits for the
// first, or with --no-wait stops.
int RunQuillery(const std::vector<std::string>& args, WorkFolders folders, std::FILE* out,
                std::FILE* err);

// The chapter files named by the inputs: HTML files in the order given (all in one folder),
// or one folder's *.htm, *.html and *.xhtml files in name order; full paths. Throws
// UsageError (cli_options.h) when an input does not exist or the files are not in one folder.
std::vector<std::string> ChapterFilesOf(const std::vector<std::string>& inputs);

}  // namespace quillery::cli
