// The quillery command's signal handling (see interruptions.h).

#include "cli/interruptions.h"

#include <signal.h>

#include "project/command_runner.h"
#include "text/text_file.h"

namespace quillery::cli {

namespace {

extern "C" void EndCleanly(int signal) {
    EndRunningCommand();
    RemoveUnfinishedTemporaryFile();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

}  // namespace

void InstallInterruptionHandlers() {
    struct sigaction action {};
    action.sa_handler = EndCleanly;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(signal, &action, nullptr);
    ::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace quillery::cli
