#include "text/file_utils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "recording_ui_port.h"
#include "temp_dir.h"

namespace quillery {
namespace {

namespace fs = std::filesystem;
using testing::RecordingUiPort;
using testing::TempDir;

bool IsEmptyFolder(const std::string& folder) {
    return fs::is_directory(folder) && fs::is_empty(folder);
}

// Runs check as an ordinary user owning tree: as root every permission is granted, which
// would hide the cases these tests are about. Returns what check returned.
bool RunAsOrdinaryUser(const std::string& tree, const std::function<bool()>& check) {
    if (::geteuid() != 0) return check();
    constexpr uid_t kNobody = 65534;
    for (const auto& entry : fs::recursive_directory_iterator(tree)) {
        if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return false;
    }
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

// A folder "work/" under the temp folder with files and folders the user cannot write.
std::string MakeProtectedTree(const TempDir& dir) {
    const std::string work = dir.path() + "work/";
    ::chmod(dir.Write("work/ro.htm", "x").c_str(), 0444);
    dir.Write("work/.hidden", "x");
    dir.Write("work/pics/a.jpg", "x");
    dir.Write("work/pics/deep/er/b.css", "x");
    ::chmod(dir.Write("work/locked/c.htm", "x").c_str(), 0400);
    dir.Write("work/locked/inner/d.htm", "x");
    ::chmod((work + "locked/inner").c_str(), 0500);
    ::chmod((work + "locked").c_str(), 0500);
    ::chmod((work + "pics/deep").c_str(), 0000);
    return work;
}

TEST(ClearFolder, EmptiesReadOnlyFilesAndNestedTrees) {
    TempDir dir;
    const std::string work = MakeProtectedTree(dir);
    ::chmod(dir.path().c_str(), 0777);  // the ordinary user must reach work/
    EXPECT_TRUE(RunAsOrdinaryUser(work, [&] { return ClearFolder(work); }));
    EXPECT_TRUE(IsEmptyFolder(work));
}

TEST(ClearFolder, EmptiesAFolderItsOwnerMadeUnreadable) {
    TempDir dir;
    const std::string work = MakeProtectedTree(dir);
    ::chmod(dir.path().c_str(), 0777);
    ::chmod(work.c_str(), 0000);
    EXPECT_TRUE(RunAsOrdinaryUser(work, [&] { return ClearFolder(work); }));
    EXPECT_TRUE(IsEmptyFolder(work));
}

TEST(ClearFolder, AppendsTheMissingSlash) {
    TempDir dir;
    dir.Write("work/a.htm", "x");
    dir.Write("work/sub/b.htm", "x");
    dir.Write("workmate.htm", "keep");
    EXPECT_TRUE(ClearFolder(dir.path() + "work"));
    EXPECT_TRUE(IsEmptyFolder(dir.path() + "work"));
    EXPECT_TRUE(fs::exists(dir.path() + "workmate.htm"));
}

TEST(ClearFolder, RemovesLinksButNeverWhatTheyPointAt) {
    TempDir dir;
    const std::string outside = dir.path() + "outside/";
    dir.Write("outside/keep.htm", "precious");
    dir.Write("outside/sub/keep2.htm", "precious");
    ::chmod((outside + "sub").c_str(), 0555);
    const std::string work = dir.path() + "work/";
    dir.Write("work/sub/x.htm", "x");
    fs::create_directory_symlink(outside, work + "folderlink");
    fs::create_directory_symlink(outside + "sub", work + "sub/sublink");
    fs::create_symlink(outside + "keep.htm", work + "filelink.htm");
    fs::create_symlink(dir.path() + "nowhere", work + "dangling");

    EXPECT_TRUE(ClearFolder(work));
    EXPECT_TRUE(IsEmptyFolder(work));
    EXPECT_EQ(fs::file_size(outside + "keep.htm"), 8u);
    EXPECT_TRUE(fs::exists(outside + "sub/keep2.htm"));
    // Not even the permissions of the target changed.
    EXPECT_EQ(fs::status(outside + "sub").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
}

TEST(ClearFolder, MissingFolderHasNothingToClear) {
    TempDir dir;
    EXPECT_TRUE(ClearFolder(dir.path() + "none/"));
    EXPECT_FALSE(fs::exists(dir.path() + "none"));
}

TEST(ClearFolder, RefusesTheRootAndAnEmptyPath) {
    EXPECT_FALSE(ClearFolder(""));
    EXPECT_FALSE(ClearFolder("/"));
    EXPECT_FALSE(ClearFolder("//"));
    EXPECT_FALSE(DeleteFolderTree(""));
    EXPECT_FALSE(DeleteFolderTree("/"));
    EXPECT_TRUE(fs::exists("/tmp"));
}

TEST(DeleteFolderTree, RemovesTheFolderWithEverythingInIt) {
    TempDir dir;
    const std::string work = MakeProtectedTree(dir);
    ::chmod(dir.path().c_str(), 0777);
    // The ordinary user also needs to write the parent to remove work/ itself.
    const std::string parent = dir.path();
    EXPECT_TRUE(RunAsOrdinaryUser(work, [&] { return DeleteFolderTree(work); }));
    EXPECT_FALSE(fs::exists(work));
    EXPECT_TRUE(fs::exists(parent));
}

TEST(DeleteFolderTree, ALinkIsRemovedWithoutItsTarget) {
    TempDir dir;
    dir.Write("outside/keep.htm", "precious");
    fs::create_directory_symlink(dir.path() + "outside", dir.path() + "link");
    EXPECT_TRUE(DeleteFolderTree(dir.path() + "link/"));
    EXPECT_FALSE(fs::is_symlink(dir.path() + "link"));
    EXPECT_TRUE(fs::exists(dir.path() + "outside/keep.htm"));
}

TEST(DeleteFolderTree, MissingFolderIsNoError) {
    TempDir dir;
    EXPECT_TRUE(DeleteFolderTree(dir.path() + "none/"));
}

TEST(FileSizes, SizeOfFilesAndOfWhatIsNoFile) {
    TempDir dir;
    EXPECT_EQ(FileSizeOf(dir.Write("a.htm", std::string(3000, 'x'))), 3000);
    EXPECT_EQ(FileSizeOf(dir.Write("empty.htm", "")), 0);
    EXPECT_EQ(FileSizeOf(dir.path() + "missing.htm"), 0);
    EXPECT_EQ(FileSizeOf(dir.path()), 0);
    EXPECT_EQ(FileSizeOf(""), 0);
}

TEST(FileSizes, FormatSizeKB) {
    EXPECT_EQ(FormatSizeKB(0), "0 KB");
    EXPECT_EQ(FormatSizeKB(-5), "0 KB");
    EXPECT_EQ(FormatSizeKB(1), "1 KB");
    EXPECT_EQ(FormatSizeKB(1023), "1 KB");
    EXPECT_EQ(FormatSizeKB(1024), "2 KB");
    EXPECT_EQ(FormatSizeKB(2048), "3 KB");
    EXPECT_EQ(FormatSizeKB(10LL * 1024 * 1024 * 1024), "10485761 KB");
}

TEST(FileNames, StripExtensionAndBaseName) {
    EXPECT_EQ(StripExtension("ch01.final.htm"), "ch01.final");
    EXPECT_EQ(StripExtension("README"), "README");
    EXPECT_EQ(StripExtension(".htm"), "");
    EXPECT_EQ(FileBaseName("/books/ch01.final.htm"), "ch01.final");
    EXPECT_EQ(FileBaseName("ch01.htm"), "ch01");
    EXPECT_EQ(FileBaseName("/books.d/README"), "README");
    EXPECT_EQ(FileBaseName("pics/"), "");
}

TEST(FileNames, ExistenceAndTrailingSlash) {
    TempDir dir;
    const std::string file = dir.Write("a.htm", "x");
    fs::create_symlink(file, dir.path() + "link.htm");
    EXPECT_TRUE(FileExists(file));
    EXPECT_TRUE(FileExists(dir.path() + "link.htm"));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.path() + "b.htm"));
    EXPECT_TRUE(FolderExists(dir.path()));
    EXPECT_FALSE(FolderExists(file));
    EXPECT_EQ(WithTrailingSlash("/a/b"), "/a/b/");
    EXPECT_EQ(WithTrailingSlash("/a/b/"), "/a/b/");
    EXPECT_EQ(WithTrailingSlash(""), "");
}

TEST(ShellHelpers, GoThroughTheUiPort) {
    TempDir dir;
    const std::string file = dir.Write("book.mobi", "x");
    RecordingUiPort ui;
    ui.answerYes = false;
    EXPECT_FALSE(ConfirmYesNo(ui, "Are you sure?"));
    ui.answerYes = true;
    EXPECT_TRUE(ConfirmYesNo(ui, "Really?"));
    ShellOpen(ui, "/some/folder/");
    ShellOpenWith(ui, "/usr/bin/editor", "'/a b/toc.ncx'");
    ShellOpenDefault(ui, "https://example.org/");
    OpenIfExists(ui, file);
    OpenIfExists(ui, dir.path() + "missing.mobi");
    const std::vector<std::string> expected = {
        "confirm: Are you sure?",
        "confirm: Really?",
        "open: /some/folder/",
        "open: /usr/bin/editor '/a b/toc.ncx'",
        "open-default: https://example.org/",
        "open: " + file,
    };
    EXPECT_EQ(ui.events, expected);
}

}  // namespace
}  // namespace quillery
