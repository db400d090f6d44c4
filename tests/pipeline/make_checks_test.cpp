// Make Mobi's checks and its report: the precondition messages in their order, the log's
// summary lines, and that only a Mobi file this run produced counts as success.

#include <filesystem>

#include "fake_compiler.h"
#include "pipeline_fixture.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

bool HasPageSwitch(const std::vector<std::string>& events) {
    for (const std::string& e : events)
        if (e.rfind("page: ", 0) == 0) return true;
    return false;
}

class MakeChecks : public PipelineTest {
protected:
    bool OpsFolderEmpty() const {
        return !fs::exists(book.folders.opsFolder) || fs::is_empty(book.folders.opsFolder);
    }
};

TEST_F(MakeChecks, WithoutImportedFilesAsksForAnImportFirstAndStaysOnItsPage) {
    // Everything else is missing too; the import message alone comes.
    const MakeResult result = Make();
    EXPECT_EQ(result.outcome, MakeOutcome::Stopped);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kImportFirstMessage});
    EXPECT_GE(EventIndex("focus: btnImportHtml"), 0);
    EXPECT_FALSE(HasPageSwitch(ui.events));
    EXPECT_FALSE(fs::exists(book.folders.tempFolder));
}

TEST_F(MakeChecks, AnEmptyTitleIsReportedBeforeAnEmptyOutputNameAfterTheSwitchToTheGeneralPage) {
    Import();
    form.inTitle.clear();
    form.lblDesName.clear();
    EXPECT_EQ(Make().outcome, MakeOutcome::Stopped);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kTitleMissingMessage});
    const int page = EventIndex("page: General");
    ASSERT_GE(page, 0);
    EXPECT_LT(page, EventIndex(std::string("message: ") + kTitleMissingMessage));
    EXPECT_GE(EventIndex("focus: inTitle"), 0);
    EXPECT_TRUE(OpsFolderEmpty());
}

TEST_F(MakeChecks, AnEmptyOutputNameStopsTheMake) {
    Import();
    form.lblDesName.clear();
    EXPECT_EQ(Make().outcome, MakeOutcome::Stopped);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kOutputMissingMessage});
    EXPECT_TRUE(OpsFolderEmpty());
}

TEST_F(MakeChecks, ChaptersWithoutTitlesStopTheMake) {
    Import();
    book.titles.pop_back();
    EXPECT_EQ(Make().outcome, MakeOutcome::Stopped);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kTitlesMissingMessage});
    EXPECT_GE(EventIndex("focus: fileList"), 0);
    EXPECT_TRUE(OpsFolderEmpty());
}

TEST_F(MakeChecks, AMissingCompilerIsReportedBeforeAnyOtherCheck) {
    form.inKGenPath = dir.path() + "no-such-compiler";
    EXPECT_EQ(Make().outcome, MakeOutcome::Stopped);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0], kImportFirstMessage);
}

TEST_F(MakeChecks, ASuccessfulMakeReportsTheBookAndWhereItWasSaved) {
    Import();
    EXPECT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Your Mobi book has been saved in " + output +
                                                    " as Test Book.mobi"});
    EXPECT_NE(book.log.find("fake compiler: built Test Book.mobi"), std::string::npos) << book.log;
    const std::string tail =
        "\r\n# Mobi book Test Book.mobi made successfully.\r\n# File saved at " + output +
        "Test Book.mobi";
    EXPECT_TRUE(book.log.ends_with(tail)) << book.log;
    EXPECT_EQ(ReadTextFile(output + "Test Book.mobi"), "BOOKMOBI");
    EXPECT_EQ(book.previewSource, PreviewSource::Made);
}

TEST_F(MakeChecks, AFailedCompileReportsTheFailureWithTheCompilersOwnWords) {
    form.inKGenPath = WriteFailingCompiler(dir.path() + "bin/");
    Import();
    EXPECT_EQ(Make().outcome, MakeOutcome::Failed);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kCompileFailedMessage});
    EXPECT_NE(book.log.find("Error(fake): the book could not be built"), std::string::npos)
        << book.log;
    EXPECT_TRUE(book.log.ends_with("\r\n# Mobi file creation failed.")) << book.log;
    EXPECT_FALSE(fs::exists(output + "Test Book.mobi"));
    // The package stays for editing and Re-Compile.
    EXPECT_TRUE(InOps("content.opf"));
}

TEST_F(MakeChecks, AMobiFileLeftInTheOpsFolderNeverCountsAsSuccess) {
    Import();
    dir.Write("state/temp/OPS/Test Book.mobi", "stale");
    form.inKGenPath = WriteFailingCompiler(dir.path() + "bin/");
    EXPECT_EQ(Make().outcome, MakeOutcome::Failed);
    EXPECT_FALSE(fs::exists(output + "Test Book.mobi"));
}

TEST_F(MakeChecks, AFailedMakeAfterASuccessfulOneIsAFailure) {
    Import();
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    form.inKGenPath = WriteFailingCompiler(dir.path() + "bin/");
    ui.messages.clear();
    EXPECT_EQ(Make().outcome, MakeOutcome::Failed);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kCompileFailedMessage});
    // The log was cleared by the second make: no success line from the first one.
    EXPECT_EQ(book.log.find("made successfully"), std::string::npos) << book.log;
}

TEST_F(MakeChecks, AChapterThatCannotBeWrittenEndsTheMakeWithItsErrorAndNoCompile) {
    Import();
    fs::create_directories(book.folders.opsFolder + "02_two.htm/");
    EXPECT_EQ(Make().outcome, MakeOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("02_two.htm"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(book.log.find("fake compiler"), std::string::npos) << book.log;
    EXPECT_TRUE(book.log.ends_with("\r\n# Mobi file creation failed.")) << book.log;
    EXPECT_FALSE(InOps("content.opf"));
    EXPECT_FALSE(fs::exists(output + "Test Book.mobi"));
}

TEST_F(MakeChecks, ReCompileBeforeAnyMakeAsksForAMakeFirst) {
    EXPECT_FALSE(ReCompile(book, form.inKGenPath, ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{kRecompileFirstMessage});
}

TEST_F(MakeChecks, ReCompileAfterAMakeCompilesTheOpsFolderAgain) {
    Import();
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    fs::remove(output + "Test Book.mobi");
    ui.messages.clear();
    EXPECT_TRUE(ReCompile(book, form.inKGenPath, ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{kRecompiledMessage});
    EXPECT_EQ(ReadTextFile(output + "Test Book.mobi"), "BOOKMOBI");
}

// The book saved by the make is still at the output path; a compile that fails now must
// not be reported as a re-compiled book.
TEST_F(MakeChecks, AFailedReCompileIsNotReportedAsSuccessBecauseAnOlderBookIsThere) {
    Import();
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    ui.messages.clear();
    EXPECT_FALSE(ReCompile(book, WriteFailingCompiler(dir.path() + "bin/"), ui));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace quillery::testing
