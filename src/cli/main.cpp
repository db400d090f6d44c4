// quillery: makes a MOBI book from web pages on the command line.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/interruptions.h"
#include "cli/quillery_command.h"

int main(int argc, char** argv) {
    quillery::cli::InstallInterruptionHandlers();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto folders = quillery::ComputeWorkFolders(quillery::ExecutableFolder());
    return quillery::cli::RunQuillery(args, folders, stdout, stderr);
}
