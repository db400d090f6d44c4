// The opf2mobi command: exit status, messages, and what is left in the folder.

#include "mobi/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "mobi/package_paths.h"
#include "mobi_reader.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::mobi {
namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int status = -1;
    std::string output;
    std::vector<std::string> lines;
};

CommandRun Opf2Mobi(std::vector<std::string> arguments) {
    std::ostringstream out;
    CommandRun run;
    run.status = RunOpf2Mobi(arguments, out);
    run.output = out.str();
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
}

// Every file in the folder (not below it).
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const char* kMinimalOpf =
    "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\">"
    "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Small</dc:title>"
    "<dc:language>en</dc:language></metadata><manifest>%MANIFEST%</manifest><spine>%SPINE%</"
    "spine></package>";

std::string Opf(const std::string& manifest, const std::string& spine) {
    std::string opf = kMinimalOpf;
    opf.replace(opf.find("%MANIFEST%"), 10, manifest);
    opf.replace(opf.find("%SPINE%"), 7, spine);
    return opf;
}

TEST(Opf2MobiCommand, BuildsBesideTheOpfWithTheDefaultNameAndSaysSo) {
    quillery::testing::TempDir dir;
    const auto book = testing::WriteTestBook(dir.path() + "pkg", {});
    const CommandRun run = Opf2Mobi({book.opfPath});
    EXPECT_EQ(run.status, kExitBuilt) << run.output;
    ASSERT_TRUE(fs::exists(book.folder + "content.mobi"));
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.front().rfind("Info(opf2mobi): ", 0), 0u);
    EXPECT_EQ(run.lines.back(),
              "Info(opf2mobi): Mobi file built: \"" + book.folder + "content.mobi\"");
    for (const auto& line : run.lines) {
        EXPECT_TRUE(line.rfind("Info(opf2mobi): ", 0) == 0 ||
                    line.rfind("Warning(opf2mobi): ", 0) == 0)
            << line;
    }
    testing::LibMobiBook reader(book.folder + "content.mobi");
    EXPECT_TRUE(reader.loaded());
}

TEST(Opf2MobiCommand, OutputNameIsAFileNameInTheOpfFolder) {
    quillery::testing::TempDir dir;
    const auto book = testing::WriteTestBook(dir.path() + "pkg", {});
    const CommandRun run = Opf2Mobi({book.opfPath, "-c0", "-o", "My Book.mobi", "-verbose"});
    EXPECT_EQ(run.status, kExitBuilt) << run.output;
    EXPECT_TRUE(fs::exists(book.folder + "My Book.mobi"));

    const auto before = FilesIn(book.folder);
    const CommandRun withPath = Opf2Mobi({book.opfPath, "-o", "../elsewhere.mobi"});
    EXPECT_EQ(withPath.status, kExitNotBuilt);
    EXPECT_EQ(withPath.lines.front().rfind("Error(opf2mobi): ", 0), 0u);
    EXPECT_EQ(FilesIn(book.folder), before);
    EXPECT_FALSE(fs::exists(dir.path() + "elsewhere.mobi"));

    // The book is never written over a file of the package.
    const auto opf = *ReadWholeFile(book.opfPath);
    for (const std::string name : {"content.opf", "toc.ncx"}) {
        const CommandRun overPackage = Opf2Mobi({book.opfPath, "-o", name});
        EXPECT_EQ(overPackage.status, kExitNotBuilt);
        EXPECT_NE(overPackage.output.find("Error(opf2mobi): the output name \"" + name +
                                          "\" is a file of the package"),
                  std::string::npos)
            << overPackage.output;
    }
    EXPECT_EQ(*ReadWholeFile(book.opfPath), opf);
    EXPECT_EQ(FilesIn(book.folder), before);
}

TEST(Opf2MobiCommand, HelpPrintsTheUsageAndBuildsNothing) {
    const CommandRun run = Opf2Mobi({"-help"});
    EXPECT_EQ(run.status, kExitBuilt);
    EXPECT_EQ(run.lines.front(),
              "Usage: opf2mobi <path>/content.opf [-c0|-c1|-c2] [-gif] [-western] [-o NAME.mobi] "
              "[-verbose]");
}

