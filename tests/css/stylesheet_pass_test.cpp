#include "css/stylesheet_pass.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "temp_dir.h"

namespace quillery {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class StylesheetPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        book.sourceFolder = dir.path() + "source/";
        book.folders.opsFolder = dir.path() + "temp/OPS/";
        std::filesystem::create_directories(book.sourceFolder);
        std::filesystem::create_directories(book.folders.opsFolder);
    }
    void Source(const std::string& entry, const std::string& css) {
        dir.Write("source/" + entry, css);
        book.stylesheets.push_back(entry);
    }
    std::string Package(const std::string& entry) { return Slurp(book.folders.opsFolder + entry); }
    void Make() {
        ProcessStylesheets(book);
        AppendParagraphRule(book);
    }

    testing::TempDir dir;
    Book book;
};

const char* const kWordCss =
    "p.MsoNormal{font-size:12.0pt;font-family:\"Times New Roman\";margin-top:12pt}\r\n"
    "h1{font-size:16px;font-family:Arial}";

TEST_F(StylesheetPassTest, EmConversionByDefault) {
    Source("style.css", kWordCss);
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"),
              "p.MsoNormal{font-size:1em;font-family:\"Times New Roman\";margin-top:12pt}\r\n"
              "h1{font-size:16px;font-family:Arial}");
    EXPECT_EQ(Slurp(book.sourceFolder + "style.css"), kWordCss);  // the source is never touched
}

TEST_F(StylesheetPassTest, SizePatchForTheLargeKindleGenWhenAdaptingIsOff) {
    Source("style.css", kWordCss);
    book.options.adaptFontSize = false;
    book.kindleGenSizeFlag = true;
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"),
              "p.MsoNormal{font-size:24pt;font-family:\"Times New Roman\";margin-top:12pt}\r\n"
              "h1{font-size:24pt;font-family:Arial}");
}

TEST_F(StylesheetPassTest, SizesAreCopiedUnchangedWhenAdaptingIsOffAndKindleGenIsSmall) {
    Source("style.css", kWordCss);
    book.options.adaptFontSize = false;
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"), kWordCss);
}

TEST_F(StylesheetPassTest, WordBookGetsFontClassesAfterTheSizes) {
    Source("style.css", kWordCss);
    book.wordImport = true;
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"),
              "p.MsoNormal{font-size:1em;font-family:\"Times New Roman\",serif;margin-top:12pt}\r\n"
              "h1{font-size:16px;font-family:Arial,sans-serif}");
}

TEST_F(StylesheetPassTest, WebBookGetsNoFontClassesEvenWithTheOptionOn) {
    Source("style.css", "h1{font-family:Arial}");
    book.options.classifyFonts = true;
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"), "h1{font-family:Arial}");
}

TEST_F(StylesheetPassTest, WordBookWithClassificationOff) {
    Source("style.css", "h1{font-family:Arial}");
    book.wordImport = true;
    book.options.classifyFonts = false;
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"), "h1{font-family:Arial}");
}

TEST_F(StylesheetPassTest, BaseFontSizeOption) {
    Source("style.css", "p{font-size:12pt}");
    book.options.baseFontSize = 16;
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"), "p{font-size:0.75em}");
}

TEST_F(StylesheetPassTest, ThreeStylesheetsAndTheRuleGoesToTheLastOnly) {
    Source("a.css", "p{font-size:24pt}");
    Source("css/b.css", "h1{font-size:36pt}");
    Source("css/deep/c.css", "h2{color:red}");
    book.options.paragraph.indent = true;
    Make();
    EXPECT_EQ(Package("a.css"), "p{font-size:2em}");
    EXPECT_EQ(Package("css/b.css"), "h1{font-size:3em}");
    EXPECT_EQ(Package("css/deep/c.css"), "h2{color:red}\r\np{text-indent:2em;}");
}

TEST_F(StylesheetPassTest, AllParagraphOptionsOffAppendOnlyALineBreak) {
    Source("style.css", "h1{color:red}");
    Make();
    EXPECT_EQ(Package("style.css"), "h1{color:red}\r\n");
}

TEST_F(StylesheetPassTest, RunningTheCompileStepTwiceDoesNotStack) {
    Source("style.css", "p{font-size:24pt}");
    book.options.paragraph.align = true;
    Make();
    Make();
    EXPECT_EQ(Package("style.css"), "p{font-size:2em}\r\np{text-align:justify;}");
}

