// The book file written through a temporary file (see output_file.h).

#include "opf2mobi/output_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quillery::opf2mobi {
namespace {

// The temporary file being written, removed if the run is interrupted.
char g_temporaryPath[4096] = {0};

extern "C" void RemoveTemporaryAndExit(int) {
    if (g_temporaryPath[0] != '\0') unlink(g_temporaryPath);
    _exit(kExitInterrupted);
}

void GuardTemporary(const std::string& path) {
    std::snprintf(g_temporaryPath, sizeof g_temporaryPath, "%s", path.c_str());
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndExit;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(signal, &action, nullptr);
}

void ReleaseTemporary() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) ::signal(signal, SIG_DFL);
    g_temporaryPath[0] = '\0';
}

}  // namespace

bool WriteFileAtomically(const std::string& folder, const std::string& name,
                         const std::string& bytes, std::string& error) {
    std::string temporary = folder + "." + name + ".XXXXXX";
    // No interruption between creating the temporary file and arming its removal.
    sigset_t interruptions, previous;
    sigemptyset(&interruptions);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&interruptions, signal);
    sigprocmask(SIG_BLOCK, &interruptions, &previous);
    const int fd = mkstemp(temporary.data());
    if (fd >= 0) GuardTemporary(temporary);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (fd < 0) {
        error = "cannot create a file in \"" + folder + "\": " + std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; give it the permissions of any newly created file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot write \"" + folder + name + "\": " + std::strerror(errno);
            close(fd);
            unlink(temporary.c_str());
            ReleaseTemporary();
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        error = "cannot write \"" + folder + name + "\": " + std::strerror(errno);
        unlink(temporary.c_str());
        ReleaseTemporary();
        return false;
    }
    if (std::rename(temporary.c_str(), (folder + name).c_str()) != 0) {
        error = "cannot replace \"" + folder + name + "\": " + std::strerror(errno);
        unlink(temporary.c_str());
        ReleaseTemporary();
        return false;
    }
    ReleaseTemporary();
    return true;
}

}  // namespace quillery::opf2mobi