TEST(Opf2MobiCommand, BadInvocationsAndPackagesBuildNothing) {
    quillery::testing::TempDir dir;
    const std::string chapter = "<html><body><p>Hello</p></body></html>";
    dir.Write("bad/c.html", chapter);
    dir.Write("bad/notxml.opf", "this is <not xml");
    dir.Write("bad/empty.opf",
              Opf("<item id=\"c\" href=\"c.html\" media-type=\"application/xhtml+xml\"/>", ""));
    dir.Write("bad/good.opf",
              Opf("<item id=\"c\" href=\"c.html\" media-type=\"application/xhtml+xml\"/>",
                  "<itemref idref=\"c\"/>"));
    dir.Write("bad/outside.opf",
              Opf("<item id=\"c\" href=\"../secret.html\" media-type=\"application/xhtml+xml\"/>",
                  "<itemref idref=\"c\"/>"));
    dir.Write("secret.html", "<p>secret</p>");
    dir.Write("bad/unreadable.opf", "<package/>");
    fs::permissions(dir.path() + "bad/unreadable.opf", fs::perms::none);
    const bool canReadAnyway =
        std::ifstream(dir.path() + "bad/unreadable.opf").good();  // root reads everything
    const std::string folder = dir.path() + "bad/";
    const auto before = FilesIn(folder);
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    std::vector<Case> cases = {
        {{folder + "good.opf", "-c3"}, "Error(opf2mobi): unknown option \"-c3\""},
        {{folder + "good.opf", "-o"}, "Error(opf2mobi): option -o needs a file name"},
        {{}, "Error(opf2mobi): no package document given"},
        {{folder + "missing.opf"},
         "Error(opf2mobi): cannot read the package document \"" + folder + "missing.opf\""},
        {{folder + "notxml.opf"}, "Error(opf2mobi): the package document is not well-formed XML"},
        {{folder + "empty.opf"}, "Error(opf2mobi): the spine of \"empty.opf\" names no chapter"},
        {{folder + "outside.opf"}, "Error(opf2mobi): the spine holds no chapter that can be read"},
    };
    if (!canReadAnyway)
        cases.push_back(
            {{folder + "unreadable.opf"}, "Error(opf2mobi): cannot read the package document"});
    for (const auto& c : cases) {
        const CommandRun run = Opf2Mobi(c.arguments);
        EXPECT_EQ(run.status, kExitNotBuilt) << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_EQ(run.lines.back().rfind("Error(opf2mobi): Mobi file not built", 0), 0u)
            << run.output;
        EXPECT_EQ(FilesIn(folder), before) << run.output;
        // Every line is a finding, then the summary.
        for (const auto& line : run.lines) {
            EXPECT_TRUE(line.rfind("Info(opf2mobi): ", 0) == 0 ||
                        line.rfind("Warning(opf2mobi): ", 0) == 0 ||
                        line.rfind("Error(opf2mobi): ", 0) == 0)
                << line;
        }
    }
    // The file outside the package folder was refused, with a warning of its own.
    const CommandRun outside = Opf2Mobi({folder + "outside.opf"});
    EXPECT_NE(
        outside.output.find(
            "Warning(opf2mobi): manifest item \"c\" names \"../secret.html\", which is outside"),
        std::string::npos);
}

