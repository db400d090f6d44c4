#include "project/kindlegen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/book.h"
#include "project/command_runner.h"
#include "recording_ui_port.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A stand-in compiler: writes its arguments, one per line, to args.txt beside itself, prints
// a console line, and (unless told to fail) writes the -o file beside content.opf.
std::string WriteFakeCompiler(const TempDir& dir, bool writesOutput) {
    std::string script =
        "#!/bin/sh\n"
        "here=$(dirname \"$0\")\n"
        ": > \"$here/args.txt\"\n"
        "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$here/args.txt\"; done\n"
        "pwd > \"$here/pwd.txt\"\n"
        "echo 'Info: compiling'\n";
    if (writesOutput)
        script +=
            "out=''; prev=''\n"
            "for a in \"$@\"; do [ \"$prev\" = -o ] && out=\"$a\"; prev=\"$a\"; done\n"
            "printf 'MOBI' > \"$(dirname \"$1\")/$out\"\n";
    const std::string path = dir.Write("tool dir/kindle'gen", script);
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

TEST(CompileOptions, SaveMapsTheDialogChoices) {
    CompileOptionsChoice choice;  // as the dialog opens: Standard, JPG, not western
    CompileOptions saved = SaveCompileOptions(choice);
    EXPECT_EQ(saved.compressionLevel, 1);
    EXPECT_EQ(saved.pictureFormat, 0);
    EXPECT_FALSE(saved.westernOnly);

    choice.selCompLevel2 = false;
    choice.selCompLevel1 = true;
    EXPECT_EQ(SaveCompileOptions(choice).compressionLevel, 0);
    choice.selCompLevel1 = false;
    choice.selCompLevel3 = true;
    choice.selPicFormat1 = false;
    choice.selPicFormat2 = true;
    choice.chkWestern = true;
    saved = SaveCompileOptions(choice);
    EXPECT_EQ(saved.compressionLevel, 2);
    EXPECT_EQ(saved.pictureFormat, 1);
    EXPECT_TRUE(saved.westernOnly);
}

TEST(CompileOptions, NeverSavedMeansNoCompression) {
    EXPECT_EQ(KindleGenOptionText(CompileOptions{}), " -c0");
}

TEST(KindleGenCommandLine, EveryOptionCombination) {
    const char* levelText[] = {" -c0", "", " -c2"};
    for (int level = 0; level <= 2; ++level) {
        for (int gif = 0; gif <= 1; ++gif) {
            for (bool western : {false, true}) {
                const CompileOptions options{level, gif, western};
                const std::string expectedOptions = std::string(levelText[level]) +
                                                    (gif ? " -gif" : "") +
                                                    (western ? " -western" : "");
                EXPECT_EQ(KindleGenOptionText(options), expectedOptions);
                EXPECT_EQ(KindleGenCommandLine("/opt/kg/kindlegen", "/q/temp/OPS/", options,
                                               "My Book.mobi"),
                          "'/opt/kg/kindlegen' '/q/temp/OPS/content.opf'" + expectedOptions +
                              " -o 'My Book.mobi'");
            }
        }
    }
}

TEST(KindleGenCommandLine, OutputNameTakesTheMobiExtension) {
    const CompileOptions standard{1, 0, false};
    EXPECT_EQ(KindleGenCommandLine("/k", "/o/", standard, "book.azw"),
              "'/k' '/o/content.opf' -o 'book.mobi'");
    EXPECT_EQ(KindleGenCommandLine("/k", "/o/", standard, "book"),
              "'/k' '/o/content.opf' -o 'book.mobi'");
    EXPECT_EQ(KindleGenCommandLine("/it's/k", "/o p/", standard, "it's.mobi"),
              "'/it'\\''s/k' '/o p/content.opf' -o 'it'\\''s.mobi'");
}

TEST(WithMobiExtension, ReplacesOnlyTheFileNamesExtension) {
    EXPECT_EQ(WithMobiExtension("a.mobi"), "a.mobi");
    EXPECT_EQ(WithMobiExtension("a.b.htm"), "a.b.mobi");
    EXPECT_EQ(WithMobiExtension("noext"), "noext.mobi");
    EXPECT_EQ(WithMobiExtension("/books/v1.2/noext"), "/books/v1.2/noext.mobi");
    EXPECT_EQ(WithMobiExtension("/books/x.epub"), "/books/x.mobi");
}

TEST(CheckKindleGen, EmptyPathAsksForOne) {
    RecordingUiPort ui;
    bool sizeFlag = false;
    EXPECT_FALSE(CheckKindleGen("", ui, sizeFlag));
    EXPECT_EQ(ui.events, std::vector<std::string>{"kindlegen-needed"});
}

TEST(CheckKindleGen, MissingFileIsReported) {
    TempDir dir;
    RecordingUiPort ui;
    bool sizeFlag = false;
    EXPECT_FALSE(CheckKindleGen(dir.path() + "kindlegen", ui, sizeFlag));
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"KindleGen can not be found, please set \r\ncorrect path of "
                                       "KindleGen in Settings."});
    // A folder is not a program either.
    ui.messages.clear();
    EXPECT_FALSE(CheckKindleGen(dir.path(), ui, sizeFlag));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(CheckKindleGen, SizeFlagOnlyAboveTheLimit) {
    TempDir dir;
    RecordingUiPort ui;
    const std::string path = dir.Write("kindlegen", std::string(2048000, 'k'));
    bool sizeFlag = true;
    EXPECT_TRUE(CheckKindleGen(path, ui, sizeFlag));
    EXPECT_FALSE(sizeFlag);
    fs::resize_file(path, 2048001);
    Book book;
    EXPECT_TRUE(CheckKindleGen(path, ui, book));
    EXPECT_TRUE(book.kindleGenSizeFlag);
    EXPECT_TRUE(ui.events.empty());
}

