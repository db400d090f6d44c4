// Whole-file helpers (see text_file.h).

#include "text/text_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "text/paths.h"

namespace quillery {
namespace {

// Closes a descriptor at scope exit unless released.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting the result (a delayed write error shows up here).
    int Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

[[noreturn]] void ThrowWriteError(int error, const std::string& fileName) {
    throw std::system_error(error, std::generic_category(),
                            "Cannot write the file \"" + fileName + "\"");
}

// Writes all of text to fd; false with errno set on failure.
bool WriteAll(int fd, std::string_view text) {
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The temporary file an atomic write is filling, for RemoveUnfinishedTemporaryFile; a plain
// buffer, as a signal handler may read it.
char g_unfinishedTemporary[4096] = {0};

// Blocks the signals that end a run while a temporary file is created and registered, so
// that no interruption falls between the two.
class InterruptionsBlocked {
public:
    InterruptionsBlocked() {
        sigset_t interruptions;
        sigemptyset(&interruptions);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&interruptions, signal);
        pthread_sigmask(SIG_BLOCK, &interruptions, &previous_);
    }
    ~InterruptionsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptionsBlocked(const InterruptionsBlocked&) = delete;
    InterruptionsBlocked& operator=(const InterruptionsBlocked&) = delete;

private:
    sigset_t previous_;
};

void RegisterUnfinished(const std::string& tempName) {
    std::snprintf(g_unfinishedTemporary, sizeof g_unfinishedTemporary, "%s", tempName.c_str());
}

void ForgetUnfinished() { g_unfinishedTemporary[0] = '\0'; }

// Creates a new, uniquely named file beside fileName (mode 0666 less the umask, as a plain
// write would give) and returns its descriptor; tempName receives its name.
int CreateTempBeside(const std::string& fileName, std::string& tempName) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = FolderOf(fileName) + ".quillery-" + std::to_string(::getpid()) + "-" +
                   std::to_string(counter++) + "-" + std::to_string(random() % 1000000) + ".tmp";
        const int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

std::string ReadFileHead(const std::string& fileName, std::size_t maxBytes) {
    std::ifstream in(fileName, std::ios::binary);
    std::string head(maxBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(maxBytes));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

std::string ReadTextFile(const std::string& fileName) {
    // Non-blocking open: a named pipe or a device must not hang the program; only regular
    // files are read (where the flag has no effect).
    FileDescriptor fd(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return {};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    std::string text;
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t filled = 0;
    while (true) {
        if (filled == text.size()) text.resize(text.size() + 65536);  // the file may have grown
        const ssize_t n = ::read(fd.get(), text.data() + filled, text.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    text.resize(filled);
    return text;
}

void WriteTextFile(const std::string& fileName, std::string_view text) {
    FileDescriptor fd(::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (fd.get() < 0) ThrowWriteError(errno, fileName);
    if (!WriteAll(fd.get(), text)) ThrowWriteError(errno, fileName);
    if (fd.Close() != 0) ThrowWriteError(errno, fileName);
}

void WriteTextFileAtomic(const std::string& fileName, std::string_view text) {
    const std::string folder = FolderOf(fileName);
    std::string tempName;
    int created = -1;
    {
        InterruptionsBlocked blocked;
        created = CreateTempBeside(fileName, tempName);
        if (created >= 0) RegisterUnfinished(tempName);
    }
    FileDescriptor fd(created);
    if (fd.get() < 0) ThrowWriteError(errno, fileName);
    auto fail = [&](int error) {
        ::unlink(tempName.c_str());
        ForgetUnfinished();
        ThrowWriteError(error, fileName);
    };
    if (!WriteAll(fd.get(), text)) fail(errno);
    struct stat existing {};
    if (::stat(fileName.c_str(), &existing) == 0 &&
        ::fchmod(fd.get(), existing.st_mode & 07777) != 0) {
        fail(errno);  // the replaced file keeps its permissions
    }
    if (::fsync(fd.get()) != 0) fail(errno);
    if (fd.Close() != 0) fail(errno);
    if (::rename(tempName.c_str(), fileName.c_str()) != 0) fail(errno);
    ForgetUnfinished();
    // Make the rename itself durable; a folder that cannot be synced is no write failure.
    FileDescriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

void CopyFileAtomic(const std::string& source, const std::string& target) {
    FileDescriptor fd(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        throw std::system_error(fd.get() < 0 ? errno : EINVAL, std::generic_category(),
                                "Cannot read the file \"" + source + "\"");
    }
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            throw std::system_error(n < 0 ? errno : EIO, std::generic_category(),
                                    "Cannot read the file \"" + source + "\"");
        }
        filled += static_cast<std::size_t>(n);
    }
    WriteTextFileAtomic(target, bytes);
}

void RemoveUnfinishedTemporaryFile() noexcept {
    if (g_unfinishedTemporary[0] != '\0') ::unlink(g_unfinishedTemporary);
}

}  // namespace quillery