TEST(Opf2MobiCommand, MissingAndDamagedFilesAreWarningsAndTheBookIsBuilt) {
    quillery::testing::TempDir dir;
    testing::TestBookOptions options;
    options.chapters = 3;
    const auto book = testing::WriteTestBook(dir.path() + "pkg", options);
    // A truncated picture, a missing one, a missing chapter named by the manifest and spine.
    const auto png = *ReadWholeFile(book.folder + book.pictures[1]);
    dir.Write("pkg/" + book.pictures[1], png.substr(0, png.size() / 3));
    fs::remove(book.folder + book.pictures[2]);
    fs::remove(book.folder + book.chapters[2].path);
    const CommandRun run = Opf2Mobi({book.opfPath});
    EXPECT_EQ(run.status, kExitBuiltWithWarnings) << run.output;
    EXPECT_NE(run.output.find("Warning(opf2mobi): picture \"" + book.pictures[1] +
                              "\" cannot be decoded"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Warning(opf2mobi): file \"" + book.pictures[2] +
                              "\" named by the manifest does not exist; it is left out"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Warning(opf2mobi): file \"" + book.chapters[2].path +
                              "\" named by the manifest does not exist; it is left out"),
              std::string::npos)
        << run.output;
    // One warning for each missing file, not one more each time it is named.
    std::size_t missingWarnings = 0;
    for (const auto& line : run.lines)
        missingWarnings += line.find(book.pictures[2]) != std::string::npos;
    EXPECT_EQ(missingWarnings, 1u) << run.output;
    // Links into the missing chapter are reported as leading nowhere.
    EXPECT_NE(run.output.find("does not lead to a chapter of the book"), std::string::npos);
    EXPECT_EQ(run.lines.back().rfind("Info(opf2mobi): Mobi file built with ", 0), 0u);
    testing::LibMobiBook reader(book.folder + "content.mobi");
    ASSERT_TRUE(reader.loaded());
    const auto text = reader.Text();
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("<h1>Chapter 2<"), std::string::npos);
    EXPECT_EQ(text->find("<h1>Chapter 3<"), std::string::npos);
}

TEST(Opf2MobiCommand, AnOlderBookIsReplacedOnlyByACompleteNewOne) {
    quillery::testing::TempDir dir;
    testing::TestBookOptions options;
    options.chapters = 2;
    const auto book = testing::WriteTestBook(dir.path() + "pkg", options);
    dir.Write("pkg/content.mobi", "an older book");
    // A failing run leaves the older book alone.
    EXPECT_EQ(Opf2Mobi({book.opfPath, "-bogus"}).status, kExitNotBuilt);
    EXPECT_EQ(*ReadWholeFile(book.folder + "content.mobi"), "an older book");
    dir.Write("pkg/broken.opf", "<package><spine>");
    EXPECT_EQ(Opf2Mobi({book.folder + "broken.opf", "-o", "content.mobi"}).status, kExitNotBuilt);
    EXPECT_EQ(*ReadWholeFile(book.folder + "content.mobi"), "an older book");
    // A good run replaces it, and leaves no temporary file.
    const auto before = FilesIn(book.folder);
    EXPECT_EQ(Opf2Mobi({book.opfPath}).status, kExitBuilt);
    EXPECT_EQ(FilesIn(book.folder), before);
    testing::LibMobiBook reader(book.folder + "content.mobi");
    EXPECT_TRUE(reader.loaded());
}

TEST(Opf2MobiCommand, AFailedWriteIsAnErrorAndLeavesNoTemporaryFile) {
    quillery::testing::TempDir dir;
    testing::TestBookOptions options;
    options.chapters = 1;
    options.pictures = 0;
    const auto book = testing::WriteTestBook(dir.path() + "pkg", options);
    // A folder where the book should go: the final rename cannot replace it.
    fs::create_directories(book.folder + "content.mobi/keep");
    const auto before = FilesIn(book.folder);
    const CommandRun run = Opf2Mobi({book.opfPath});
    EXPECT_EQ(run.status, kExitNotBuilt) << run.output;
    EXPECT_NE(
        run.output.find("Error(opf2mobi): cannot replace \"" + book.folder + "content.mobi\""),
        std::string::npos)
        << run.output;
    EXPECT_EQ(FilesIn(book.folder), before);
    EXPECT_TRUE(fs::exists(book.folder + "content.mobi/keep"));
}

}  // namespace
}  // namespace quillery::mobi