TEST_F(StylesheetPassTest, MissingSourceGivesAnEmptyPackageCopy) {
    book.stylesheets.push_back("gone.css");
    Make();
    EXPECT_EQ(Package("gone.css"), "\r\n");
}

TEST_F(StylesheetPassTest, NoStylesheetsNoRule) {
    book.options.paragraph.indent = true;
    Make();
    EXPECT_TRUE(std::filesystem::is_empty(book.folders.opsFolder));
    EXPECT_EQ(book.log, "");
}

TEST_F(StylesheetPassTest, BigStylesheetPassesWhole) {
    std::string css;
    std::string expected;
    for (int i = 0; css.size() < 200000; ++i) {
        const std::string name = "p.c" + std::to_string(i);
        css += name + "{font-size:18pt;margin-left:18pt}\r\n";
        expected += name + "{font-size:1.5em;margin-left:18pt}\r\n";
    }
    Source("big.css", css);
    Make();
    EXPECT_EQ(Package("big.css"), expected + "\r\n");
}

TEST_F(StylesheetPassTest, MalformedSizeStopsThePassWithALogLineNamingTheStylesheet) {
    Source("a.css", "p{font-size:12pt}");
    Source("css/bad.css", "h1{font-size:1..2pt;color:red}");
    Source("c.css", "h2{font-size:24pt}");
    book.AppendLog("Making TOC");
    try {
        ProcessStylesheets(book);
        FAIL() << "the pass must stop";
    } catch (const StylesheetError& error) {
        EXPECT_EQ(error.stylesheet(), "css/bad.css");
        EXPECT_STREQ(error.what(),
                     "Stylesheet \"css/bad.css\" was not processed: the font size \"1..2pt\" in "
                     "\"font-size:1..2pt\" is not a valid number.");
    }
    EXPECT_EQ(book.log,
              "Making TOC\r\n# Stylesheet \"css/bad.css\" was not processed: the font size "
              "\"1..2pt\" in \"font-size:1..2pt\" is not a valid number.\r\n");
    EXPECT_EQ(Package("a.css"), "p{font-size:1em}");
    EXPECT_FALSE(std::filesystem::exists(book.folders.opsFolder + "css/bad.css"));
    EXPECT_FALSE(std::filesystem::exists(book.folders.opsFolder + "c.css"));
}

TEST_F(StylesheetPassTest, MalformedSizeIsNoErrorForTheSizePatch) {
    Source("style.css", "h1{font-size:1..2pt} h2{font-size:9pt}");
    book.options.adaptFontSize = false;
    book.kindleGenSizeFlag = true;
    ProcessStylesheets(book);
    EXPECT_EQ(Package("style.css"), "h1{font-size:1..2pt} h2{font-size:18pt}");
}

TEST_F(StylesheetPassTest, EntriesOutsideTheBookFolderAreSkippedAndLogged) {
    dir.Write("outside.css", "p{color:red}");
    book.stylesheets = {"../outside.css", "/etc/hostname", "ok.css"};
    dir.Write("source/ok.css", "p{}");
    Make();
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "temp/outside.css"));
    EXPECT_EQ(Package("ok.css"), "p{}\r\n");
    EXPECT_NE(book.log.find("# Stylesheet \"../outside.css\" lies outside the book's folder"),
              std::string::npos);
    EXPECT_NE(book.log.find("# Stylesheet \"/etc/hostname\" lies outside the book's folder"),
              std::string::npos);
}

TEST_F(StylesheetPassTest, WriteFailureIsReportedAndLogged) {
    if (geteuid() == 0) {
        // Root writes into read-only folders; a folder standing where the file goes fails
        // for everybody.
        std::filesystem::create_directories(book.folders.opsFolder + "style.css");
    } else {
        chmod(book.folders.opsFolder.c_str(), 0500);
    }
    Source("style.css", "p{}");
    EXPECT_THROW(ProcessStylesheets(book), StylesheetError);
    EXPECT_EQ(book.log.rfind("# Stylesheet \"style.css\" could not be written into the book: ", 0),
              0u);
    chmod(book.folders.opsFolder.c_str(), 0700);
}

}  // namespace
}  // namespace quillery
