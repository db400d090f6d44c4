// The quillery command: its arguments and the chapter files its inputs name; and the program
// end to end with a stand-in compiler: exit statuses, where the log and the messages go, the
// titles listing, and that the options reach the package.

#include "cli/quillery_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_options.h"
#include "fake_compiler.h"
#include "run_quillery.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

TEST(CliArguments, OptionsAreTakenInBothFormsUntilADoubleDashAndValidateTakesOneEpub) {
    const cli::CliOptions o = cli::ParseArguments(Words("make --title=T --align right a -- -b"));
    EXPECT_EQ(std::make_tuple(o.command, *o.title, *o.alignment),
              std::make_tuple(cli::Command::Make, "T", "Right"));
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a", "-b"}));
    // validate takes one ePub; make takes the ePub switch either way.
    EXPECT_EQ(cli::ParseArguments({"validate", "a.epub"}).command, cli::Command::Validate);
    EXPECT_THROW(cli::ParseArguments({"validate"}), cli::UsageError);
    EXPECT_THROW(cli::ParseArguments({"validate", "a.epub", "b.epub"}), cli::UsageError);
    EXPECT_EQ(cli::ParseArguments({"make", "--no-epub", "x"}).epub, false);
    EXPECT_EQ(cli::ParseArguments({"make", "--epub", "x"}).epub, true);
    EXPECT_FALSE(cli::ParseArguments({"make", "x"}).epub.has_value());
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
    EXPECT_THROW(cli::ParseArguments({"build", "a.htm"}), cli::UsageError);
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args);
        try {
            cli::ParseArguments(Words(std::string("make ") + args));
            ADD_FAILURE() << "accepted";
        } catch (const cli::UsageError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

// Files from two folders, a missing file, a folder beside files, two folders, a folder
// without web pages, and one file given twice.
TEST(ChapterFiles, InputsThatNameNoSingleChapterListAreRefused) {
    TempDir dir;
    const std::string a = dir.Write("one/a.htm", ""), b = dir.Write("two/b.htm", "");
    dir.Write("empty/readme.txt", "");
    const std::string one = dir.path() + "one", two = dir.path() + "two";
    // clang-format off
    const std::vector<std::string> refused[] = {{a, b}, {a, one + "/missing.htm"}, {a, two},
        {one, two}, {dir.path() + "empty"}, {a, one + "/../one/a.htm"}};
    // clang-format on
    for (const std::vector<std::string>& inputs : refused)
        EXPECT_THROW(cli::ChapterFilesOf(inputs), cli::UsageError) << inputs.back();
}

class QuilleryCommand : public ::testing::Test {
protected:
    QuilleryRun Make(std::vector<std::string> args) {
        args.insert(args.begin(), {"make", "--kindlegen", compiler});
        return RunQuilleryProgram(dir.path(), args);
    }
    std::string Ops(const std::string& name) const {
        return ReadTextFile(dir.path() + "state/temp/OPS/" + name);
    }
    bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    TempDir dir;
    std::string chapters = WriteSmallWebBook(dir);
    std::string compiler = WriteGoodCompiler(dir.path() + "bin/");
};

// Paths relative to the folder the program runs in; an output name without its extension
// is saved and reported as the Mobi file really written.
TEST_F(QuilleryCommand, AMadeBookExitsZeroWithTheLogOnStdoutAndTheMessageOnStderr) {
    const QuilleryRun run = Make(Words("--title Small -o out/small chapters"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string book = dir.path() + "out/small.mobi";
    EXPECT_EQ(ReadTextFile(book), "BOOKMOBI");
    EXPECT_TRUE(Has(run.out, "fake compiler: built small.mobi")) << run.out;
    // Compression is "Standard" unless asked otherwise: no -c option reaches the compiler.
    EXPECT_FALSE(Has(ReadTextFile(dir.path() + "bin/args.txt"), "-c")) << run.out;
    EXPECT_TRUE(
        Has(run.out, "\n# Mobi book small.mobi made successfully.\n# File saved at " + book + "\n"))
        << run.out;
    EXPECT_FALSE(Has(run.out, "\r") || Has(run.out, "Your Mobi book"));
    EXPECT_TRUE(
        Has(run.err, "Your Mobi book has been saved in " + dir.path() + "out/ as small.mobi\n"))
        << run.err;
    EXPECT_TRUE(Has(run.err, "] Writing the chapters\n") && Has(run.err, "] Compiling"));
    EXPECT_FALSE(Has(run.err, "made successfully"));
}

// As the compiler counts: 0 a clean book, 1 a book made with warnings (something left out),
// 2 no book (none written yet, so none there).
TEST_F(QuilleryCommand, ExitStatusCountsAsTheCompilerDoes) {
    const struct {
        std::string compiler;
        int status;
        const char *err, *out, *book;
    } cases[] = {
        {WriteFailingCompiler(dir.path() + "bin/"), 2,
         "Error in compiling, Mobi creation failed, please check the log.\n",
         "# Mobi file creation failed.", ""},
        {WriteGoodCompiler(dir.path() + "warn/", 3), 1,
         "as small.mobi\nThe compiler gave 3 warning(s)", "# The compiler gave 3 warning(s)",
         "BOOKMOBI"},
    };
    for (const auto& c : cases) {
        compiler = c.compiler;
        const QuilleryRun run = Make({"-o", dir.path() + "out/small.mobi", chapters});
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_TRUE(Has(run.err, c.err)) << run.err;
        EXPECT_TRUE(Has(run.out, c.out)) << run.out;
        EXPECT_EQ(ReadTextFile(dir.path() + "out/small.mobi"), c.book);
    }
}

// A missing --cover is refused before anything is written.
TEST_F(QuilleryCommand, PreconditionsAndUsageErrorsExitTwo) {
    const std::string d = dir.path();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--title", "", chapters}, "Please specify the book title\n"},
        {{"--kindlegen", d + "none/opf2mobi", chapters},
         "KindleGen can not be found, please set \ncorrect path of KindleGen in Settings."},
        {{"--toc-position", "x", chapters},
         "quillery: --toc-position takes a whole number from 0 to 9, not \"x\"\n"},
        {{"--mark-toc", "nothere.htm", chapters}, "nothere.htm"},
        {{chapters + "01_one.htm", d + "cover.jpg"}, "one folder"},
        {{"--cover", d + "missing.jpg", chapters},
         "quillery: --cover: no such file: " + d + "missing.jpg\n"}};
    for (const auto& [args, message] : cases) {
        const QuilleryRun run = Make(args);
        EXPECT_EQ(run.status, 2) << message;
        EXPECT_TRUE(Has(run.err, message)) << run.err;
    }
    EXPECT_FALSE(fs::exists(d + "state/temp"));
    const QuilleryRun bare = RunQuilleryProgram(d, {});
    EXPECT_EQ(bare.status, 2);
    EXPECT_TRUE(Has(bare.out, "Usage:"));
    EXPECT_EQ(RunQuilleryProgram(d, {"--help"}).status, 0);
}

// In name order from a folder, in the order given from files; "(TOC)" marks the contents;
// the columns line up whatever the titles' characters.
TEST_F(QuilleryCommand, TitlesListsTheChaptersWithTheirTitlesAndTheMarkedContents) {
    const QuilleryRun run = RunQuilleryProgram(dir.path(), {"titles", chapters});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string& out = run.out;
    EXPECT_TRUE(out.find("01_one.htm") < out.find("02_two.htm") &&
                out.find("02_two.htm") < out.find("03 three.htm") && Has(out, "03 three.htm"));
    EXPECT_TRUE(Has(out, "First Steps") && Has(out, "Third Time")) << out;
    EXPECT_FALSE(Has(out, "notes.txt") || Has(out, "(TOC)")) << out;
    const QuilleryRun byName = RunQuilleryProgram(
        dir.path(), {"titles", "--title-method", "file", "--mark-toc", "02_two.htm",
                     chapters + "03 three.htm", chapters + "02_two.htm"});
    const std::string& listed = byName.out;
    EXPECT_LT(listed.find("03 three.htm"), listed.find("02_two.htm"));
    EXPECT_TRUE(listed.find("02_two.htm") < listed.find("(TOC)") && Has(listed, "(TOC)"));
    EXPECT_FALSE(Has(listed, "Third Time")) << listed;
    // Characters, not bytes: "Café ’s" is 10 bytes for 7 characters, the size column lines up.
    dir.Write("accents/01.htm",
              "<html><head><title>Caf\xC3\xA9 \xE2\x80\x99s</title></head></html>");
    dir.Write("accents/02.htm", "<html><head><title>Plain</title></head></html>");
    const std::string aligned =
        RunQuilleryProgram(dir.path(), {"titles", "--title-method", "html", dir.path() + "accents"})
            .out;
    const size_t newline = aligned.find('\n');
    EXPECT_EQ(aligned.find(" KB") - 3, aligned.find(" KB", newline) - newline - 1) << aligned;
}

// The --stylesheet file survives the import's reset; without -o the book goes to the
// default book folder under its title.
TEST_F(QuilleryCommand, EveryBookOptionReachesThePackage) {
    std::vector<std::string> args = Words(
        "--author Ann --subject Travel --publisher Quay --id urn:isbn:123 --language French "
        "--title-page --toc-title Inside --indent 3 --spacing 0.5 --line-height 150 --align left "
        "--remove scripts -c0 --gif --western");
    args.insert(args.end(), {"--title", "Harbour Days", "--description", "A short <guide>.",
                             "--cover", dir.path() + "cover.jpg", "--stylesheet",
                             dir.Write("new.css", "h2 { color: black; }\n"), chapters});
    const QuilleryRun run = Make(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string package = Ops("content.opf") + Ops("toc.htm") + Ops("book.css") +
                                Ops("new.css") + Ops("01_one.htm") + run.out;
    for (const char* part :
         {"<dc:title>Harbour Days</dc:title>", ">Ann</dc:creator>", "<dc:subject>Travel<",
          "<dc:publisher>Quay<", ">urn:isbn:123</dc:identifier>", "<dc:language>fr<",
          "<dc:description>A short &lt;guide&gt;.</dc:description>", "href=\"coverpage.htm\"",
          "href=\"titlepage.htm\"", "<h2>Inside</h2>", "h2 { color: black; }", "text-indent:3em;",
          "margin-top:0.5em;", "line-height:150%;", "text-align:Left;",
          "fake compiler options: -c0 -gif -western"})
        EXPECT_TRUE(Has(package, part)) << part << "\n" << package;
    EXPECT_FALSE(Has(Ops("01_one.htm"), "var x"));
    EXPECT_TRUE(fs::exists(dir.path() + "state/myBook/Harbour Days.mobi"));
}

// The output name the compiler's rule gives is the one reported; a folder keeps the title.
// Without proposed titles the chapters are titled by their file names.
TEST_F(QuilleryCommand, OutputNamesAFileOrAFolder) {
    const QuilleryRun epub = Make({"--title", "Small", "-o", "out/My Book.epub", chapters});
    ASSERT_EQ(epub.status, 0) << epub.err;
    EXPECT_TRUE(Has(epub.err, "as My Book.mobi\n")) << epub.err;
    EXPECT_TRUE(Has(epub.out, "# File saved at " + dir.path() + "out/My Book.mobi")) << epub.out;
    EXPECT_TRUE(fs::exists(dir.path() + "out/My Book.mobi"));
    // The ePub beside it is the zip the ePub writer made, not a copy of the Mobi book.
    EXPECT_TRUE(ReadTextFile(dir.path() + "out/My Book.epub").starts_with("PK"));
    EXPECT_TRUE(Has(epub.out, "# ePub book My Book.epub made successfully.")) << epub.out;
    const QuilleryRun folder =
        Make({"--title", "Harbour Days", "-o", "shelf/", "--no-epub", "--no-auto-title", chapters});
    ASSERT_EQ(folder.status, 0) << folder.err;
    for (const char* title : {"<text>01_one</text>", "<text>03 three</text>"})
        EXPECT_TRUE(Has(Ops("toc.ncx"), title)) << title;  // titled by their file names
    EXPECT_TRUE(fs::exists(dir.path() + "shelf/Harbour Days.mobi"));
    EXPECT_FALSE(fs::exists(dir.path() + "shelf/Harbour Days.epub"));
}

// Without proposed titles the chapters are titled by a --titles file when given.
TEST_F(QuilleryCommand, ChapterTitlesWithoutAutoTitleComeFromFileNamesOrATitlesFile) {
    const std::string titles = dir.Write("titles.txt", "\xEF\xBB\xBFOne\r\nTwo & more\nThree\n");
    ASSERT_EQ(Make({"--no-auto-title", "--titles", titles, chapters}).status, 0);
    EXPECT_TRUE(Has(Ops("toc.ncx"), "<text>One</text>") &&
                Has(Ops("toc.ncx"), "<text>Two &amp; more</text>"))
        << Ops("toc.ncx");
    const std::string two = dir.Write("two.txt", "One\nTwo\n");
    const QuilleryRun refused = Make({"--titles", two, chapters});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(Has(refused.err, "holds 2 title(s) for 3 chapter(s)")) << refused.err;
}

// A NUL byte in the compiler's output does not cut the log short; a link that loops is
// passed over when a folder is listed.
TEST_F(QuilleryCommand, TheLogIsWrittenByteForByteAndLoopingLinksArePassedOver) {
    fs::create_symlink("loop.htm", chapters + "loop.htm");
    compiler = WriteScriptCompiler(dir.path() + "bin/", "printf 'before\\000after\\n'");
    const QuilleryRun run = Make({chapters});
    EXPECT_EQ(run.status, 2) << run.err;  // that compiler writes no book
    EXPECT_TRUE(Has(run.out, std::string("before\0after\n", 13))) << run.out;
    EXPECT_FALSE(Has(run.err, "loop.htm")) << run.err;
}

// A Word document is imported as one book split at its sections; the Word options reach the
// import.
TEST_F(QuilleryCommand, AWordDocumentIsSplitIntoChaptersAtItsSections) {
    const std::string example = ProgramFolder() + "examples/port-merel.docx";
    const QuilleryRun titles = RunQuilleryProgram(dir.path(), {"titles", example});
    ASSERT_EQ(titles.status, 0) << titles.err;
    EXPECT_TRUE(Has(titles.out, "s_4.htm") && Has(titles.out, "The Lighthouse")) << titles.out;
    const QuilleryRun made = Make({"-o", "out/", "--png", "--ppi", "167", example});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(fs::exists(dir.path() + "out/port-merel.mobi"));
    EXPECT_TRUE(Has(Ops("content.opf"), "href=\"s_4.htm\"")) << Ops("content.opf");
    const QuilleryRun whole = Make({"--no-split", "-o", "out/", example});
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_FALSE(Has(Ops("content.opf"), "s_2.htm")) << Ops("content.opf");
}

// Exit 2 when the validator cannot run: no such file, or no jar at the configured path.
TEST(QuilleryValidate, ThatCannotRunExitsWithTwoAndSaysWhy) {
    TempDir dir;
    const QuilleryRun missing = RunQuilleryProgram(dir.path(), {"validate", "gone.epub"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.find("Can not find " + dir.path() + "gone.epub") != std::string::npos)
        << missing.err;
    dir.Write("book.epub", "PK");
    // A settings file whose line 29 names a jar that is not there.
    std::string settings;
    for (int line = 1; line <= 28; ++line)
        settings += line == 6 || line == 19 || line == 24 ? "0\r\n" : "\r\n";
    dir.Write("state/setting.opt", settings + dir.path() + "no.jar\r\nTRUE\r\n");
    const QuilleryRun noJar = RunQuilleryProgram(dir.path(), {"validate", "book.epub"});
    EXPECT_EQ(noJar.status, 2);
    EXPECT_TRUE(noJar.err.find("The epubcheck jar does not exist, please check the path.") !=
                std::string::npos)
        << noJar.err;
}

}  // namespace
}  // namespace quillery::testing
