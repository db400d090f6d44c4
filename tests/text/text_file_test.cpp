// Whole-file reading and writing: every byte kept, failures named, atomic replacement.

#include "text/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <system_error>

#include "temp_dir.h"

namespace quillery {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    return bytes + "\r\n\xEF\xBB\xBF\x1A" + std::string(3, '\0');
}

TEST(TextFile, ReadsWhatIsNoReadableFileAsEmptyWithoutWaiting) {
    TempDir dir;
    EXPECT_EQ(ReadTextFile(dir.path() + "missing.htm"), "");
    EXPECT_EQ(ReadTextFile(dir.Write("empty.htm", "")), "");
    EXPECT_EQ(ReadTextFile(dir.path()), "");
    const std::string pipe = dir.path() + "pipe.htm";  // nobody ever writes to it
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(ReadTextFile(pipe), "");
}

TEST(TextFile, RoundTripKeepsEveryByteAndTruncates) {
    TempDir dir;
    const std::string file = dir.Write("a.htm", std::string(5000, 'x'));
    WriteTextFile(file, AllByteValues());
    EXPECT_EQ(ReadTextFile(file), AllByteValues());
    WriteTextFile(file, "");
    EXPECT_EQ(fs::file_size(file), 0u);
    std::string big(5 * 1024 * 1024 + 17, 'a');  // read whole, not just a first buffer
    big.back() = 'z';
    WriteTextFile(file, big);
    EXPECT_EQ(ReadTextFile(file), big);
}

TEST(TextFile, WriteFailureThrowsNamingTheFile) {
    TempDir dir;
    const std::string file = dir.path() + "no/such/folder/x.htm";
    try {
        WriteTextFile(file, "x");
        FAIL() << "no exception";
    } catch (const std::system_error& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
        EXPECT_EQ(e.code(), std::errc::no_such_file_or_directory);
    }
    EXPECT_THROW(WriteTextFile(dir.path(), "x"), std::system_error);
    // /dev/full reports "no space left" on every write.
    if (fs::exists("/dev/full")) {
        EXPECT_THROW(WriteTextFile("/dev/full", "some text"), std::system_error);
    }
}

TEST(TextFileAtomic, ReplacesOrCreatesAndOnFailureKeepsTheOldFileWhole) {
    TempDir dir;
    const std::string file = dir.Write("toc.ncx", "old content");
    ::chmod(file.c_str(), 0640);
    WriteTextFileAtomic(file, AllByteValues());
    EXPECT_EQ(ReadTextFile(file), AllByteValues());
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WriteTextFileAtomic(dir.path() + "new.htm", "fresh");
    EXPECT_EQ(ReadTextFile(dir.path() + "new.htm"), "fresh");
    // Renaming over a non-empty folder fails: nothing else may change.
    dir.Write("sub/inner.txt", "x");
    EXPECT_THROW(WriteTextFileAtomic(dir.path() + "sub", "new"), std::system_error);
    EXPECT_THROW(WriteTextFileAtomic(dir.path() + "missing/x.htm", "new"), std::system_error);
    EXPECT_EQ(ReadTextFile(file), AllByteValues());
    // toc.ncx, new.htm and sub/: no temporary left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

// The finished book is copied over the old one: when the file system refuses the copy part-way
// (here a file-size limit, as a full disk would), the old book stays whole, no temporary file
// is left, and the error names the cause.
TEST(CopyFileAtomic, AFailedCopyLeavesTheOldFileWholeAndNamesTheCause) {
    TempDir dir;
    const std::string book = dir.Write("out/book.mobi", "the old book");
    const std::string made = dir.Write("made.mobi", std::string(256 * 1024, 'M'));
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit limit{64 * 1024, RLIM_INFINITY};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
        try {
            CopyFileAtomic(made, book);
        } catch (const std::system_error& e) {
            const std::string what = e.what();
            _exit(what.find("File too large") != std::string::npos &&
                          what.find(book) != std::string::npos
                      ? 0
                      : 4);
        }
        _exit(5);  // no error reported
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadTextFile(book), "the old book");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() + "out"), fs::directory_iterator()),
              1);
    CopyFileAtomic(made, book);  // without the limit the copy replaces the book
    EXPECT_EQ(ReadTextFile(book), ReadTextFile(made));
    EXPECT_THROW(CopyFileAtomic(dir.path() + "missing.mobi", book), std::system_error);
}

}  // namespace
}  // namespace quillery
