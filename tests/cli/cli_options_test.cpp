// The quillery command's arguments: what each option sets, the refusals of bad values and
// unknown options, and which chapter files the inputs name.

#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "cli/quillery_command.h"
#include "temp_dir.h"

namespace quillery::testing {
namespace {

using cli::ChapterFilesOf;
using cli::CliOptions;
using cli::Command;
using cli::ParseArguments;
using cli::UsageError;

std::string UsageMessage(const std::vector<std::string>& args) {
    try {
        ParseArguments(args);
    } catch (const UsageError& e) {
        return e.message;
    }
    return "(accepted)";
}

TEST(CliArguments, BookInformationAndStyleOptionsAreTaken) {
    const CliOptions o = ParseArguments({"make",
                                         "--title",
                                         "T",
                                         "--author=A",
                                         "--language",
                                         "French",
                                         "--indent",
                                         "3",
                                         "--spacing",
                                         "0.25",
                                         "--line-height",
                                         "150",
                                         "--align",
                                         "right",
                                         "--base-font-size",
                                         "auto",
                                         "--toc-position",
                                         "0",
                                         "--title-method",
                                         "html",
                                         "--remove",
                                         "scripts,links",
                                         "-c2",
                                         "--gif",
                                         "-y",
                                         "a.htm",
                                         "b.htm"});
    EXPECT_EQ(o.command, Command::Make);
    EXPECT_EQ(o.title, "T");
    EXPECT_EQ(o.author, "A");
    EXPECT_EQ(o.language, "French");
    EXPECT_EQ(o.indentEm, "3");
    EXPECT_EQ(o.spacingEm, "0.25");
    EXPECT_EQ(o.lineHeightPercent, 150);
    EXPECT_EQ(o.alignment, "Right");
    EXPECT_EQ(o.baseFontSize, 0);
    EXPECT_EQ(o.tocPosition, 0);
    EXPECT_EQ(o.titleMethod, 1);
    EXPECT_EQ(o.removeKinds, "scripts,links");
    EXPECT_EQ(o.compressionLevel, 2);
    EXPECT_TRUE(o.gif);
    EXPECT_TRUE(o.yes);
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a.htm", "b.htm"}));
}

TEST(CliArguments, ADoubleDashEndsTheOptions) {
    const CliOptions o = ParseArguments({"titles", "--", "--odd name.htm"});
    EXPECT_EQ(o.command, Command::Titles);
    EXPECT_EQ(o.inputs, std::vector<std::string>{"--odd name.htm"});
}

TEST(CliArguments, BadValuesAreRefusedNamingTheOptionAndTheValue) {
    EXPECT_EQ(UsageMessage({"make", "--toc-position", "12", "a.htm"}),
              "--toc-position takes a whole number from 0 to 9, not \"12\"");
    EXPECT_EQ(UsageMessage({"make", "--line-height", "1.5", "a.htm"}),
              "--line-height takes a whole number from 100 to 200, not \"1.5\"");
    // The book keeps the indent in whole em: 1.5 would silently become the default 2.
    EXPECT_EQ(UsageMessage({"make", "--indent", "1.5", "a.htm"}),
              "--indent takes a whole number from 0 to 5, not \"1.5\"");
    EXPECT_NE(UsageMessage({"make", "--spacing", "-1", "a.htm"}).find("--spacing"),
              std::string::npos);
    EXPECT_NE(UsageMessage({"make", "--spacing", "2em", "a.htm"}).find("\"2em\""),
              std::string::npos);
    EXPECT_NE(UsageMessage({"make", "--align", "center", "a.htm"}).find("\"center\""),
              std::string::npos);
    EXPECT_NE(UsageMessage({"make", "--remove", "scripts,,media", "a.htm"}).find("--remove"),
              std::string::npos);
    EXPECT_NE(UsageMessage({"make", "--base-font-size", "20", "a.htm"}).find("9 to 16"),
              std::string::npos);
    EXPECT_NE(UsageMessage({"make", "--title-method", "first", "a.htm"}).find("\"first\""),
              std::string::npos);
}

TEST(CliArguments, UnknownOptionsMissingValuesAndMissingInputsAreRefused) {
    EXPECT_EQ(UsageMessage({"make", "--colour", "a.htm"}),
              "unknown option \"--colour\" (--help lists the options)");
    EXPECT_EQ(UsageMessage({"make", "a.htm", "--title"}), "--title needs a value");
    EXPECT_NE(UsageMessage({"make", "--gif=yes", "a.htm"}).find("unknown option"),
              std::string::npos);
    EXPECT_NE(UsageMessage({"make"}).find("no input"), std::string::npos);
    EXPECT_NE(UsageMessage({"build", "a.htm"}).find("unknown command \"build\""),
              std::string::npos);
}

class ChapterFiles : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(ChapterFiles, AFolderGivesItsWebPagesInNameOrder) {
    dir.Write("book/b.htm", "b");
    dir.Write("book/A.HTML", "a");
    dir.Write("book/a2.xhtml", "a2");
    dir.Write("book/c d.htm", "c");
    dir.Write("book/style.css", "");
    dir.Write("book/notes.txt", "");
    dir.Write("book/sub/x.htm", "");
    const std::string f = dir.path() + "book/";
    EXPECT_EQ(ChapterFilesOf({dir.path() + "book"}),
              (std::vector<std::string>{f + "A.HTML", f + "a2.xhtml", f + "b.htm", f + "c d.htm"}));
}

TEST_F(ChapterFiles, FilesKeepTheOrderGiven) {
    const std::string z = dir.Write("book/z.htm", "");
    const std::string a = dir.Write("book/a.htm", "");
    const std::string m = dir.Write("book/m.htm", "");
    EXPECT_EQ(ChapterFilesOf({z, a, m}), (std::vector<std::string>{z, a, m}));
}

TEST_F(ChapterFiles, FilesFromTwoFoldersMissingFilesFoldersWithFilesAndEmptyFoldersAreRefused) {
    const std::string a = dir.Write("one/a.htm", "");
    const std::string b = dir.Write("two/b.htm", "");
    dir.Write("empty/readme.txt", "");
    EXPECT_THROW(ChapterFilesOf({a, b}), UsageError);
    EXPECT_THROW(ChapterFilesOf({a, dir.path() + "one/missing.htm"}), UsageError);
    EXPECT_THROW(ChapterFilesOf({a, dir.path() + "two"}), UsageError);
    EXPECT_THROW(ChapterFilesOf({dir.path() + "one", dir.path() + "two"}), UsageError);
    EXPECT_THROW(ChapterFilesOf({dir.path() + "empty"}), UsageError);
    EXPECT_THROW(ChapterFilesOf({a, dir.path() + "one/../one/a.htm"}), UsageError);
}

}  // namespace
}  // namespace quillery::testing
