// "&Validate This" and "Validate Other" with a stand-in "java" first on the PATH: it prints
// the jar and the file it was given (so quoting faults show), and passes a file whose text
// holds "valid". The messages, the log lines and the verdict rule are checked exactly.

#include "workflow/epub_validation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "project/book.h"
#include "recording_ui_port.h"
#include "temp_dir.h"

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;

constexpr const char* kFakeJava = R"(#!/bin/sh
printf 'jar=[%s]\n' "$2"
printf 'Validating %s\r\n' "$3"
if grep -q valid "$3"; then
  printf 'No errors or warnings detected.\n'
else
  printf 'ERROR(RSC-005): %s/OPS/a.xhtml(1,1): bad\n' "$3"
fi
)";

class EpubValidationTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingUiPort ui;
    Book book;
    std::string jar;
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";

    EpubValidationTest() {
        const std::string java = dir.Write("bin/java", kFakeJava);
        ::chmod(java.c_str(), 0755);
        ::setenv("PATH", (dir.path() + "bin:" + oldPath).c_str(), 1);
        jar = dir.Write("my jars/epub'check.jar", "jar");  // a blank and a quote
    }
    ~EpubValidationTest() override { ::setenv("PATH", oldPath.c_str(), 1); }

    // A made book "My Book.mobi" in a folder with a blank, with its ePub.
    std::string MakeBook(const std::string& epubText) {
        book.outputFolder = dir.path() + "out put/";
        book.outputFileName = "My Book.mobi";
        book.fullOutputPath = book.outputFolder + book.outputFileName;
        return dir.Write("out put/My Book.epub", epubText);
    }
};

TEST_F(EpubValidationTest, PreconditionsStopWithTheirMessagesAndRunNothing) {
    const auto notRun = [this](const std::string& jarPath, const std::string& message) {
        SCOPED_TRACE(message);
        ui = RecordingUiPort();
        EXPECT_EQ(ValidateThis(book, jarPath, ui).verdict, ValidationVerdict::NotRun);
        EXPECT_EQ(ui.messages, std::vector<std::string>{message});
        EXPECT_EQ(book.log, "");
    };
    notRun(jar, kMakeEpubFirstMessage);  // before any make
    std::filesystem::remove(MakeBook("valid"));
    notRun(jar, "Can not find My Book.epub");
    MakeBook("valid");
    notRun("", kSetEpubcheckMessage);
    notRun(dir.path() + "none.jar", kJarMissingMessage);
}

TEST_F(EpubValidationTest, ValidateThisChecksTheMadeEpubWithTheJarQuotedAndReportsErrors) {
    const std::string epub = MakeBook("a valid book");
    const ValidationResult result = ValidateThis(book, jar, ui);
    EXPECT_EQ(result.verdict, ValidationVerdict::Valid);
    EXPECT_TRUE(result.validatorReported);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kEpubValidMessage});
    // The jar reached the validator whole; the checked file's path is gone from the output;
    // every line ends in CR LF; no "# checking" line.
    EXPECT_EQ(book.log, std::string(kValidationLogHeader) + "\r\njar=[" + jar +
                            "]\r\nValidating \r\nNo errors or warnings detected.\r\n");
    EXPECT_EQ(ui.shownLog, book.log);

    // Errors show the log page.
    MakeBook("broken");
    ui = RecordingUiPort();
    book.log.clear();
    ValidationResult errors = ValidateThis(book, jar, ui);
    EXPECT_EQ(errors.verdict, ValidationVerdict::ContainsErrors);
    EXPECT_TRUE(errors.validatorReported);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kEpubErrorsMessage});
    EXPECT_NE(std::find(ui.events.begin(), ui.events.end(), "page: Log"), ui.events.end());
    EXPECT_NE(book.log.find("ERROR(RSC-005): /OPS/a.xhtml(1,1): bad\r\n"), std::string::npos)
        << book.log;

    // A validator that cannot start counts as errors but is no report.
    ::setenv("PATH", dir.path().c_str(), 1);  // no java anywhere
    ui = RecordingUiPort();
    errors = ValidateThis(book, jar, ui);
    EXPECT_EQ(errors.verdict, ValidationVerdict::ContainsErrors);
    EXPECT_FALSE(errors.validatorReported);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kEpubErrorsMessage});
}

TEST_F(EpubValidationTest, ValidateOtherNamesTheFileAndChecksItsPreconditions) {
    const std::string other = dir.Write("other dir/It's valid.epub", "valid");
    const ValidationResult result = ValidateOther(book, other, jar, ui);
    EXPECT_EQ(result.verdict, ValidationVerdict::Valid);
    EXPECT_TRUE(book.log.starts_with("# checking \"" + other + "\" ...\r\n" + kValidationLogHeader +
                                     "\r\n"))
        << book.log;

    ui = RecordingUiPort();
    EXPECT_EQ(ValidateOther(book, "", jar, ui).verdict, ValidationVerdict::NotRun);
    EXPECT_EQ(ValidateOther(book, dir.path() + "gone.epub", jar, ui).verdict,
              ValidationVerdict::NotRun);
    EXPECT_EQ(ValidateOther(book, other, "", ui).verdict, ValidationVerdict::NotRun);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kNoEpubGivenMessage,
                                                     "Can not find " + dir.path() + "gone.epub",
                                                     kSetEpubcheckMessage}));
}

// A lone CR ends a line too; every mention of the checked file goes.
TEST(ValidatorOutput, IsNormalisedLineByLineWithoutTheCheckedPath) {
    EXPECT_EQ(NormaliseValidatorOutput("a\rb\nE: /x/b.epub/OPS/c(1): /x/b.epub", "/x/b.epub"),
              "a\r\nb\r\nE: /OPS/c(1): ");
}

}  // namespace
}  // namespace quillery
