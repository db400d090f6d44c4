// The example book made by the quillery program and checked as an ePub by epubcheck: the
// package of a real book must be valid, not only the writers' unit outputs. With the bundled
// compiler in the program folder the Mobi file is made for real; otherwise a stand-in
// compiler takes its place and the package alone is checked.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <regex>

#include "fake_compiler.h"
#include "project/command_runner.h"
#include "run_quillery.h"
#include "temp_dir.h"
#include "text/file_utils.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

const char* const kEpubcheckJar = "/usr/share/java/epubcheck.jar";

// The counts of epubcheck's summary line "Messages: F fatals / E errors / W warnings ...";
// -1 each when the line is missing.
struct EpubcheckCounts {
    int fatals = -1;
    int errors = -1;
};

EpubcheckCounts CountsOf(const std::string& report) {
    EpubcheckCounts c;
    std::smatch m;
    if (std::regex_search(report, m, std::regex(R"((\d+) fatals? / (\d+) errors?)"))) {
        c.fatals = std::stoi(m[1]);
        c.errors = std::stoi(m[2]);
    } else if (report.find("No errors or warnings detected") != std::string::npos) {
        c.fatals = c.errors = 0;
    }
    return c;
}

TEST(ExampleBookReaders, TheMadeExampleIsAValidEpubPackage) {
    if (!fs::exists(kEpubcheckJar)) GTEST_SKIP() << "epubcheck is not installed";
    TempDir dir;
    const std::string examples = ProgramFolder() + "examples";
    const std::string before = TreeSnapshot(examples);

    std::vector<std::string> args = {"make",
                                     "--title",
                                     "A Weekend in Port M\xC3\xA9rel",
                                     "--author",
                                     "Quillery",
                                     "--cover",
                                     examples + "/cover.jpg",
                                     "--title-page",
                                     "-o",
                                     dir.path() + "out/weekend.mobi"};
    const std::string bundled = ProgramFolder() + "opf2mobi";
    const bool real_compiler = FileExists(bundled);
    if (real_compiler) {
        std::printf("compiling with the bundled compiler %s\n", bundled.c_str());
        args.insert(args.end(), {"--kindlegen", bundled});
    } else {
        std::printf(
            "no bundled compiler in the program folder: a stand-in compiler makes the book\n");
        args.insert(args.end(), {"--kindlegen", WriteGoodCompiler(dir.path() + "bin/")});
    }
    args.push_back(examples);
    const QuilleryRun run = RunQuilleryProgram(dir.path(), args);
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_GT(fs::file_size(dir.path() + "out/weekend.mobi"), real_compiler ? 1000u : 0u);
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
    const EpubcheckCounts counts = CountsOf(report);
    EXPECT_EQ(counts.fatals, 0) << report;
    EXPECT_EQ(counts.errors, 0) << report;
}

}  // namespace
}  // namespace quillery::testing
