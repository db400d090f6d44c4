// The command runner: merged output, large output, the working folder, quoting, and the
// file copies.

#include "project/command_runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "fake_compiler.h"
#include "project/book.h"
#include "project/kindlegen.h"
#include "recording_ui_port.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;

TEST(RunCommand, ReturnsTheMergedOutputBytesWhateverTheExitStatus) {
    // A hidden command has nobody to type for it: its input is empty, so "cat" ends at once.
    // clang-format off
    const struct { const char* command; std::string output; } cases[] = {
        {"echo out; echo err 1>&2; echo again", "out\nerr\nagain\n"}, {"true", ""},
        {"echo partial; exit 3", "partial\n"}, {"cat; echo done", "done\n"},
        {"printf 'a\\000b\\377c'", std::string("a\0b\xff" "c", 5)}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(RunCommand(c.command, "/"), c.output) << c.command;
}

TEST(RunCommand, LargeOutputArrivesCompleteWithoutDeadlock) {
    // 8 MB, far beyond a pipe's buffer: the child blocks unless the output is drained first.
    const std::string output =
        RunCommand("head -c 8388608 /dev/zero | tr '\\0' 'x'; echo END", "/");
    ASSERT_EQ(output.size(), 8388608u + 4u);
    EXPECT_EQ(output.find_first_not_of('x'), 8388608u);
    EXPECT_EQ(output.substr(8388608), "END\n");
}

TEST(RunCommand, RunsInTheWorkingFolderAndNotAtAllWhenItIsMissing) {
    TempDir dir;
    dir.Write("marker.txt", "here");
    EXPECT_EQ(RunCommand("cat marker.txt", dir.path()), "here");
    const std::string flag = dir.path() + "ran";
    EXPECT_EQ(RunCommand("touch " + ShellQuote(flag) + "; echo ran", dir.path() + "no/such/"), "");
    EXPECT_FALSE(fs::exists(flag));
}

TEST(RunCommand, WorksWhenTheProgramRunsWithoutStandardStreams) {
    // With 0, 1 and 2 closed the pipe would be given those numbers; the output must still
    // arrive and the start-failure report must still work.
    EXPECT_EXIT(
        {
            for (int fd = 0; fd < 3; ++fd) ::close(fd);
            const bool ok = RunCommand("echo out; echo err 1>&2", "/") == "out\nerr\n" &&
                            RunCommand("echo never", "/no/such/folder/").empty();
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Every name reaches the command as one unchanged argument; none runs "touch pwned".
TEST(ShellQuote, AwkwardAndHostileNamesReachTheCommandUnchanged) {
    TempDir dir;
    // clang-format off
    const std::string names[] = {"with blank", "it's", "\"double\"", "$HOME", "`id`", "semi;colon",
        "amp&rsand", "back\\slash", "star*", "new\nline", "'", "''", "-n", "tab\there", "",
        "$(touch pwned)", "`touch pwned`", "x'; touch pwned; '", "a\"; touch pwned; \"b"};
    // clang-format on
    for (const std::string& name : names)
        EXPECT_EQ(RunCommand("printf '%s|' " + ShellQuote(name), dir.path()), name + "|") << name;
    EXPECT_FALSE(fs::exists(dir.path() + "pwned"));
}

// A 0-byte file copies as a 0-byte file; a folder without files creates nothing.
TEST(CopyFiles, CopyBytesOverwriteAndThrowForMissingFiles) {
    TempDir dir;
    const std::string binary("a\0b\r\n\xff", 6), copy = dir.Write("dst/a.bin", "older, longer");
    CopyFile(dir.Write("src/a.bin", binary), copy);
    EXPECT_EQ(ReadTextFile(copy), binary);
    CopyFile(dir.Write("src/empty.htm", ""), dir.path() + "dst/empty.htm");
    EXPECT_EQ(fs::file_size(dir.path() + "dst/empty.htm"), 0u);
    EXPECT_THROW(CopyFile(dir.path() + "missing", copy), std::system_error);
    EXPECT_THROW(CopyFile(copy, dir.path() + "no/folder/a.txt"), std::system_error);
    dir.Write("src/sub/c.htm", "c");
    CopyFolderFiles(dir.path() + "src/", dir.path() + "files/");
    EXPECT_EQ(ReadTextFile(dir.path() + "files/a.bin"), binary);
    EXPECT_FALSE(fs::exists(dir.path() + "files/sub"));
    fs::create_directories(dir.path() + "empty/sub");
    CopyFolderFiles(dir.path() + "empty/", dir.path() + "none/");
    EXPECT_FALSE(fs::exists(dir.path() + "none"));
}

}  // namespace
}  // namespace quillery