struct CompileFixture : ::testing::Test {
    TempDir dir;
    std::string ops = dir.path() + "temp dir/OPS/";
    std::string outputFolder = dir.path() + "my books/";
    void SetUp() override {
        fs::create_directories(ops);
        fs::create_directories(outputFolder);
        dir.Write("temp dir/OPS/content.opf", "<package/>");
    }
};

TEST_F(CompileFixture, SuccessCopiesTheOutputAndPassesTheArguments) {
    const std::string compiler = WriteFakeCompiler(dir, true);
    const CompileOptions options{2, 1, true};
    const CompileResult result = CompileMobi(compiler, ops, options, "Tom's $(book).htm",
                                             outputFolder + "Tom's $(book).htm");
    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.output, "Info: compiling\n");
    EXPECT_EQ(Slurp(dir.path() + "tool dir/args.txt"),
              ops + "content.opf\n-c2\n-gif\n-western\n-o\nTom's $(book).mobi\n");
    EXPECT_EQ(Slurp(dir.path() + "tool dir/pwd.txt"), "/\n");
    EXPECT_EQ(Slurp(outputFolder + "Tom's $(book).mobi"), "MOBI");
    EXPECT_TRUE(fs::exists(ops + "Tom's $(book).mobi"));  // left in place
}

TEST_F(CompileFixture, NoOutputFileMeansFailure) {
    const std::string compiler = WriteFakeCompiler(dir, false);
    const CompileResult result =
        CompileMobi(compiler, ops, CompileOptions{}, "book.mobi", outputFolder + "book.mobi");
    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.output, "Info: compiling\n");
    EXPECT_FALSE(fs::exists(outputFolder + "book.mobi"));
}

TEST_F(CompileFixture, StaleOutputFromAnEarlierMakeDoesNotCountAsSuccess) {
    dir.Write("temp dir/OPS/book.mobi", "old book of an earlier make");
    const std::string compiler = WriteFakeCompiler(dir, false);
    const CompileResult result =
        CompileMobi(compiler, ops, CompileOptions{}, "book.mobi", outputFolder + "book.mobi");
    EXPECT_FALSE(result.success);
    EXPECT_FALSE(fs::exists(ops + "book.mobi"));
    EXPECT_FALSE(fs::exists(outputFolder + "book.mobi"));
}

TEST_F(CompileFixture, MissingCompilerFailsQuietly) {
    const CompileResult result = CompileMobi(dir.path() + "none", ops, CompileOptions{},
                                             "book.mobi", outputFolder + "book.mobi");
    EXPECT_FALSE(result.success);
    EXPECT_FALSE(fs::exists(outputFolder + "book.mobi"));
}

TEST_F(CompileFixture, OutputNameIsKeptInsideTheOpsFolder) {
    dir.Write("victim.mobi", "must survive");
    const std::string compiler = WriteFakeCompiler(dir, true);
    const CompileResult result = CompileMobi(compiler, ops, CompileOptions{}, "../../victim.mobi",
                                             outputFolder + "victim.mobi");
    EXPECT_TRUE(result.success);
    EXPECT_EQ(Slurp(dir.path() + "victim.mobi"), "must survive");
    EXPECT_EQ(Slurp(outputFolder + "victim.mobi"), "MOBI");
}

TEST_F(CompileFixture, BookOverloadUsesTheProjectsOutputLocation) {
    const std::string compiler = WriteFakeCompiler(dir, true);
    Book book;
    book.folders.opsFolder = ops;
    book.compileOptions = CompileOptions{1, 0, false};
    book.outputFileName = "novel.txt";
    book.outputFolder = outputFolder;
    book.fullOutputPath = outputFolder + "novel.txt";
    EXPECT_TRUE(CompileMobi(compiler, book).success);
    EXPECT_EQ(Slurp(dir.path() + "tool dir/args.txt"), ops + "content.opf\n-o\nnovel.mobi\n");
    EXPECT_EQ(Slurp(outputFolder + "novel.mobi"), "MOBI");
    EXPECT_EQ(FinalMobiPath(book), outputFolder + "novel.mobi");
}

TEST(BundledCompilerPath, PointsAtOpf2mobiWhenPresent) {
    TempDir dir;
    WorkFolders folders;
    folders.programFolder = dir.path();
    EXPECT_EQ(BundledCompilerPath(folders), "");
    dir.Write("opf2mobi", "#!/bin/sh\n");
    EXPECT_EQ(BundledCompilerPath(folders), dir.path() + "opf2mobi");
}

}  // namespace
}  // namespace quillery
