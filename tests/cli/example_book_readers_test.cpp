// The example book made by the quillery program and checked as an ePub by epubcheck: the
// package of a real book must be valid, not only the writers' unit outputs. With the bundled
// compiler in the program folder the Mobi file is made for real; otherwise a stand-in
// compiler takes its place and the package alone is checked.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "fake_compiler.h"
#include "required_tool.h"
#include "run_quillery.h"
#include "text/file_utils.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

const char* const kEpubcheckJar = "/usr/share/java/epubcheck.jar";

TEST(ExampleBookReaders, TheMadeExampleIsAValidEpubPackage) {
    QUILLERY_REQUIRE_TOOL(fs::exists(kEpubcheckJar), "epubcheck");
    TempDir dir;
    const std::string examples = ProgramFolder() + "examples";
    const std::string before = TreeSnapshot(examples);
    const std::string bundled = ProgramFolder() + "opf2mobi";
    const bool realCompiler = FileExists(bundled);
    std::printf("compiling with %s\n", realCompiler ? "the bundled compiler" : "a stand-in");
    const QuilleryRun run = RunQuilleryProgram(
        dir.path(),
        {"make", "--title", "A Weekend in Port M\xC3\xA9rel", "--author", "Quillery", "--cover",
         examples + "/cover.jpg", "--title-page", "-o", dir.path() + "out/weekend.mobi",
         "--kindlegen", realCompiler ? bundled : WriteGoodCompiler(dir.path() + "bin/"), examples});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_GT(fs::file_size(dir.path() + "out/weekend.mobi"), realCompiler ? 1000u : 0u);
    EXPECT_EQ(TreeSnapshot(examples), before) << "the make wrote into the example folder";

    // The package as an ePub: the mimetype first and stored, then the rest (the Mobi file
    // the compiler left beside content.opf is not part of it).
    const std::string temp = dir.path() + "state/temp/";
    const std::string zip =
        "cd " + ShellQuote(temp) +
        " && zip -X0 book.epub mimetype && zip -Xr9D book.epub META-INF OPS -x '*.mobi'";
    ASSERT_EQ(RunCommand("(" + zip + ") >/dev/null 2>&1; echo $?", "/"), "0\n");
    const std::string report = RunCommand(
        "java -jar " + ShellQuote(kEpubcheckJar) + " " + ShellQuote(temp + "book.epub"), "/");
    // The summary line "Messages: F fatals / E errors / W warnings ..." or the all-clear.
    EXPECT_TRUE(report.find("No errors or warnings detected") != std::string::npos ||
                std::regex_search(report, std::regex(R"(\b0 fatals? / 0 errors?\b)")))
        << report;
}

}  // namespace
}  // namespace quillery::testing
