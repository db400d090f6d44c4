// The opf2mobi command: exit status, messages, and what is left in the folder.

#include "opf2mobi/opf2mobi_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "mobi/package_paths.h"
#include "mobi_reader.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::opf2mobi {

namespace {

namespace fs = std::filesystem;

struct CommandRun {
    int status = -1;
    std::string output;
    std::vector<std::string> lines;
};

CommandRun Opf2Mobi(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    CommandRun run;
    run.status = RunOpf2Mobi(arguments, out);
    run.output = out.str();
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
    return run;
}

// Every file below `folder` with its content: what a run must leave as it was.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[entry.path().string()] =
            entry.is_directory()
                ? "(folder)"
                : mobi::ReadWholeFile(entry.path().string()).value_or("(unreadable)");
    return files;
}

void ExpectEveryLineIsAFinding(const CommandRun& run) {
    for (const auto& line : run.lines)
        EXPECT_TRUE(line.rfind("Info(opf2mobi): ", 0) == 0 ||
                    line.rfind("Warning(opf2mobi): ", 0) == 0 ||
                    line.rfind("Error(opf2mobi): ", 0) == 0)
            << line;
}

std::string Opf(const std::string& href, bool inSpine = true) {
    return "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" "
           "version=\"2.0\"><metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>"
           "Small</dc:title><dc:language>en</dc:language></metadata><manifest><item id=\"c\" "
           "href=\"" +
           href + "\" media-type=\"application/xhtml+xml\"/></manifest><spine>" +
           (inSpine ? "<itemref idref=\"c\"/>" : "") + "</spine></package>";
}

