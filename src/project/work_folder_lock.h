#pragma once
// One import or make at a time on the work folders of a state folder: two runs sharing
// temp/OPS/ would mix two books. The lock is an advisory lock on a file in the state folder,
// released when its holder ends, however it ends.

#include <functional>
#include <optional>
#include <string>

#include "project/work_folders.h"

namespace quillery {

class WorkFolderLock {
public:
    // Takes the lock. When another run holds it: with `wait`, calls onWait (to say so) and
    // waits for it; without, gives nullopt at once. Throws std::system_error when the lock
    // file cannot be made.
    static std::optional<WorkFolderLock> Take(const WorkFolders& folders, bool wait,
                                              const std::function<void()>& onWait);

    WorkFolderLock(WorkFolderLock&& other) noexcept;
    WorkFolderLock& operator=(WorkFolderLock&& other) noexcept;
    WorkFolderLock(const WorkFolderLock&) = delete;
    WorkFolderLock& operator=(const WorkFolderLock&) = delete;
    ~WorkFolderLock();

private:
    explicit WorkFolderLock(int fd) : fd_(fd) {}
    int fd_;
};

// The lock file of a state folder.
std::string WorkFolderLockFile(const WorkFolders& folders);

}  // namespace quillery
