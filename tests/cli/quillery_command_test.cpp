// The quillery program end to end with a stand-in compiler: exit statuses, where the log and
// the messages go, the titles listing, and that the options reach the package.

#include <gtest/gtest.h>

#include <filesystem>

#include "fake_compiler.h"
#include "project/settings.h"
#include "project/work_folders.h"
#include "run_quillery.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

class QuilleryCommand : public ::testing::Test {
protected:
    QuilleryCommand()
        : chapters(WriteSmallWebBook(dir.path())),
          compiler(WriteGoodCompiler(dir.path() + "bin/")) {}

    QuilleryRun Make(std::vector<std::string> args) {
        args.insert(args.begin(), {"make", "--kindlegen", compiler});
        return RunQuilleryProgram(dir.path(), args);
    }
    std::string Ops(const std::string& name) const {
        return ReadTextFile(dir.path() + "state/temp/OPS/" + name);
    }

    TempDir dir;
    std::string chapters;
    std::string compiler;
};

TEST_F(QuilleryCommand, AMadeBookExitsZeroWithTheLogOnStdoutAndTheMessageOnStderr) {
    // Paths relative to the folder the program runs in.
    const QuilleryRun run = Make({"--title", "Small Book", "-o", "out/small.mobi", "chapters"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadTextFile(dir.path() + "out/small.mobi"), "BOOKMOBI");
    // The log, with console line ends.
    EXPECT_NE(run.out.find("fake compiler: built small.mobi"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\n# Mobi book small.mobi made successfully.\n# File saved at " +
                           dir.path() + "out/small.mobi\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    EXPECT_EQ(run.out.find("Your Mobi book has been saved"), std::string::npos);
    // The message and one progress line per step.
    EXPECT_NE(
        run.err.find("Your Mobi book has been saved in " + dir.path() + "out/ as small.mobi\n"),
        std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("] Writing the chapters\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("] Compiling the Mobi book\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("made successfully"), std::string::npos);
}

TEST_F(QuilleryCommand, AFailedCompileExitsOne) {
    compiler = WriteFailingCompiler(dir.path() + "bin/");
    const QuilleryRun run = Make({"-o", dir.path() + "out/small.mobi", chapters});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error in compiling, Mobi creation failed, please check the log.\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("Error(fake)"), std::string::npos);
    EXPECT_NE(run.out.find("# Mobi file creation failed."), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.path() + "out/small.mobi"));
}

TEST_F(QuilleryCommand, PreconditionsAndUsageErrorsExitTwo) {
    QuilleryRun run = Make({"--title", "", chapters});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.find("Please specify the book title\n") == std::string::npos, false)
        << run.err;

    run = Make({"--kindlegen", dir.path() + "nowhere/opf2mobi", chapters});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(
        run.err.find(
            "KindleGen can not be found, please set \ncorrect path of KindleGen in Settings."),
        std::string::npos)
        << run.err;

    run = Make({"--toc-position", "x", chapters});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quillery: --toc-position takes a whole number from 0 to 9, not \"x\"\n");

    run = Make({"--mark-toc", "nothere.htm", chapters});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("nothere.htm"), std::string::npos);

    run =
        RunQuilleryProgram(dir.path(), {"make", chapters + "01_one.htm", dir.path() + "cover.jpg"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("one folder"), std::string::npos) << run.err;

    run = Make({"--cover", dir.path() + "missing.jpg", chapters});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quillery: --cover: no such file: " + dir.path() + "missing.jpg\n");
    EXPECT_FALSE(fs::exists(dir.path() + "state/temp"));

    run = RunQuilleryProgram(dir.path(), {});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("Usage:"), std::string::npos);
    EXPECT_EQ(RunQuilleryProgram(dir.path(), {"--help"}).status, 0);
}

TEST_F(QuilleryCommand, TitlesListsTheChaptersInNameOrderWithTheirTitles) {
    const QuilleryRun run = RunQuilleryProgram(dir.path(), {"titles", chapters});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::size_t first = run.out.find("01_one.htm");
    const std::size_t second = run.out.find("02_two.htm");
    const std::size_t third = run.out.find("03 three.htm");
    ASSERT_TRUE(first != std::string::npos && second != std::string::npos &&
                third != std::string::npos)
        << run.out;
    EXPECT_TRUE(first < second && second < third);
    EXPECT_NE(run.out.find("First Steps"), std::string::npos);
    EXPECT_NE(run.out.find("Third Time"), std::string::npos);
    EXPECT_EQ(run.out.find("notes.txt"), std::string::npos);
    EXPECT_EQ(run.out.find("(TOC)"), std::string::npos);

    const QuilleryRun by_name = RunQuilleryProgram(
        dir.path(), {"titles", "--title-method", "file", "--mark-toc", "02_two.htm",
                     chapters + "03 three.htm", chapters + "02_two.htm"});
    ASSERT_EQ(by_name.status, 0) << by_name.err;
    EXPECT_LT(by_name.out.find("03 three.htm"), by_name.out.find("02_two.htm"));
    EXPECT_EQ(by_name.out.find("Third Time"), std::string::npos) << by_name.out;
    EXPECT_NE(by_name.out.find("(TOC)"), std::string::npos);
    EXPECT_GT(by_name.out.find("(TOC)"), by_name.out.find("02_two.htm"));
}