TEST(Opf2MobiCommand, BadInvocationsAndPackagesGiveTheirMessageAndLeaveEverythingAsItWas) {
    quillery::testing::TempDir dir;
    const std::string folder = dir.path() + "bad/";
    dir.Write("bad/c.html", "<html><body><p>Hello</p></body></html>");
    dir.Write("bad/good.opf", Opf("c.html"));
    dir.Write("bad/notxml.opf", "this is <not xml");
    dir.Write("bad/empty.opf", Opf("c.html", false));
    dir.Write("bad/outside.opf", Opf("../secret.html"));
    dir.Write("secret.html", "<p>secret</p>");
    dir.Write("bad/link.opf", Opf("link.html"));
    fs::create_symlink(dir.path() + "secret.html", folder + "link.html");  // leads outside
    dir.Write("bad/unreadable.opf", "<package/>");
    fs::permissions(folder + "unreadable.opf", fs::perms::none);
    const bool rootReadsAnyway = mobi::ReadWholeFile(folder + "unreadable.opf").has_value();

    const CommandRun help = Opf2Mobi({"-help"});
    EXPECT_EQ(help.status, kExitBuilt);
    EXPECT_EQ(help.lines.front(),
              "Usage: opf2mobi <path>/content.opf [-c0|-c1|-c2] [-gif] [-western] [-o NAME.mobi] "
              "[-verbose]");

    const auto before = Snapshot(dir.path());
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
        {{folder + "outside.opf"},
         "Warning(opf2mobi): manifest item \"c\" names \"../secret.html\", which is outside"},
        {{folder + "outside.opf"}, "Error(opf2mobi): the spine holds no chapter that can be read"},
        {{folder + "link.opf"}, "Error(opf2mobi): the spine holds no chapter that can be read"},
        {{folder + "good.opf", "-o", "../elsewhere.mobi"},
         "Error(opf2mobi): the output name \"../elsewhere.mobi\" must be a file name"},
        {{folder + "good.opf", "-o", "good.opf"},
         "Error(opf2mobi): the output name \"good.opf\" is a file of the package"},
        // Paths and names that cannot be handled: one clear line each, never a hang.
        {{folder + "a\nb.opf"},
         "Error(opf2mobi): the package document's path \"" + folder +
             "a\\x0Ab.opf\" holds control characters; rename it"},
        {{folder + "good.opf", "-o", "a\tb.mobi"},
         "Error(opf2mobi): the output name \"a\\x09b.mobi\" holds control characters"},
        {{folder + "good.opf", "-o", std::string(256, 'n')},
         "is too long (256 bytes; a file name has at most 255)"},
        {{std::string(5000, 'd') + "/content.opf"},
         "Error(opf2mobi): the package document's path is too long (5012 bytes"},
        {{folder}, "Error(opf2mobi): cannot read the package document \"" + folder + "\""},
        {{"/dev/zero"}, "Error(opf2mobi): cannot read the package document \"/dev/zero\""},
    };
    if (!rootReadsAnyway)
        cases.push_back(
            {{folder + "unreadable.opf"}, "Error(opf2mobi): cannot read the package document"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const CommandRun run = Opf2Mobi(c.arguments);
        EXPECT_EQ(run.status, kExitNotBuilt);
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_EQ(run.lines.back().rfind("Error(opf2mobi): Mobi file not built", 0), 0u);
        ExpectEveryLineIsAFinding(run);
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
}

TEST(Opf2MobiCommand, MissingAndDamagedFilesAreWarningsAndTheBookIsBuiltWithoutThem) {
    quillery::testing::TempDir dir;
    const auto book = mobi::testing::WriteTestBook(dir.path() + "pkg", {.chapters = 3});
    // A truncated picture, a missing one, a missing chapter named by the manifest and spine.
    const auto png = *mobi::ReadWholeFile(book.folder + book.pictures[1]);
    dir.Write("pkg/" + book.pictures[1], png.substr(0, png.size() / 3));
    fs::remove(book.folder + book.pictures[2]);
    fs::remove(book.folder + book.chapterPaths[2]);
    // A chapter in the Windows code page, with a link to a fragment that does not exist.
    dir.Write("pkg/" + book.chapterPaths[0],
              "<body><h1>Chapter 1</h1><p>caf\xE9 <a href='chapter2.html#nowhere'>x</a></p>");
    const CommandRun run = Opf2Mobi({book.opfPath});
    EXPECT_EQ(run.status, kExitBuiltWithWarnings) << run.output;
    for (const std::string& warning :
         {"picture \"" + book.pictures[1] + "\" cannot be decoded",
          "file \"" + book.pictures[2] + "\" named by the manifest does not exist; it is left out",
          "file \"" + book.chapterPaths[2] +
              "\" named by the manifest does not exist; it is left out",
          std::string("does not lead to a chapter of the book"),
          "Info(opf2mobi): chapter \"" + book.chapterPaths[0] +
              "\" is not UTF-8; it is read as Windows-1252",
          "Warning(opf2mobi): link target \"" + book.chapterPaths[1] + "#nowhere\" (from \"" +
              book.chapterPaths[0] +
              "\") does not exist; the link leads to the start of its chapter"})
        EXPECT_NE(run.output.find(warning), std::string::npos) << warning << "\n" << run.output;
    // One warning for each missing file, not one more each time it is named.
    EXPECT_EQ(std::count_if(run.lines.begin(), run.lines.end(),
                            [&](const std::string& line) {
                                return line.find(book.pictures[2]) != std::string::npos;
                            }),
              1)
        << run.output;
    EXPECT_EQ(run.lines.back().rfind("Info(opf2mobi): Mobi file built with ", 0), 0u);
    const auto text = mobi::testing::LibMobiBook(book.folder + "content.mobi").Text();
    ASSERT_TRUE(text.has_value());
    EXPECT_NE(text->find("<p>caf\xC3\xA9 <a filepos="), std::string::npos);
    const std::size_t link = text->find(">x</a>");
    ASSERT_NE(link, std::string::npos);
    EXPECT_EQ(text->substr(std::stoul(text->substr(link - 10, 10)), 14), "<h1>Chapter 2<");
    EXPECT_EQ(text->find("<h1>Chapter 3<"), std::string::npos);
}

TEST(Opf2MobiCommand, OnlyACompleteNewBookReplacesTheOlderOneAndNoTemporaryFileIsLeft) {
    quillery::testing::TempDir dir;
    const auto book =
        mobi::testing::WriteTestBook(dir.path() + "pkg", {.chapters = 2, .pictures = 0});
    dir.Write("pkg/content.mobi", "an older book");
    dir.Write("pkg/broken.opf", "<package><spine>");
    // A folder where a book should go: the final rename cannot replace it.
    fs::create_directories(book.folder + "folder.mobi/keep");
    const auto before = Snapshot(book.folder);
    EXPECT_EQ(Opf2Mobi({book.opfPath, "-bogus"}).status, kExitNotBuilt);
    EXPECT_EQ(Opf2Mobi({book.folder + "broken.opf", "-o", "content.mobi"}).status, kExitNotBuilt);
    const CommandRun blocked = Opf2Mobi({book.opfPath, "-o", "folder.mobi"});
    EXPECT_EQ(blocked.status, kExitNotBuilt);
    EXPECT_NE(
        blocked.output.find("Error(opf2mobi): cannot replace \"" + book.folder + "folder.mobi\""),
        std::string::npos)
        << blocked.output;
    EXPECT_EQ(Snapshot(book.folder), before);
    // A good run replaces the older book, says so, and leaves nothing else.
    const CommandRun run = Opf2Mobi({book.opfPath});
    EXPECT_EQ(run.status, kExitBuilt) << run.output;
    ExpectEveryLineIsAFinding(run);
    EXPECT_EQ(run.lines.back(),
              "Info(opf2mobi): Mobi file built: \"" + book.folder + "content.mobi\"");
    EXPECT_TRUE(mobi::testing::LibMobiBook(book.folder + "content.mobi").loaded());
    auto after = Snapshot(book.folder);
    EXPECT_NE(after[book.folder + "content.mobi"], "an older book");
    after[book.folder + "content.mobi"] = "an older book";
    EXPECT_EQ(after, before);
    EXPECT_EQ(Opf2Mobi({book.opfPath, "-c0", "-o", "My Book.mobi", "-verbose"}).status, kExitBuilt);
    EXPECT_TRUE(mobi::testing::LibMobiBook(book.folder + "My Book.mobi").loaded());
}

}  // namespace
}  // namespace quillery::opf2mobi
