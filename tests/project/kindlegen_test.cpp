// The compiler driver: the compile flags and command line, the presence check, and the
// judgement of a compile.

#include "project/kindlegen.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "fake_compiler.h"
#include "project/book.h"
#include "project/command_runner.h"
#include "recording_ui_port.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;

// Until the dialog is saved there is no compression; the dialog opens on "Standard", which
// adds no option at all.
TEST(CompileFlags, NeverSavedMeansNoCompressionAndTheDialogMapsItsChoices) {
    EXPECT_EQ(KindleGenOptionText(CompileFlags{}), " -c0");
    CompileFlagsChoice choice;
    EXPECT_EQ(KindleGenOptionText(SaveCompileFlags(choice)), "");
    choice.selCompLevel2 = choice.selPicFormat1 = false;
    choice.selCompLevel3 = choice.selPicFormat2 = choice.chkWestern = true;
    EXPECT_EQ(KindleGenOptionText(SaveCompileFlags(choice)), " -c2 -gif -western");
}

TEST(KindleGenCommandLine, OptionsInTheirOrderEveryPathQuotedAndAMobiOutputName) {
    // clang-format off
    // Each flag alone and all together (the flags are written independently).
    const std::pair<CompileFlags, const char*> options[] = {
        {{0, 0, false}, " -c0"}, {{1, 0, false}, ""},          {{1, 0, true}, " -western"},
        {{1, 1, false}, " -gif"}, {{2, 0, false}, " -c2"}, {{0, 1, true}, " -c0 -gif -western"}};
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
    // The patch the flag chooses is for KindleGen builds: a large build of our own compiler
    // never gets it.
    const std::string own = dir.Write("bin/opf2mobi", std::string(4096000, 'o'));
    EXPECT_TRUE(CheckKindleGen(own, ui, book));
    EXPECT_FALSE(book.kindleGenSizeFlag);
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
        return CompileMobi(compiler, ops, CompileFlags{}, name, out + name);
    }
};

TEST_F(CompileMobiTest, SuccessPassesTheArgumentsIntactAndCopiesTheOutputFromTheOpsFolder) {
    const CompileResult result =
        CompileMobi(testing::WriteGoodCompiler(tools), ops, CompileFlags{2, 1, true},
                    "Tom's $(book).htm", out + "Tom's $(book).htm");
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.output.substr(0, 22), "fake compiler: built T") << result.output;
    EXPECT_EQ(ReadTextFile(tools + "args.txt"),
              ops + "content.opf\n-c2\n-gif\n-western\n-o\nTom's $(book).mobi\n");
    EXPECT_EQ(ReadTextFile(out + "Tom's $(book).mobi"), "BOOKMOBI");
    EXPECT_TRUE(fs::exists(ops + "Tom's $(book).mobi"));  // left in place
    // The output name is kept inside the OPS folder.
    dir.Write("victim.mobi", "must survive");
    EXPECT_TRUE(CompileMobi(testing::WriteGoodCompiler(tools), ops, CompileFlags{},
                            "../../victim.mobi", out + "victim.mobi")
                    .success);
    EXPECT_EQ(ReadTextFile(dir.path() + "victim.mobi"), "must survive");
    EXPECT_EQ(ReadTextFile(out + "victim.mobi"), "BOOKMOBI");
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

// An empty path means the bundled compiler, wherever the program folder is at the time.
TEST(CompilerToRun, AnEmptyPathIsTheBundledCompilerOfTheProgramFolder) {
    TempDir dir;
    WorkFolders folders;
    folders.programFolder = dir.path() + "moved/";
    EXPECT_EQ(CompilerToRun("", folders), "");  // no bundled compiler there
    const std::string bundled = dir.Write("moved/opf2mobi", "#!/bin/sh\n");
    EXPECT_EQ(CompilerToRun("", folders), bundled);
    EXPECT_EQ(CompilerToRun("/opt/kindlegen", folders), "/opt/kindlegen");
}

}  // namespace
}  // namespace quillery
