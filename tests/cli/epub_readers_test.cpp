// The ePub a make writes, checked by the readers of the field: epubcheck must find no error
// (and, for our own books, no warning) and calibre must read from it the same text as from
// the chapters themselves. The books: the bundled example, messy real-world pages, and the
// generated 300-chapter book. Slow: in the "readers" label.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "fake_compiler.h"
#include "messy_pages.h"
#include "project/command_runner.h"
#include "required_tool.h"
#include "run_quillery.h"
#include "text/file_utils.h"
#include "text/regex.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

bool NoErrors(const std::string& report) {
    return report.find("No errors or warnings detected") != std::string::npos ||
           std::regex_search(report, std::regex(R"(\b0 fatals? / 0 errors?\b)"));
}

// The text calibre reads from a book or a page, without any white space: line breaking and
// block spacing differ between a page and a book, the characters do not.
std::string CalibreCharacters(const std::string& input, const std::string& workFolder) {
    const std::string txt = workFolder + "calibre.txt";
    fs::remove(txt);
    const bool page = !input.ends_with(".epub");
    RunCommand("ebook-convert " + ShellQuote(input) + " " + ShellQuote(txt) +
                   (page ? " --max-levels 0" : "") + " >/dev/null 2>&1",
               "/");
    std::string text = ReadTextFile(txt);
    RegexDelete(text, "\\s|\xC2\xA0");  // a no-break space is white space too
    return text;
}

// Every chapter's text, in order, is in the ePub's text.
void ExpectChapterTextsInEpub(const std::vector<std::string>& chapters, const std::string& epub,
                              const std::string& workFolder) {
    if (!HaveTool("ebook-convert")) {
        std::printf("calibre is not installed: the text comparison is skipped\n");
        return;
    }
    const std::string book = CalibreCharacters(epub, workFolder);
    ASSERT_FALSE(book.empty()) << "calibre read nothing from " << epub;
    std::size_t from = 0;
    for (const std::string& chapter : chapters) {
        const std::string text = CalibreCharacters(chapter, workFolder);
        ASSERT_FALSE(text.empty()) << chapter;
        const std::size_t at = book.find(text, from);
        EXPECT_NE(at, std::string::npos) << chapter << "\n--- chapter:\n"
                                         << text << "\n--- book:\n"
                                         << book.substr(from);
        if (at != std::string::npos) from = at + text.size();
    }
}

class EpubReaders : public ::testing::Test {
protected:
    void SetUp() override { QUILLERY_REQUIRE_TOOL(fs::exists(kEpubcheckJar), "epubcheck"); }
    TempDir dir;
};

TEST_F(EpubReaders, TheExampleBookIsValidWithoutWarningsAndKeepsItsText) {
    const std::string examples = ProgramFolder() + "examples/";
    const std::string before = TreeSnapshot(examples);
    const QuilleryRun run = RunQuilleryProgram(
        dir.path(),
        {"make", "--title", "A Weekend in Port M\xC3\xA9rel", "--author", "Quillery", "--cover",
         examples + "cover.jpg", "--title-page", "-o", dir.path() + "out/weekend.mobi", examples});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::string epub = dir.path() + "out/weekend.epub";
    ASSERT_TRUE(FileExists(epub)) << run.out;
    EXPECT_EQ(TreeSnapshot(examples), before) << "the make wrote into the example folder";
    const std::string report = Epubcheck(epub);
    EXPECT_NE(report.find("No errors or warnings detected"), std::string::npos) << report;

    std::vector<std::string> chapters;
    for (const auto& entry : fs::directory_iterator(examples))
        if (entry.path().extension() == ".htm") chapters.push_back(entry.path().string());
    std::sort(chapters.begin(), chapters.end());
    ExpectChapterTextsInEpub(chapters, epub, dir.path());

    // quillery validate agrees, and finds a damaged copy's errors.
    const QuilleryRun valid = RunQuilleryProgram(dir.path(), {"validate", epub});
    EXPECT_EQ(valid.status, 0) << valid.out << valid.err;
    EXPECT_NE(valid.out.find("-------------ePubCheck result--------------"), std::string::npos);
    fs::copy_file(epub, dir.path() + "damaged.epub");
    RunCommand("cd " + ShellQuote(dir.path()) + " && zip -qd damaged.epub OPS/toc.ncx", "/");
    const QuilleryRun damaged = RunQuilleryProgram(dir.path(), {"validate", "damaged.epub"});
    EXPECT_EQ(damaged.status, 1) << damaged.out << damaged.err;
}

struct MessyBook {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;  // path, content
};

const MessyBook kMessyBooks[] = {
    {"Html4UpperCaseUnquoted",
     {{"Chapter One.htm", kMessyHtml4Page}, {"chapter two.htm", kMessyHtml4SecondPage}}},
    {"AccentsAndBlanksInNames",
     {{"\xC3\xA9t\xC3\xA9 1.htm", kAccentedNamePage},
      {"hiver 2.htm",
       "<html><head><title>Hiver</title><link rel=stylesheet href=\"my style.css\"></head>"
       "<body><h1>Hiver</h1><p>Retour \xC3\xA0 <a href=\"%C3%A9t%C3%A9%201.htm#top\">"
       "l'\xC3\xA9t\xC3\xA9</a>.</p></body></html>"},
      {"my style.css", "h1 { color: navy; }\n"}}},
    {"OfficeHtml", {{"word.htm", kOfficePage}, {"second.htm", kPageWithoutHeadOrBody}}},
};

class MessyPages : public EpubReaders, public ::testing::WithParamInterface<MessyBook> {};

TEST_P(MessyPages, MakeAValidEpubThatKeepsTheirText) {
    const MessyBook& book = GetParam();
    std::vector<std::string> chapters;
    for (const auto& [path, content] : book.files) {
        const std::string full = dir.Write(std::string("src/") + path, content);
        if (path.ends_with(".htm")) chapters.push_back(full);
    }
    std::sort(chapters.begin(), chapters.end());
    const QuilleryRun run = RunQuilleryProgram(
        dir.path(),
        {"make", "--remove", "none", "-o", dir.path() + "out/book.mobi", dir.path() + "src"});
    ASSERT_LE(run.status, 1) << run.err << run.out;
    const std::string epub = dir.path() + "out/book.epub";
    ASSERT_TRUE(FileExists(epub)) << run.out;
    const std::string report = Epubcheck(epub);
    EXPECT_TRUE(NoErrors(report)) << report;
    ExpectChapterTextsInEpub(chapters, epub, dir.path());
}

INSTANTIATE_TEST_SUITE_P(Books, MessyPages, ::testing::ValuesIn(kMessyBooks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EpubReaders, TheGeneratedThreeHundredChapterBookIsValidWithoutWarnings) {
    const std::string generator = ProgramFolder() + "quillery_gen_webbook";
    QUILLERY_REQUIRE_TOOL(FileExists(generator), "the book generator (quillery_gen_webbook)");
    RunCommand(ShellQuote(generator) + " " + ShellQuote(dir.path() + "webbook"), "/");
    const QuilleryRun run = RunQuilleryProgram(
        dir.path(), {"make", "-o", dir.path() + "out/webbook.mobi", dir.path() + "webbook"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::string report = Epubcheck(dir.path() + "out/webbook.epub");
    EXPECT_NE(report.find("No errors or warnings detected"), std::string::npos) << report;
}

}  // namespace
}  // namespace quillery::testing
