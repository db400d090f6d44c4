// The stylesheet pass: font sizes, font classes and the paragraph rule in the package copies.

#include "css/stylesheet_pass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery {
namespace {

class StylesheetPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.sourceFolder = dir.path() + "source/";
        book.folders.opsFolder = dir.path() + "temp/OPS/";
    }
    void Source(const std::string& entry, const std::string& css) {
        dir.Write("source/" + entry, css);
        book.stylesheets.push_back(entry);
    }
    std::string Package(const std::string& entry) {
        return ReadTextFile(book.folders.opsFolder + entry);
    }
    void Make() {
        ProcessStylesheets(book);
        AppendParagraphRule(book);
    }

    testing::TempDir dir;
    Book book;
};

TEST_F(StylesheetPassTest, OptionsChooseTheRewrites) {
    const std::string css = "h1{font-size:16px;font-family:Arial}p{font-size:12pt}";
    const struct {
        bool adapt, largeKindleGen, wordImport, classify;
        const char* expected;
    } table[] = {
        {true, false, false, true,
         "h1{font-size:16px;font-family:Arial}p{font-size:1em}"},  // web book
        {false, true, false, true, "h1{font-size:24pt;font-family:Arial}p{font-size:24pt}"},
        {false, false, false, true, "h1{font-size:16px;font-family:Arial}p{font-size:12pt}"},
        {true, false, true, true,
         "h1{font-size:16px;font-family:Arial,sans-serif}p{font-size:1em}"},
        {true, false, true, false, "h1{font-size:16px;font-family:Arial}p{font-size:1em}"},
    };
    Source("style.css", css);
    for (const auto& row : table) {
        book.options.adaptFontSize = row.adapt;
        book.kindleGenSizeFlag = row.largeKindleGen;
        book.wordImport = row.wordImport;
        book.options.classifyFonts = row.classify;
        ProcessStylesheets(book);
        EXPECT_EQ(Package("style.css"), row.expected);
    }
    EXPECT_EQ(ReadTextFile(book.sourceFolder + "style.css"), css);  // the source is never touched
}

// Chapters may link any of them: each stylesheet carries the rule, once however often the
// compile step runs.
TEST_F(StylesheetPassTest, ThreeStylesheetsAndTheRuleGoesToEachOnce) {
    Source("a.css", "p{font-size:12pt}");
    Source("css/b.css", "h1{font-size:16pt}");
    Source("css/deep/c.css", "h2{color:red}");
    book.options.paragraph.indent = true;
    book.options.baseFontSize = 16;
    Make();
    Make();
    EXPECT_EQ(Package("a.css"), "p{font-size:0.75em}\r\np{text-indent:2em;}");
    EXPECT_EQ(Package("css/b.css"), "h1{font-size:1em}\r\np{text-indent:2em;}");
    EXPECT_EQ(Package("css/deep/c.css"), "h2{color:red}\r\np{text-indent:2em;}");
    // All paragraph options off append only a line break; a missing source reads empty.
    book.options.paragraph.indent = false;
    book.stylesheets = {"a.css", "gone.css"};
    Make();
    EXPECT_EQ(Package("a.css"), "p{font-size:0.75em}\r\n");
    EXPECT_EQ(Package("gone.css"), "\r\n");
}

TEST_F(StylesheetPassTest, BigStylesheetPassesWhole) {
    std::string css, expected;
    for (int i = 0; css.size() < 200000; ++i) {
        css += "p.c" + std::to_string(i) + "{font-size:18pt;margin-left:18pt}\r\n";
        expected += "p.c" + std::to_string(i) + "{font-size:1.5em;margin-left:18pt}\r\n";
    }
    Source("big.css", css);
    Make();
    EXPECT_TRUE(Package("big.css") == expected + "\r\n") << "the big stylesheet came out different";
}

TEST_F(StylesheetPassTest, MalformedSizeStopsThePassWithALogLineNamingTheStylesheet) {
    Source("a.css", "p{font-size:12pt}");
    Source("css/bad.css", "h1{font-size:1..2pt;color:red}");
    Source("c.css", "h2{font-size:24pt}");
    book.AppendLog("Making TOC");
    const std::string message =
        "Stylesheet \"css/bad.css\" was not processed: the font size \"1..2pt\" in "
        "\"font-size:1..2pt\" is not a valid number.";
    EXPECT_THROW(ProcessStylesheets(book), StylesheetError);
    EXPECT_EQ(book.log, "Making TOC\r\n# " + message + "\r\n");
    EXPECT_EQ(Package("a.css"), "p{font-size:1em}");
    EXPECT_FALSE(std::filesystem::exists(book.folders.opsFolder + "css/bad.css"));
    EXPECT_FALSE(std::filesystem::exists(book.folders.opsFolder + "c.css"));
}

TEST_F(StylesheetPassTest, EntriesOutsideTheBookFolderAreSkippedAndLogged) {
    dir.Write("outside.css", "p{color:red}");
    Source("ok.css", "p{}");
    book.stylesheets = {"../outside.css", "/etc/hostname", "ok.css"};
    Make();
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "temp/outside.css"));
    EXPECT_EQ(Package("ok.css"), "p{}\r\n");
    for (const std::string entry : {"../outside.css", "/etc/hostname"})
        EXPECT_NE(book.log.find("# Stylesheet \"" + entry + "\" lies outside the book's folder"),
                  std::string::npos);
}

TEST_F(StylesheetPassTest, WriteFailureIsReportedAndLogged) {
    std::filesystem::create_directories(book.folders.opsFolder +
                                        "style.css");  // a folder in the way
    Source("style.css", "p{}");
    EXPECT_THROW(ProcessStylesheets(book), StylesheetError);
    EXPECT_EQ(book.log.rfind("# Stylesheet \"style.css\" could not be written into the book: ", 0),
              0u);
}

}  // namespace
}  // namespace quillery
