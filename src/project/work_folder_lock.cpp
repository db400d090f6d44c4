// The lock on the work folders (see work_folder_lock.h).

#include "project/work_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

namespace quillery {

std::string WorkFolderLockFile(const WorkFolders& folders) {
    return folders.stateFolder + ".quillery.lock";
}

std::optional<WorkFolderLock> WorkFolderLock::Take(const WorkFolders& folders, bool wait,
                                                   const std::function<void()>& onWait) {
    std::filesystem::create_directories(folders.stateFolder);
    const std::string file = WorkFolderLockFile(folders);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        throw std::system_error(errno, std::generic_category(),
                                "Cannot open the lock file \"" + file + "\"");
    }
    WorkFolderLock lock(fd);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return lock;
    if (errno != EWOULDBLOCK || !wait) return std::nullopt;
    if (onWait) onWait();
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            throw std::system_error(errno, std::generic_category(), "Cannot lock \"" + file + "\"");
        }
    }
    return lock;
}

WorkFolderLock::WorkFolderLock(WorkFolderLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

WorkFolderLock& WorkFolderLock::operator=(WorkFolderLock&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
}

WorkFolderLock::~WorkFolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the last descriptor releases the lock
}

}  // namespace quillery
