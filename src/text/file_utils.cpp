// File-system helpers (see file_utils.h).

#include "text/file_utils.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "text/strings.h"

namespace quillery {
namespace {

constexpr mode_t kOwnerAll = S_IRUSR | S_IWUSR | S_IXUSR;

// On this platform an entry's deletion depends on its folder's permissions, not on its own:
// a folder that is to be emptied is first given owner read, write and search permission.
void MakeFolderUsable(int folderFd) {
    struct stat st {};
    if (::fstat(folderFd, &st) == 0 && (st.st_mode & kOwnerAll) != kOwnerAll) {
        ::fchmod(folderFd, (st.st_mode & 07777) | kOwnerAll);
    }
}

// Opens the sub-folder name of parentFd without following a symbolic link; -1 on failure.
int OpenSubFolder(int parentFd, const char* name) {
    const int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::openat(parentFd, name, flags);
    if (fd < 0 && errno == EACCES) {
        // A folder without read permission: give it back to its owner, then try again.
        struct stat st {};
        if (::fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
            ::fchmodat(parentFd, name, (st.st_mode & 07777) | kOwnerAll, 0);
            fd = ::openat(parentFd, name, flags);
        }
    }
    return fd;
}

// Deletes every entry of the open folder folderFd. A symbolic link is removed as a link; a
// sub-folder is emptied and removed. Single failures are skipped; the walk goes on. True when
// the folder was left empty.
bool EmptyFolder(int folderFd) {
    MakeFolderUsable(folderFd);
    const int listFd = ::dup(folderFd);
    if (listFd < 0) return false;
    DIR* listing = ::fdopendir(listFd);
    if (listing == nullptr) {
        ::close(listFd);
        return false;
    }
    bool empty = true;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat st {};
        if (::fstatat(folderFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
            const int subFd = OpenSubFolder(folderFd, entry->d_name);
            if (subFd >= 0) {
                EmptyFolder(subFd);
                ::close(subFd);
            }
            if (::unlinkat(folderFd, entry->d_name, AT_REMOVEDIR) != 0) empty = false;
        } else if (::unlinkat(folderFd, entry->d_name, 0) != 0) {
            empty = false;
        }
    }
    ::closedir(listing);
    return empty;
}

// Opens the folder a caller named (a link to a folder is followed here: it is the folder
// that was asked for). A folder its owner made unreadable is given back owner permissions.
int OpenNamedFolder(const std::string& folder) {
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    int fd = ::open(folder.c_str(), flags);
    if (fd < 0 && errno == EACCES) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
            ::chmod(folder.c_str(), (st.st_mode & 07777) | kOwnerAll) == 0) {
            fd = ::open(folder.c_str(), flags);
        } else {
            errno = EACCES;
        }
    }
    return fd;
}

std::string WithoutTrailingSlashes(std::string_view folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    return std::string(folder);
}

// The root folder and an empty path are never emptied: an empty path would otherwise become
// "/" once the trailing slash is added.
bool IsForbiddenFolder(std::string_view folder) {
    return folder.empty() || WithoutTrailingSlashes(folder) == "/";
}

}  // namespace

bool ClearFolder(std::string folder) {
    if (IsForbiddenFolder(folder)) return false;
    if (folder.back() != '/') folder += '/';
    const int fd = OpenNamedFolder(folder);
    if (fd < 0) return errno == ENOENT;  // nothing inside a folder that does not exist
    const bool empty = EmptyFolder(fd);
    ::close(fd);
    return empty;
}

bool DeleteFolderTree(const std::string& folder) {
    if (IsForbiddenFolder(folder)) return false;
    const std::string path = WithoutTrailingSlashes(folder);
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
    if (S_ISLNK(st.st_mode)) return ::unlink(path.c_str()) == 0;  // the link, never its target
    if (!S_ISDIR(st.st_mode)) return false;
    const int fd = OpenNamedFolder(path);
    if (fd >= 0) {
        EmptyFolder(fd);
        ::close(fd);
    }
    return ::rmdir(path.c_str()) == 0;
}

std::int64_t FileSizeOf(const std::string& fileName) {
    struct stat st {};
    if (fileName.empty() || ::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    return static_cast<std::int64_t>(st.st_size);
}

std::string FormatSizeKB(std::int64_t bytes) {
    if (bytes <= 0) return "0 KB";
    return std::to_string(bytes / 1024 + 1) + " KB";
}

std::string StripExtension(std::string_view name) {
    const int dot = FindLast(name, ".", 0, false);
    if (dot == 0) return std::string(name);
    return LeftStr(name, dot - 1);
}

std::string FileBaseName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return StripExtension(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace quillery
