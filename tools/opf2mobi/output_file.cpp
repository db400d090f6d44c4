// The book file written through a temporary file (see output_file.h).

#include "opf2mobi/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quillery::opf2mobi {
namespace {

// The signals that end a run while the book is written: interruptions, and the file size
// limit (SIGXFSZ) that a long book can reach.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ};

// The temporary file being written, removed if the run is ended meanwhile. A copy of its
// whole path on the heap: the handler may only read it, not build it.
std::atomic<const char*> g_temporaryPath{nullptr};

void WriteToConsole(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') ++length;
    while (length > 0) {
        const ssize_t n = write(STDOUT_FILENO, text, length);
        if (n <= 0) return;
        text += n;
        length -= static_cast<std::size_t>(n);
    }
}

extern "C" void RemoveTemporaryAndExit(int signal) {
    if (const char* path = g_temporaryPath.load()) unlink(path);
    WriteToConsole(signal == SIGXFSZ
                       ? "Error(opf2mobi): the file size limit was reached; the book was not "
                         "written\n"
                       : "Error(opf2mobi): interrupted; the book was not written\n");
    _exit(kExitInterrupted);
}

void GuardTemporary(const std::string& path) {
    char* copy = new char[path.size() + 1];
    std::memcpy(copy, path.c_str(), path.size() + 1);
    g_temporaryPath.store(copy);
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndExit;
    sigemptyset(&action.sa_mask);
    for (int signal : kEndingSignals) sigaddset(&action.sa_mask, signal);
    for (int signal : kEndingSignals) sigaction(signal, &action, nullptr);
}

void ReleaseTemporary() {
    sigset_t endings, previous;
    sigemptyset(&endings);
    for (int signal : kEndingSignals) sigaddset(&endings, signal);
    pthread_sigmask(SIG_BLOCK, &endings, &previous);
    for (int signal : kEndingSignals) ::signal(signal, SIG_DFL);
    delete[] g_temporaryPath.exchange(nullptr);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

// The temporary file's name pattern: the book's name hidden, or a fixed name when that would
// be too long for the file system.
std::string TemporaryPattern(const std::string& folder, const std::string& name) {
    const std::string own = "." + name + ".XXXXXX";
    return folder + (own.size() <= kMaxFileNameBytes ? own : ".opf2mobi.XXXXXX");
}

// Writes every piece, several at a time; false with errno set when the file takes no more.
bool WritePieces(int fd, std::vector<std::string_view> pieces) {
    std::size_t next = 0;  // the first piece not yet written whole
    while (next < pieces.size()) {
        iovec vectors[IOV_MAX];
        const std::size_t count = std::min<std::size_t>(IOV_MAX, pieces.size() - next);
        for (std::size_t i = 0; i < count; ++i) {
            vectors[i].iov_base = const_cast<char*>(pieces[next + i].data());
            vectors[i].iov_len = pieces[next + i].size();
        }
        ssize_t n = writev(fd, vectors, static_cast<int>(count));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || (n == 0 && pieces[next].size() != 0)) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        // Past the pieces written whole; the rest of a piece written in part comes next.
        auto written = static_cast<std::size_t>(n);
        while (next < pieces.size() && written >= pieces[next].size()) {
            written -= pieces[next].size();
            ++next;
        }
        if (written > 0) pieces[next].remove_prefix(written);
    }
    return true;
}

}  // namespace

bool WriteFileAtomically(const std::string& folder, const std::string& name,
                         const std::vector<std::string_view>& pieces, std::string& error) {
    std::string temporary = TemporaryPattern(folder, name);
    // No interruption between creating the temporary file and arming its removal.
    sigset_t interruptions, previous;
    sigemptyset(&interruptions);
    for (int signal : kEndingSignals) sigaddset(&interruptions, signal);
    pthread_sigmask(SIG_BLOCK, &interruptions, &previous);
    const int fd = mkstemp(temporary.data());
    if (fd >= 0) GuardTemporary(temporary);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (fd < 0) {
        error = "cannot create a file in \"" + folder + "\": " + std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; give it the permissions of any newly created file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    if (!WritePieces(fd, pieces)) {
        error = "cannot write \"" + folder + name + "\": " + std::strerror(errno);
        close(fd);
        unlink(temporary.c_str());
        ReleaseTemporary();
        return false;
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
