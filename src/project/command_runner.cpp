// Runs external programs through the POSIX shell, and the plain file copies (see command_runner.h).

#include "project/command_runner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace quillery {

namespace {

// The process group of the command running now (0: none), for EndRunningCommand.
std::atomic<pid_t> g_runningGroup{0};
// The process group EndRunningCommand last ended, so RunCommand can tell its caller.
std::atomic<pid_t> g_endedGroup{0};

// A file descriptor closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void Close() { Reset(-1); }
    void Reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

bool MakePipe(Fd& readEnd, Fd& writeEnd) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    // Keep clear of the standard descriptors (a program may run with some of them closed),
    // so that setting up the child's standard streams never overwrites a pipe end.
    for (int& fd : fds) {
        if (fd > STDERR_FILENO) continue;
        const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
        ::close(fd);
        fd = moved;
    }
    if (fds[0] < 0 || fds[1] < 0) {
        for (const int fd : fds)
            if (fd >= 0) ::close(fd);
        return false;
    }
    readEnd.Reset(fds[0]);
    writeEnd.Reset(fds[1]);
    return true;
}

ssize_t ReadRetrying(int fd, char* buffer, size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) return n;
    }
}

void WaitForChild(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

[[noreturn]] void ReportStartFailure(int reportFd) {
    const int err = errno;
    [[maybe_unused]] const ssize_t n = ::write(reportFd, &err, sizeof err);
    ::_exit(127);
}

// Runs in the forked child: only async-signal-safe calls until exec. A failure is reported
// to the parent as the errno value through the report pipe, which exec closes on success.
// Both pipe descriptors lie above the standard ones (see MakePipe), so no dup2 below can
// overwrite them.
[[noreturn]] void StartShell(const char* folder, const char* commandLine, int outputFd,
                             int reportFd, pid_t parent) {
    // A group of its own, which EndRunningCommand ends as a whole; and no life beyond the
    // program's: killed outright, the program takes the command with it.
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    if (folder && ::chdir(folder) != 0) ReportStartFailure(reportFd);
    if (::dup2(outputFd, STDOUT_FILENO) < 0 || ::dup2(outputFd, STDERR_FILENO) < 0)
        ReportStartFailure(reportFd);
    // A hidden command has nobody to type for it: its input is empty.
    const int nullIn = ::open("/dev/null", O_RDONLY);
    if (nullIn < 0) ReportStartFailure(reportFd);
    if (nullIn != STDIN_FILENO) {
        if (::dup2(nullIn, STDIN_FILENO) < 0) ReportStartFailure(reportFd);
        ::close(nullIn);
    }
    // The shell starts with the default signal handling, whatever the program had set.
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);

    char sh[] = "/bin/sh";
    char dashC[] = "-c";
    char* const argv[] = {sh, dashC, const_cast<char*>(commandLine), nullptr};
    ::execv(sh, argv);
    ReportStartFailure(reportFd);
}

}  // namespace

std::string RunCommand(const std::string& commandLine, const std::string& workingFolder,
                       bool* ended) {
    if (ended != nullptr) *ended = false;
    Fd outRead, outWrite, reportRead, reportWrite;
    if (!MakePipe(outRead, outWrite) || !MakePipe(reportRead, reportWrite)) return {};
    const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();

    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0)
        StartShell(folder, commandLine.c_str(), outWrite.get(), reportWrite.get(), parent);
    ::setpgid(pid, pid);  // as the child does, so that neither order of the two can race
    g_endedGroup = 0;
    g_runningGroup = pid;
    struct Finished {
        ~Finished() { g_runningGroup = 0; }
    } finished;

    // Only the child (and what it starts) may hold the write ends, so that reading ends when
    // the last of them has closed its output.
    outWrite.Close();
    reportWrite.Close();

    int startError = 0;
    const ssize_t reported =
        ReadRetrying(reportRead.get(), reinterpret_cast<char*>(&startError), sizeof startError);
    if (reported > 0) {
        WaitForChild(pid);
        return {};
    }

    std::string output;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ReadRetrying(outRead.get(), buffer, sizeof buffer);
        if (n <= 0) break;
        output.append(buffer, static_cast<size_t>(n));
    }
    WaitForChild(pid);
    if (ended != nullptr) *ended = g_endedGroup == pid;
    return output;
}

void EndRunningCommand() noexcept {
    const pid_t group = g_runningGroup;
    if (group <= 0) return;
    g_endedGroup = group;
    ::kill(-group, SIGTERM);
}

std::string ShellQuote(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += '\'';
    return quoted;
}

void CopyFile(const std::string& source, const std::string& destination) {
    std::error_code ec;
    if (fs::exists(destination, ec) && fs::equivalent(source, destination, ec)) return;
    fs::copy_file(source, destination, fs::copy_options::overwrite_existing);
}

std::vector<std::string> ListFolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

void CopyFolderFiles(const std::string& sourceFolder, const std::string& destinationFolder) {
    const fs::path source(sourceFolder);
    const fs::path destination(destinationFolder);
    bool created = false;
    for (const std::string& name : ListFolderEntries(sourceFolder)) {
        std::error_code ec;
        if (!fs::is_regular_file(source / name, ec)) continue;
        if (!created) {
            fs::create_directory(destination);
            created = true;
        }
        CopyFile((source / name).string(), (destination / name).string());
    }
}

}  // namespace quillery
