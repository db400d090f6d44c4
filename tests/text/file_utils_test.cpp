// Folder and file helpers: emptying and deleting trees, sizes, existence, name parts.
#include "text/file_utils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

bool IsEmptyFolder(const std::string& folder) {
    return fs::is_directory(folder) && fs::is_empty(folder);
}

// Runs check as an ordinary user owning tree: as root every permission is granted, which
// would hide the cases these tests are about. Returns what check returned.
bool RunAsOrdinaryUser(const std::string& tree, const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    constexpr uid_t kNobody = 65534;
    for (const auto& entry : fs::recursive_directory_iterator(tree))
        if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return false;
    if (::lchown(tree.c_str(), kNobody, kNobody) != 0) return false;
    const pid_t child = ::fork();
    if (child == 0) {
        const bool ok = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && check();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A folder under the temp folder with files and folders its owner cannot write.
std::string MakeProtectedTree(const TempDir& dir, const std::string& name) {
    const std::string work = dir.path() + name + "/";
    ::chmod(dir.Write(name + "/ro.htm", "x").c_str(), 0444);
    dir.Write(name + "/.hidden", "x");
    dir.Write(name + "/pics/deep/er/b.css", "x");
    ::chmod(dir.Write(name + "/locked/c.htm", "x").c_str(), 0400);
    dir.Write(name + "/locked/inner/d.htm", "x");
    ::chmod((work + "locked/inner").c_str(), 0500);
    ::chmod((work + "locked").c_str(), 0500);
    ::chmod((work + "pics/deep").c_str(), 0000);
    return work;
}

TEST(ClearFolder, EmptiesAndDeletesProtectedTrees) {
    TempDir dir;
    const std::string plain = MakeProtectedTree(dir, "plain");
    const std::string unreadable = MakeProtectedTree(dir, "unreadable");
    const std::string gone = MakeProtectedTree(dir, "gone");
    ::chmod(unreadable.c_str(), 0000);
    EXPECT_TRUE(RunAsOrdinaryUser(dir.path(), [&] {
        const bool cleared = ClearFolder(plain) && ClearFolder(unreadable);
        return DeleteFolderTree(gone) && cleared;
    }));
    EXPECT_TRUE(IsEmptyFolder(plain));
    EXPECT_TRUE(IsEmptyFolder(unreadable));
    EXPECT_FALSE(fs::exists(gone));
}

TEST(ClearFolder, RemovesLinksButNeverWhatTheyPointAt) {
    TempDir dir;
    const std::string outside = dir.path() + "outside/";
    dir.Write("outside/keep.htm", "precious");
    dir.Write("outside/sub/keep2.htm", "precious");
    ::chmod((outside + "sub").c_str(), 0555);
    const fs::perms readOnly = fs::status(outside + "sub").permissions();
    const std::string work = dir.path() + "work/";
    dir.Write("work/sub/x.htm", "x");
    fs::create_directory_symlink(outside, work + "folderlink");
    fs::create_directory_symlink(outside + "sub", work + "sub/sublink");
    fs::create_symlink(outside + "keep.htm", work + "filelink.htm");
    fs::create_symlink(dir.path() + "nowhere", work + "dangling");
    EXPECT_TRUE(ClearFolder(work));
    EXPECT_TRUE(IsEmptyFolder(work));
    EXPECT_EQ(ReadTextFile(outside + "keep.htm"), "precious");
    EXPECT_TRUE(fs::exists(outside + "sub/keep2.htm"));
    EXPECT_EQ(fs::status(outside + "sub").permissions(), readOnly);  // not even made writable
    // DeleteFolderTree on a link removes the link only.
    fs::create_directory_symlink(outside, dir.path() + "link");
    EXPECT_TRUE(DeleteFolderTree(dir.path() + "link/"));
    EXPECT_FALSE(fs::is_symlink(dir.path() + "link"));
    EXPECT_EQ(ReadTextFile(outside + "keep.htm"), "precious");
}

TEST(ClearFolder, AppendsTheSlashToleratesAMissingFolderAndRefusesTheRoot) {
    TempDir dir;
    dir.Write("work/sub/b.htm", "x");
    dir.Write("workmate.htm", "keep");
    EXPECT_TRUE(ClearFolder(dir.path() + "work"));
    EXPECT_TRUE(IsEmptyFolder(dir.path() + "work"));
    EXPECT_TRUE(fs::exists(dir.path() + "workmate.htm"));
    EXPECT_TRUE(ClearFolder(dir.path() + "none/"));
    EXPECT_TRUE(DeleteFolderTree(dir.path() + "none/"));
    EXPECT_FALSE(fs::exists(dir.path() + "none"));
    EXPECT_FALSE(ClearFolder(""));
    EXPECT_FALSE(ClearFolder("/"));
    EXPECT_FALSE(ClearFolder("//"));
    EXPECT_FALSE(DeleteFolderTree(""));
    EXPECT_FALSE(DeleteFolderTree("/"));
}

TEST(FileFacts, SizesExistenceNamePartsAndSizeText) {
    TempDir dir;
    const std::string file = dir.Write("a.htm", std::string(3000, 'x'));
    fs::create_symlink(file, dir.path() + "link.htm");
    EXPECT_EQ(FileSizeOf(dir.path() + "link.htm"), 3000);
    EXPECT_EQ(FileSizeOf(dir.path() + "missing.htm"), 0);
    EXPECT_EQ(FileSizeOf(dir.path()), 0);
    EXPECT_TRUE(FileExists(dir.path() + "link.htm"));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_TRUE(FolderExists(dir.path()));
    EXPECT_EQ(StripExtension("README"), "README");
    EXPECT_EQ(FileBaseName("/books/ch01.final.htm"), "ch01.final");
    EXPECT_EQ(FileBaseName("/books.d/README"), "README");
    EXPECT_EQ(FileBaseName("pics/"), "");
    // Sizes in KB round up; nothing is 0 KB.
    const std::pair<long long, const char*> sizes[] = {{0, "0 KB"},
                                                       {-5, "0 KB"},
                                                       {1, "1 KB"},
                                                       {1023, "1 KB"},
                                                       {1024, "2 KB"},
                                                       {2048, "3 KB"},
                                                       {10LL << 30, "10485761 KB"}};
    for (const auto& [bytes, text] : sizes) EXPECT_EQ(FormatSizeKB(bytes), text) << bytes;
}

}  // namespace
}  // namespace quillery
