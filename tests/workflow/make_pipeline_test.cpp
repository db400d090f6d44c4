// Make Mobi as the window runs it: the precondition messages in their order, the log's
// summary lines, that only a Mobi file this run produced counts as success; what it writes
// into the OPS folder, in which order, and that it never writes into the source folder.

#include <filesystem>

#include "pipeline_fixture.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

struct Precondition {
    const char* name;
    void (*spoil)(PipelineTest&);  // run after the import
    bool import;
    std::vector<std::string> events;
};
void PrintTo(const Precondition& p, std::ostream* os) { *os << p.name; }

// Each check stops the make with its message alone (the later checks would fail too) and
// leaves the disk untouched.
class MakePreconditions : public PipelineTest,
                          public ::testing::WithParamInterface<Precondition> {};

TEST_P(MakePreconditions, StopTheMakeWithTheirMessageBeforeAnythingIsWritten) {
    if (GetParam().import) Import();
    GetParam().spoil(*this);
    EXPECT_EQ(Make().outcome, MakeOutcome::Stopped);
    std::vector<std::string> shown;  // the progress and status lines aside
    for (const std::string& e : ui.events)
        if (!e.starts_with("progress: ") && !e.starts_with("status: ")) shown.push_back(e);
    EXPECT_EQ(shown, GetParam().events);
    EXPECT_TRUE(!fs::exists(book.folders.opsFolder) || fs::is_empty(book.folders.opsFolder));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(InTheirOrder, MakePreconditions, ::testing::Values(
    Precondition{"NoCompiler", [](PipelineTest& t) { t.form.inKGenPath = t.dir.path() + "no"; },
        false, {"message: KindleGen can not be found, please set \r\ncorrect path of KindleGen in "
                "Settings."}},
    Precondition{"NoImport", [](PipelineTest& t) { t.form.inTitle.clear(); },
        false, {"message: Please import webpages or document first", "focus: btnImportHtml"}},
    Precondition{"NoTitleNorName", [](PipelineTest& t) { t.form.inTitle = t.form.lblDesName = ""; },
        true, {"page: General", "message: Please specify the book title", "focus: inTitle"}},
    Precondition{"NoOutputName", [](PipelineTest& t) { t.form.lblDesName.clear(); },
        true, {"page: General", "message: Please indicate where to save the Mobi file"}},
    Precondition{"TooFewTitles", [](PipelineTest& t) { t.form.fileList.pop_back(); },
        true, {"page: General", "message: Please specify chapter titles for each file",
               "focus: fileList"}},
    Precondition{"EmptyTitle", [](PipelineTest& t) { t.form.fileList[1].title.clear(); },
        true, {"page: General", "message: Please specify chapter titles for each file",
               "focus: fileList"}},
    Precondition{"BlankTitle", [](PipelineTest& t) { t.form.fileList[2].title = " \t "; },
        true, {"page: General", "message: Please specify chapter titles for each file",
               "focus: fileList"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The first make leaves its Mobi file in the OPS folder; a later failed compile must not
// take it for its own, nor keep the success lines of the earlier log.
TEST_F(PipelineTest, TheReportNamesTheBookOnlyWhenThisMakeProducedIt) {
    Import();
    EXPECT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Your Mobi book has been saved in " + output +
                                                    " as Test Book.mobi"});
    EXPECT_TRUE(book.log.ends_with("# File saved at " + output + "Test Book.mobi")) << book.log;
    EXPECT_EQ(ReadTextFile(output + "Test Book.mobi"), "BOOKMOBI");
    EXPECT_EQ(book.previewSource, PreviewSource::Made);
    // The log view shows the finished log; the log window opens only for a failure.
    EXPECT_EQ(ui.shownLog, book.log);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "log-window"), 0);

    fs::remove(output + "Test Book.mobi");
    form.inKGenPath = WriteFailingCompiler(dir.path() + "bin/");
    ui.messages.clear();
    ui.events.clear();
    EXPECT_EQ(Make().outcome, MakeOutcome::Failed);
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Error in compiling, Mobi creation failed, please check the log."});
    EXPECT_TRUE(Has(book.log, "Error(fake): the book could not be built"));
    EXPECT_TRUE(book.log.ends_with("\r\n# Mobi file creation failed.")) << book.log;
    EXPECT_FALSE(Has(book.log, "made successfully")) << book.log;
    EXPECT_FALSE(fs::exists(output + "Test Book.mobi"));
    EXPECT_TRUE(InOps("content.opf"));  // the package stays for editing and Re-Compile
}

// The report names the file the compiler's name rule really gives, and the warnings of a
// compiler that left something out.
TEST_F(PipelineTest, TheReportNamesTheFileWrittenAndTheCompilersWarnings) {
    EXPECT_FALSE(ReCompile(book, form.inKGenPath, ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"This only function after Make Mobi."});
    Import();
    form.lblDesName = "My Book.epub";
    form.inKGenPath = WriteGoodCompiler(dir.path() + "bin/", 2);
    EXPECT_EQ(Make().outcome, MakeOutcome::MadeWithWarnings);
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Your Mobi book has been saved in " + output +
                                       " as My Book.mobi\r\nThe compiler gave 2 warning(s): "
                                       "something was left out of the book, please check the "
                                       "log."});
    EXPECT_TRUE(Has(book.log,
                    "# Mobi book My Book.mobi made successfully.\r\n# The compiler "
                    "gave 2 warning(s)"))
        << book.log;
    EXPECT_TRUE(book.log.ends_with("# File saved at " + output + "My Book.mobi")) << book.log;
    EXPECT_EQ(ReadTextFile(output + "My Book.mobi"), "BOOKMOBI");
    EXPECT_FALSE(fs::exists(output + "My Book.epub"));
    // Re-Compile judges the file it really wrote too; a failed one is not reported as
    // success because the made book is still there.
    fs::remove(output + "My Book.mobi");
    ui.messages.clear();
    EXPECT_TRUE(ReCompile(book, form.inKGenPath, ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Mobi re-compiled successfully."});
    EXPECT_EQ(ReadTextFile(output + "My Book.mobi"), "BOOKMOBI");
    ui.messages.clear();
    EXPECT_FALSE(ReCompile(book, WriteFailingCompiler(dir.path() + "bin/"), ui));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PipelineTest, AChapterThatCannotBeWrittenEndsTheMakeWithItsErrorAndNoCompile) {
    Import();
    fs::create_directories(book.folders.opsFolder + "02_two.htm/");
    const MakeResult result = Make();
    EXPECT_EQ(result.outcome, MakeOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(Has(ui.messages[0], "02_two.htm")) << ui.messages[0];
    EXPECT_FALSE(Has(book.log, "fake compiler")) << book.log;
    EXPECT_TRUE(book.log.ends_with("\r\n# Mobi file creation failed.")) << book.log;
    EXPECT_FALSE(InOps("content.opf"));
    EXPECT_FALSE(result.packageWritten);  // the preview and the Edit menus stay as they were
    EXPECT_EQ(book.previewSource, PreviewSource::Imported);
    EXPECT_EQ(ui.shownLog, book.log);
    EXPECT_EQ(std::count(ui.events.begin(), ui.events.end(), "log-window"), 1);
}

// The smaller commands report a file they cannot write, as the make does, and end.
TEST_F(PipelineTest, MakeContentMakeTocAndReCompileReportFileErrors) {
    Import();
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    for (const char* file : {"content.opf", "toc.ncx"}) {
        fs::remove(book.folders.opsFolder + file);
        fs::create_directories(book.folders.opsFolder + file + "/blocked");
    }
    fs::remove_all(output);
    dir.Write("out", "a file where the output folder was");
    ui.messages.clear();
    EXPECT_FALSE(MakeContent(book, form, ui));
    EXPECT_FALSE(MakeToc(book, ui));
    EXPECT_FALSE(ReCompile(book, form.inKGenPath, ui));
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_TRUE(Has(ui.messages[0], "content.opf")) << ui.messages[0];
    EXPECT_TRUE(Has(ui.messages[1], "toc.ncx")) << ui.messages[1];
    EXPECT_TRUE(Has(ui.messages[2], "Not a directory")) << ui.messages[2];
    EXPECT_TRUE(Has(book.log, "# Cannot write the file")) << book.log;
}

using MakePackage = PipelineTest;

// The stylesheet pass rewrites the point sizes; the paragraph rule appended afterwards
// survives it, once however often the book is made.
TEST_F(MakePackage, CopiesAreNormalisedStrippedAndRestyledWhileTheSourceIsNeverWritten) {
    Import();
    const std::string before = TreeSnapshot(source);
    form.chkHTMLC = form.chkJS = form.chkIndent = form.chkEmFontSize = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    const std::string chapter = Ops("01_one.htm");
    EXPECT_TRUE(Has(chapter, "<p class=\"Body\">Text</p>")) << chapter;
    EXPECT_FALSE(Has(chapter, "alert(1)")) << chapter;
    EXPECT_TRUE(Has(Ops("pics/dot.png"), "PNG"));
    // A second make with cover, title page and new stylesheet.
    form.coverPath = source + "cover.jpg";
    form.chkAutoTitlePage = form.chkGCSS = true;
    form.replacementStylesheet = dir.Write("extra/new.css", "p { color: black; }\r\n");
    ui.events.clear();
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_EQ(TreeSnapshot(source), before);
    // Pages, chapters, TOC, content.opf and stylesheets are written in this order.
    std::vector<int> steps;
    for (const char* status :
         {"Writing the cover and title pages", "Writing the chapters", "Making TOC",
          "Writing content.opf", "Processing stylesheets", "Compiling the Mobi book"})
        steps.push_back(EventIndex(std::string("status: ") + status));
    EXPECT_TRUE(steps[0] >= 0 && std::is_sorted(steps.begin(), steps.end()));
    EXPECT_TRUE(InOps("coverpage.htm") && InOps("titlepage.htm") && InOps("toc.ncx"));
    EXPECT_NE(Ops("content.opf").find("type=\"toc\"  title=\"Table of Contents\" href=\"toc.htm\""),
              std::string::npos);
    const std::string css = Ops("css/book.css");
    EXPECT_FALSE(Has(css, "24pt")) << css;
    EXPECT_TRUE(css.ends_with("\r\np{text-indent:2em;}")) << css;
    EXPECT_EQ(css.find("p{text-indent"), css.rfind("p{text-indent")) << css;
}

// With auto-title off the grid starts without titles; titles typed into it make the book.
TEST_F(MakePackage, TypedTitlesAndTheMarkedContentsReachTheNavigationEscapedAndEditsReachItAgain) {
    form.chkAutoTitle = false;
    Import();
    for (const ChapterRow& row : form.fileList) EXPECT_EQ(row.title, "") << row.fileName;
    EXPECT_EQ(Make().outcome, MakeOutcome::Stopped);
    form.fileList[0].title = "A <b> title & more";
    form.fileList[1].title = "Typed Two";
    form.fileList[2].title = "Typed Three";
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_TRUE(Has(Ops("toc.ncx"), "<text>Typed Two</text>"));
    for (const char* file : {"toc.ncx", "toc.htm"})
        EXPECT_TRUE(Has(Ops(file), "A &lt;b&gt; title &amp; more")) << file;
    form.inAuthor = "Jane Writer";
    EXPECT_TRUE(MakeContent(book, form, ui));
    EXPECT_TRUE(Has(Ops("content.opf"), "Jane Writer"));
    book.chapters[2].title = "Renamed Third";
    EXPECT_TRUE(MakeToc(book, ui));
    EXPECT_TRUE(Has(Ops("toc.ncx"), "Renamed Third"));
    // A chapter marked as contents replaces the generated contents page.
    ASSERT_TRUE(MarkAsToc(book, grid, 2));   // the typed titles stay in the form
    fs::remove_all(book.folders.opsFolder);  // no page of the earlier make is left to find
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_FALSE(InOps("toc.htm"));
    const std::string opf = Ops("content.opf");
    EXPECT_TRUE(Has(opf, "type=\"toc\"  title=\"Table of Contents\" href=\"02_two.htm\"")) << opf;
    EXPECT_FALSE(Has(opf, "toc.htm\"")) << opf;
}

}  // namespace
}  // namespace quillery::testing
