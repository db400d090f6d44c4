#include "project/command_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "temp_dir.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::TempDir;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RunCommand, ReturnsStandardOutputAndErrorMerged) {
    EXPECT_EQ(RunCommand("echo out; echo err 1>&2; echo again", "/"), "out\nerr\nagain\n");
}

TEST(RunCommand, SilentCommandGivesEmptyText) { EXPECT_EQ(RunCommand("true", "/"), ""); }

TEST(RunCommand, ExitStatusDoesNotHideOutput) {
    EXPECT_EQ(RunCommand("echo partial; exit 3", "/"), "partial\n");
}

TEST(RunCommand, LargeOutputArrivesCompleteWithoutDeadlock) {
    // 8 MB, far beyond a pipe's buffer: the child blocks unless the output is drained first.
    const std::string output =
        RunCommand("head -c 8388608 /dev/zero | tr '\\0' 'x'; echo END", "/");
    ASSERT_EQ(output.size(), 8388608u + 4u);
    EXPECT_EQ(output.find_first_not_of('x'), 8388608u);
    EXPECT_EQ(output.substr(8388608), "END\n");
}

TEST(RunCommand, BinaryBytesAndZeroBytesPassUnchanged) {
    const std::string output = RunCommand("printf 'a\\000b\\377c'", "/");
    EXPECT_EQ(output, std::string("a\0b\xff"
                                  "c",
                                  5));
}

TEST(RunCommand, RunsInTheWorkingFolder) {
    TempDir dir;
    dir.Write("marker.txt", "here");
    EXPECT_EQ(RunCommand("cat marker.txt", dir.path()), "here");
}

TEST(RunCommand, MissingWorkingFolderGivesEmptyResultAndRunsNothing) {
    TempDir dir;
    const std::string flag = dir.path() + "ran";
    EXPECT_EQ(
        RunCommand("touch " + ShellQuote(flag) + "; echo ran", dir.path() + "no/such/folder/"), "");
    EXPECT_FALSE(fs::exists(flag));
}

TEST(RunCommand, ChildDoesNotReadTheCallersInput) {
    // A hidden command has nobody to type for it: its input is empty, so "cat" ends at once.
    EXPECT_EQ(RunCommand("cat; echo done", "/"), "done\n");
}

TEST(RunCommand, WorksWhenTheProgramRunsWithoutStandardStreams) {
    // With 0, 1 and 2 closed the pipe would be given those numbers; the output must still
    // arrive and the start-failure report must still work.
    EXPECT_EXIT(
        {
            ::close(0);
            ::close(1);
            ::close(2);
            const bool ok = RunCommand("echo out; echo err 1>&2", "/") == "out\nerr\n" &&
                            RunCommand("echo never", "/no/such/folder/").empty();
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(ShellQuote, WrapsInSingleQuotes) {
    EXPECT_EQ(ShellQuote("/home/a b/c.opf"), "'/home/a b/c.opf'");
    EXPECT_EQ(ShellQuote(""), "''");
    EXPECT_EQ(ShellQuote("it's"), "'it'\\''s'");
}

TEST(ShellQuote, EveryAwkwardNameReachesTheCommandUnchanged) {
    for (const std::string name :
         {"plain", "with blank", "two  blanks", "it's", "\"double\"", "$HOME", "`id`", "$(id)",
          "semi;colon", "amp&rsand", "pipe|x", "back\\slash", "star*", "new\nline", "'", "''", "-n",
          "tab\there"}) {
        EXPECT_EQ(RunCommand("printf '%s' " + ShellQuote(name), "/"), name) << name;
    }
}

TEST(ShellQuote, NothingIsExecutedFromAFileName) {
    TempDir dir;
    // Names that would run "touch pwned" in the working folder if the shell expanded them.
    const std::vector<std::string> names = {"$(touch pwned)", "`touch pwned`", "x'; touch pwned; '",
                                            "a\"; touch pwned; \"b"};
    for (const std::string& name : names) {
        dir.Write(name, "content of " + name);
        EXPECT_EQ(RunCommand("cat " + ShellQuote(dir.path() + name), dir.path()),
                  "content of " + name);
        EXPECT_EQ(RunCommand("cp " + ShellQuote(dir.path() + name) + " " +
                                 ShellQuote(dir.path() + name + ".copy"),
                             dir.path()),
                  "");
        EXPECT_EQ(Slurp(dir.path() + name + ".copy"), "content of " + name);
    }
    EXPECT_FALSE(fs::exists(dir.path() + "pwned"));
    EXPECT_FALSE(fs::exists("/pwned"));
}

TEST(CopyFile, CopiesBytesAndOverwrites) {
    TempDir dir;
    const std::string binary("a\0b\r\n\xff", 6);
    const std::string source = dir.Write("src.bin", binary);
    const std::string destination = dir.Write("dst.bin", "an older, longer content");
    CopyFile(source, destination);
    EXPECT_EQ(Slurp(destination), binary);
}

TEST(CopyFile, EmptySourceGivesEmptyDestination) {
    TempDir dir;
    const std::string source = dir.Write("empty.htm", "");
    CopyFile(source, dir.path() + "copy.htm");
    ASSERT_TRUE(fs::exists(dir.path() + "copy.htm"));
    EXPECT_EQ(fs::file_size(dir.path() + "copy.htm"), 0u);
}

TEST(CopyFile, MissingSourceThrows) {
    TempDir dir;
    EXPECT_THROW(CopyFile(dir.path() + "missing", dir.path() + "copy"), std::system_error);
}

TEST(CopyFile, MissingDestinationFolderThrows) {
    TempDir dir;
    const std::string source = dir.Write("a.txt", "a");
    EXPECT_THROW(CopyFile(source, dir.path() + "no/folder/a.txt"), std::system_error);
}

TEST(ListFolderEntries, ListsFilesAndFoldersWithoutDotEntries) {
    TempDir dir;
    dir.Write("one.htm", "1");
    dir.Write(".hidden", "h");
    dir.Write("sub/inner.htm", "i");
    std::vector<std::string> names = ListFolderEntries(dir.path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "one.htm", "sub"}));
    EXPECT_TRUE(ListFolderEntries(dir.path() + "missing/").empty());
}

TEST(CopyFolderFiles, CopiesFilesButNotSubFolders) {
    TempDir dir;
    dir.Write("src/a.css", "a");
    dir.Write("src/b.jpg", "b");
    dir.Write("src/sub/c.htm", "c");
    CopyFolderFiles(dir.path() + "src/", dir.path() + "dst/");
    EXPECT_EQ(Slurp(dir.path() + "dst/a.css"), "a");
    EXPECT_EQ(Slurp(dir.path() + "dst/b.jpg"), "b");
    EXPECT_FALSE(fs::exists(dir.path() + "dst/sub"));
}

TEST(CopyFolderFiles, EmptyFolderCreatesNothing) {
    TempDir dir;
    fs::create_directory(dir.path() + "src");
    CopyFolderFiles(dir.path() + "src/", dir.path() + "dst/");
    EXPECT_FALSE(fs::exists(dir.path() + "dst"));
    // Only sub-folders: still nothing to copy.
    fs::create_directory(dir.path() + "src/sub");
    CopyFolderFiles(dir.path() + "src/", dir.path() + "dst/");
    EXPECT_FALSE(fs::exists(dir.path() + "dst"));
}

}  // namespace
}  // namespace quillery
