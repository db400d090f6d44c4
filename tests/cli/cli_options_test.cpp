// The quillery command's arguments: what the options set, the refusals of bad values and
// unknown options, and which chapter files the inputs name.

#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "cli/quillery_command.h"
#include "run_quillery.h"

namespace quillery::testing {
namespace {

using cli::ChapterFilesOf;
using cli::ParseArguments;
using cli::UsageError;

TEST(CliArguments, OptionsAreTakenInBothFormsUntilADoubleDash) {
    const cli::CliOptions o = ParseArguments(
        Words("make --title T --author=A --align right --base-font-size auto --title-method html "
              "-c2 --gif -y a.htm -- --odd.htm"));
    EXPECT_EQ(o.command, cli::Command::Make);
    EXPECT_EQ(std::make_tuple(*o.title, *o.author, *o.alignment),
              std::make_tuple("T", "A", "Right"));
    EXPECT_EQ(std::make_tuple(*o.baseFontSize, *o.titleMethod, *o.compressionLevel),
              std::make_tuple(0, 1, 2));
    EXPECT_TRUE(o.gif && o.yes);
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a.htm", "--odd.htm"}));
}

TEST(CliArguments, BadValuesAndUnknownOptionsAreRefusedNamingThem) {
    // The book keeps the indent in whole em: 1.5 would silently become the default 2.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"--toc-position 12 a.htm", "--toc-position takes a whole number from 0 to 9, not \"12\""},
        {"--line-height 1.5 a.htm",
         "--line-height takes a whole number from 100 to 200, not \"1.5\""},
        {"--indent 1.5 a.htm", "--indent takes a whole number from 0 to 5, not \"1.5\""},
        {"--colour a.htm", "unknown option \"--colour\" (--help lists the options)"},
        {"a.htm --title", "--title needs a value"}, {"--spacing -1 a.htm", "--spacing"},
        {"--spacing 2em a.htm", "\"2em\""}, {"--align center a.htm", "\"center\""},
        {"--remove scripts,,media a.htm", "--remove"}, {"--base-font-size 20 a.htm", "9 to 16"},
        {"--title-method first a.htm", "\"first\""}, {"--gif=yes a.htm", "unknown option"},
        {"", "no input"}};
    // clang-format on
    EXPECT_THROW(ParseArguments({"build", "a.htm"}), UsageError);
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args);
        try {
            ParseArguments(Words(std::string("make ") + args));
            ADD_FAILURE() << "accepted";
        } catch (const UsageError& e) {
            EXPECT_NE(e.message.find(message), std::string::npos) << e.message;
        }
    }
}

TEST(ChapterFiles, AFolderGivesItsWebPagesInNameOrderAndFilesKeepTheirOrder) {
    TempDir dir;
    for (const char* name : {"b.htm", "A.HTML", "a2.xhtml", "c d.htm", "style.css", "sub/x.htm"})
        dir.Write(std::string("book/") + name, "");
    const std::string f = dir.path() + "book/";
    EXPECT_EQ(ChapterFilesOf({dir.path() + "book"}),
              (std::vector<std::string>{f + "A.HTML", f + "a2.xhtml", f + "b.htm", f + "c d.htm"}));
    EXPECT_EQ(ChapterFilesOf({f + "c d.htm", f + "A.HTML"}),
              (std::vector<std::string>{f + "c d.htm", f + "A.HTML"}));
}

// Files from two folders, a missing file, a folder beside files, two folders, a folder
// without web pages, and one file given twice.
TEST(ChapterFiles, InputsThatNameNoSingleChapterListAreRefused) {
    TempDir dir;
    const std::string a = dir.Write("one/a.htm", ""), b = dir.Write("two/b.htm", "");
    dir.Write("empty/readme.txt", "");
    const std::string one = dir.path() + "one", two = dir.path() + "two";
    for (const std::vector<std::string>& inputs :
         std::vector<std::vector<std::string>>{{a, b},
                                               {a, one + "/missing.htm"},
                                               {a, two},
                                               {one, two},
                                               {dir.path() + "empty"},
                                               {a, one + "/../one/a.htm"}})
        EXPECT_THROW(ChapterFilesOf(inputs), UsageError) << inputs.back();
}

}  // namespace
}  // namespace quillery::testing
