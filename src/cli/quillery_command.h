#pragma once
// The quillery command: the same core operations the window drives, run from arguments.

#include <cstdio>
#include <string>
#include <vector>

#include "project/work_folders.h"

namespace quillery::cli {

// Exit statuses.
inline constexpr int kExitMade = 0;
inline constexpr int kExitCompileFailed = 1;
inline constexpr int kExitStopped = 2;  // a precondition or usage error

// Runs the command given by args (without the program name) against the work folders of
// folders: the build log goes to out, messages and progress lines to err.
int RunQuillery(const std::vector<std::string>& args, WorkFolders folders, std::FILE* out,
                std::FILE* err);

// The chapter files named by the inputs: HTML files in the order given (all in one folder),
// or one folder's *.htm, *.html and *.xhtml files in name order; full paths. Throws
// UsageError (cli_options.h) when an input does not exist or the files are not in one folder.
std::vector<std::string> ChapterFilesOf(const std::vector<std::string>& inputs);

}  // namespace quillery::cli
