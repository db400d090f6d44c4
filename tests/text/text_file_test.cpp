#include "text/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "temp_dir.h"

namespace quillery {
namespace {

using testing::TempDir;

std::string AllByteValues() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
    return bytes + "\r\n\xEF\xBB\xBF\x1A" + std::string(3, '\0');
}

TEST(TextFile, ReadsMissingAndEmptyFilesAsEmpty) {
    TempDir dir;
    EXPECT_EQ(ReadTextFile(dir.path() + "missing.htm"), "");
    EXPECT_EQ(ReadTextFile(dir.Write("empty.htm", "")), "");
    EXPECT_EQ(ReadTextFile(dir.path()), "");  // a folder is no text file
    EXPECT_EQ(ReadTextFile(""), "");
}

TEST(TextFile, ReadsANamedPipeAsEmptyWithoutWaiting) {
    TempDir dir;
    const std::string pipe = dir.path() + "pipe.htm";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(ReadTextFile(pipe), "");
}

TEST(TextFile, RoundTripKeepsEveryByte) {
    TempDir dir;
    const std::string file = dir.path() + "bytes.bin";
    const std::string bytes = AllByteValues();
    WriteTextFile(file, bytes);
    EXPECT_EQ(ReadTextFile(file), bytes);
    EXPECT_EQ(std::filesystem::file_size(file), bytes.size());
}

TEST(TextFile, WriteTruncatesALongerFile) {
    TempDir dir;
    const std::string file = dir.Write("a.htm", std::string(5000, 'x'));
    WriteTextFile(file, "short");
    EXPECT_EQ(ReadTextFile(file), "short");
    WriteTextFile(file, "");
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

TEST(TextFile, ReadsLargeFilesWhole) {
    TempDir dir;
    std::string big(5 * 1024 * 1024 + 17, 'a');
    big[big.size() - 1] = 'z';
    WriteTextFile(dir.path() + "big.htm", big);
    EXPECT_EQ(ReadTextFile(dir.path() + "big.htm"), big);
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
    EXPECT_THROW(WriteTextFile(dir.path(), "x"), std::system_error);  // a folder
}

TEST(TextFile, WriteFailureOnAFullDisk) {
    // /dev/full reports "no space left" on every write.
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    EXPECT_THROW(WriteTextFile("/dev/full", "some text"), std::system_error);
}

TEST(TextFileAtomic, ReplacesTheFileAndLeavesNoTemporaryBehind) {
    TempDir dir;
    const std::string file = dir.Write("toc.ncx", "old content");
    ::chmod(file.c_str(), 0640);
    WriteTextFileAtomic(file, AllByteValues());
    EXPECT_EQ(ReadTextFile(file), AllByteValues());
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file keeps its permissions
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(TextFileAtomic, CreatesANewFile) {
    TempDir dir;
    WriteTextFileAtomic(dir.path() + "new.htm", "fresh");
    EXPECT_EQ(ReadTextFile(dir.path() + "new.htm"), "fresh");
}

TEST(TextFileAtomic, FailureKeepsTheOldFileWhole) {
    TempDir dir;
    const std::string file = dir.Write("keep.htm", "precious");
    // Renaming over a non-empty folder fails: the old content must stay as it was.
    const std::string folderTarget = dir.path() + "sub";
    dir.Write("sub/inner.txt", "x");
    EXPECT_THROW(WriteTextFileAtomic(folderTarget, "new"), std::system_error);
    EXPECT_EQ(ReadTextFile(file), "precious");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 2);  // keep.htm and sub/, no temporary left behind
    EXPECT_THROW(WriteTextFileAtomic(dir.path() + "missing/x.htm", "new"), std::system_error);
}

}  // namespace
}  // namespace quillery