// Characters, not bytes: the size column lines up under titles with accented letters.
TEST_F(QuilleryCommand, TitlesKeepTheirColumnsAlignedForAccentedTitles) {
    dir.Write("accents/01.htm",
              "<html><head><title>Caf\xC3\xA9 \xE2\x80\x99s</title></head><body></body></html>");
    dir.Write("accents/02.htm", "<html><head><title>Plain</title></head><body></body></html>");
    const QuilleryRun run = RunQuilleryProgram(
        dir.path(), {"titles", "--title-method", "html", dir.path() + "accents"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::size_t newline = run.out.find('\n');
    ASSERT_NE(newline, std::string::npos);
    const std::string first = run.out.substr(0, newline), second = run.out.substr(newline + 1);
    // "Café ’s" is 10 bytes for 7 characters.
    EXPECT_EQ(first.find(" KB") - 3, second.find(" KB")) << run.out;
}

TEST_F(QuilleryCommand, MarkTocNamesTheChapterAsTheContentsInsteadOfAGeneratedPage) {
    const QuilleryRun run = Make({"--mark-toc", "02_two.htm", chapters});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(dir.path() + "state/temp/OPS/toc.htm"));
    EXPECT_NE(
        Ops("content.opf").find("type=\"toc\"  title=\"Table of Contents\" href=\"02_two.htm\""),
        std::string::npos);
}

TEST_F(QuilleryCommand, EveryBookOptionReachesThePackage) {
    const std::string css = dir.Write("new.css", "h2 { color: black; }\n");
    const QuilleryRun run = Make({"--title",
                                  "Harbour Days",
                                  "--author",
                                  "Ann Author",
                                  "--subject",
                                  "Travel",
                                  "--publisher",
                                  "Quay Press",
                                  "--id",
                                  "urn:isbn:123",
                                  "--language",
                                  "French",
                                  "--description",
                                  "A short <guide>.",
                                  "--cover",
                                  dir.path() + "cover.jpg",
                                  "--title-page",
                                  "--toc-title",
                                  "Inside",
                                  "--indent",
                                  "3",
                                  "--spacing",
                                  "0.5",
                                  "--line-height",
                                  "150",
                                  "--align",
                                  "left",
                                  "--stylesheet",
                                  css,
                                  "--remove",
                                  "scripts",
                                  "-c0",
                                  "--gif",
                                  "--western",
                                  chapters});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string opf = Ops("content.opf");
    for (const char* expected :
         {"<dc:title>Harbour Days</dc:title>", ">Ann Author</dc:creator>",
          "<dc:subject>Travel</dc:subject>", "<dc:publisher>Quay Press</dc:publisher>",
          ">urn:isbn:123</dc:identifier>", "<dc:language>fr</dc:language>",
          "<dc:description>A short &lt;guide&gt;.</dc:description>"}) {
        EXPECT_NE(opf.find(expected), std::string::npos) << expected << "\n" << opf;
    }
    EXPECT_TRUE(fs::exists(dir.path() + "state/temp/OPS/coverpage.htm"));
    EXPECT_TRUE(fs::exists(dir.path() + "state/temp/OPS/titlepage.htm"));
    EXPECT_NE(Ops("toc.htm").find("<h2>Inside</h2>"), std::string::npos);
    EXPECT_EQ(Ops("new.css"), "h2 { color: black; }\n");
    const std::string rule = Ops("book.css");
    for (const char* part :
         {"text-indent:3em;", "margin-top:0.5em;", "line-height:150%;", "text-align:Left;"})
        EXPECT_NE(rule.find(part), std::string::npos) << part << "\n" << rule;
    EXPECT_EQ(Ops("01_one.htm").find("var x"), std::string::npos);
    EXPECT_NE(run.out.find("fake compiler options: -c0 -gif -western"), std::string::npos)
        << run.out;
    // No -o: the book goes to the default book folder under its title.
    EXPECT_TRUE(fs::exists(dir.path() + "state/myBook/Harbour Days.mobi"));
}

TEST_F(QuilleryCommand, SavedSettingsAreTheDefaultsAndOptionsOverrideThem) {
    ::setenv("QUILLERY_STATE_DIR", (dir.path() + "state").c_str(), 1);
    WorkFolders folders = ComputeWorkFolders(ProgramFolder());
    Settings settings;
    ApplyDefaultSettings(settings, folders);
    settings.tocTitle = "Saved Contents";
    settings.bookFolder = dir.path() + "saved-books/";
    SaveSettings(settings, folders);

    QuilleryRun run = Make({"--title", "One", chapters});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(Ops("toc.htm").find("<h2>Saved Contents</h2>"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.path() + "saved-books/One.mobi"));

    run = Make({"--title", "Two", "--toc-title", "Given", chapters});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(Ops("toc.htm").find("<h2>Given</h2>"), std::string::npos);
    // A make does not save the options it was given.
    EXPECT_NE(ReadTextFile(folders.settingsFile).find("Saved Contents"), std::string::npos);
}

TEST_F(QuilleryCommand, AnOutputNameWithoutExtensionIsSavedAndReportedAsAMobiFile) {
    const QuilleryRun run = Make({"-o", dir.path() + "out/plain", chapters});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(dir.path() + "out/plain.mobi"));
    EXPECT_NE(run.out.find("# File saved at " + dir.path() + "out/plain.mobi"), std::string::npos)
        << run.out;
}

}  // namespace
}  // namespace quillery::testing
