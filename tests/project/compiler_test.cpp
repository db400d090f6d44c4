// The compiler and how it is run: the command runner and its file copies, the compile
// options and command line, the presence check, and the judgement of a compile.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "fake_compiler.h"
#include "project/book.h"
#include "project/command_runner.h"
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

// Until the dialog is saved there is no compression; the dialog opens on "Standard", which
// adds no option at all.
TEST(CompileOptions, NeverSavedMeansNoCompressionAndTheDialogMapsItsChoices) {
    EXPECT_EQ(KindleGenOptionText(CompileOptions{}), " -c0");
    CompileOptionsChoice choice;
    EXPECT_EQ(KindleGenOptionText(SaveCompileOptions(choice)), "");
    choice.selCompLevel2 = choice.selPicFormat1 = false;
    choice.selCompLevel3 = choice.selPicFormat2 = choice.chkWestern = true;
    EXPECT_EQ(KindleGenOptionText(SaveCompileOptions(choice)), " -c2 -gif -western");
}

TEST(KindleGenCommandLine, OptionsInTheirOrderEveryPathQuotedAndAMobiOutputName) {
    // clang-format off
    const std::pair<CompileOptions, const char*> options[] = {
        {{0, 0, false}, " -c0"},      {{0, 0, true}, " -c0 -western"},
        {{0, 1, false}, " -c0 -gif"}, {{0, 1, true}, " -c0 -gif -western"},
        {{1, 0, false}, ""},          {{1, 0, true}, " -western"},
        {{1, 1, false}, " -gif"},     {{1, 1, true}, " -gif -western"},
        {{2, 0, false}, " -c2"},      {{2, 0, true}, " -c2 -western"},
        {{2, 1, false}, " -c2 -gif"}, {{2, 1, true}, " -c2 -gif -western"}};
    const std::pair<const char*, const char*> names[] = {
        {"My Book.azw", "'My Book.mobi'"}, {"book", "'book.mobi'"}, {"a.b.htm", "'a.b.mobi'"},
        {"it's.mobi", "'it'\\''s.mobi'"}};
    // clang-format on
    const std::string kg = "/opt/k g/kindlegen", ops = "/q/temp/OPS/";
    const std::string head = "'/opt/k g/kindlegen' '/q/temp/OPS/content.opf'";
    for (const auto& [o, text] : options)
        EXPECT_EQ(KindleGenCommandLine(kg, ops, o, "b.mobi"), head + text + " -o 'b.mobi'");
    for (const auto& [name, quoted] : names)
        EXPECT_EQ(KindleGenCommandLine(kg, ops, {1, 0, false}, name), head + " -o " + quoted);
    // Only the file name's extension is replaced, not a dot in a folder name.
    EXPECT_EQ(WithMobiExtension("/books/v1.2/noext"), "/books/v1.2/noext.mobi");
}

TEST(CheckKindleGen, MissingPathsAreReportedAndTheSizeFlagStartsAboveTheLimit) {
    TempDir dir;
    RecordingUiPort ui;
    bool sizeFlag = true;
    EXPECT_FALSE(CheckKindleGen("", ui, sizeFlag));
    EXPECT_EQ(ui.events, std::vector<std::string>{"kindlegen-needed"});
    EXPECT_FALSE(CheckKindleGen(dir.path() + "kindlegen", ui, sizeFlag));
    EXPECT_FALSE(CheckKindleGen(dir.path(), ui, sizeFlag));  // a folder is not a program
    EXPECT_EQ(ui.messages, std::vector<std::string>(2,
                                                    "KindleGen can not be found, please set "
                                                    "\r\ncorrect path of KindleGen in Settings."));
    ui.events.clear();
    const std::string path = dir.Write("kindlegen", std::string(2048000, 'k'));
    EXPECT_TRUE(CheckKindleGen(path, ui, sizeFlag));
    EXPECT_FALSE(sizeFlag);
    fs::resize_file(path, 2048001);
    Book book;
    EXPECT_TRUE(CheckKindleGen(path, ui, book));
    EXPECT_TRUE(book.kindleGenSizeFlag);
    EXPECT_TRUE(ui.events.empty());
}

struct CompileMobiTest : ::testing::Test {
    TempDir dir;
    std::string ops = dir.path() + "temp dir/OPS/";
    std::string out = dir.path() + "my books/";
    std::string tools = dir.path() + "tool's $(dir)/";
    CompileMobiTest() {
        dir.Write("temp dir/OPS/content.opf", "<package/>");
        fs::create_directories(out);
    }
    CompileResult Compile(const std::string& compiler, const std::string& name = "book.mobi") {
        return CompileMobi(compiler, ops, CompileOptions{}, name, out + name);
    }
};

TEST_F(CompileMobiTest, SuccessPassesTheArgumentsIntactAndCopiesTheOutput) {
    const CompileResult result =
        CompileMobi(testing::WriteGoodCompiler(tools), ops, CompileOptions{2, 1, true},
                    "Tom's $(book).htm", out + "Tom's $(book).htm");
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.output.substr(0, 22), "fake compiler: built T") << result.output;
    EXPECT_EQ(ReadTextFile(tools + "args.txt"),
              ops + "content.opf\n-c2\n-gif\n-western\n-o\nTom's $(book).mobi\n");
    EXPECT_EQ(ReadTextFile(out + "Tom's $(book).mobi"), "BOOKMOBI");
    EXPECT_TRUE(fs::exists(ops + "Tom's $(book).mobi"));  // left in place
}

// Only a file this run produced counts: a Mobi file of an earlier make is no success.
TEST_F(CompileMobiTest, NoNewOutputFileOrNoCompilerMeansFailure) {
    dir.Write("temp dir/OPS/book.mobi", "old book of an earlier make");
    const CompileResult result = Compile(testing::WriteFailingCompiler(tools));
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.output, "Error(fake): the book could not be built\n");
    EXPECT_FALSE(fs::exists(ops + "book.mobi"));
    EXPECT_FALSE(Compile(dir.path() + "none").success);
    EXPECT_FALSE(fs::exists(out + "book.mobi"));
}

TEST_F(CompileMobiTest, OutputNameIsKeptInsideTheOpsFolder) {
    dir.Write("victim.mobi", "must survive");
    EXPECT_TRUE(CompileMobi(testing::WriteGoodCompiler(tools), ops, CompileOptions{},
                            "../../victim.mobi", out + "victim.mobi")
                    .success);
    EXPECT_EQ(ReadTextFile(dir.path() + "victim.mobi"), "must survive");
    EXPECT_EQ(ReadTextFile(out + "victim.mobi"), "BOOKMOBI");
}

}  // namespace
}  // namespace quillery
