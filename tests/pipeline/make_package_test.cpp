// What Make Mobi writes: the chapter copies in the OPS folder, the package documents in
// their order, the stylesheets, the marked contents chapter; and what it never writes.

#include <filesystem>

#include "pipeline_fixture.h"

namespace quillery::testing {
namespace {

using MakePackage = PipelineTest;

TEST_F(MakePackage, ChapterCopiesAreNormalisedAndStrippedWhileTheSourceIsNeverWritten) {
    Import();
    const std::string before = TreeSnapshot(source);
    form.chkHTMLC = form.chkJS = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    const std::string chapter = Ops("01_one.htm");
    EXPECT_NE(chapter.find("<p class=\"Body\">Text</p>"), std::string::npos) << chapter;
    EXPECT_EQ(chapter.find("alert(1)"), std::string::npos) << chapter;
    EXPECT_NE(Ops("pics/dot.png").find("PNG"), std::string::npos);
    // A second make with cover, title page, new stylesheet and paragraph rule.
    form.coverPath = source + "cover.jpg";
    form.chkAutoTitlePage = form.chkGCSS = form.chkIndent = true;
    form.replacementStylesheet = dir.Write("extra/new.css", "p { color: black; }\r\n");
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_EQ(TreeSnapshot(source), before);
}

TEST_F(MakePackage, PagesChaptersTocOpfAndStylesheetsAreWrittenInThisOrder) {
    Import();
    form.coverPath = source + "cover.jpg";
    form.chkAutoTitlePage = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    std::vector<int> steps;
    for (const char* status :
         {"Writing the cover and title pages", "Writing the chapters", "Making TOC",
          "Writing content.opf", "Processing stylesheets", "Compiling the Mobi book"})
        steps.push_back(EventIndex(std::string("status: ") + status));
    EXPECT_GE(steps[0], 0);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
    for (const char* name : {"coverpage.htm", "titlepage.htm", "cover.jpg", "toc.ncx", "toc.htm"})
        EXPECT_TRUE(InOps(name)) << name;
    EXPECT_NE(Ops("content.opf").find("type=\"toc\"  title=\"Table of Contents\" href=\"toc.htm\""),
              std::string::npos);
}

// The pass rewrites the point sizes; the rule appended afterwards survives it, once.
TEST_F(MakePackage, TheParagraphRuleFollowsTheRewrittenStylesheetOnceHoweverOftenMade) {
    Import();
    form.chkIndent = form.chkEmFontSize = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    const std::string css = Ops("css/book.css");
    EXPECT_EQ(css.find("24pt"), std::string::npos) << css;
    EXPECT_TRUE(css.ends_with("\r\np{text-indent:2em;}")) << css;
    EXPECT_EQ(css.find("p{text-indent"), css.rfind("p{text-indent")) << css;
}

TEST_F(MakePackage, AChapterMarkedAsContentsReplacesTheGeneratedContentsPage) {
    Import();
    ASSERT_TRUE(MarkAsToc(book, grid, 2));
    form.fileList = ChapterRowsOf(grid);
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_FALSE(InOps("toc.htm"));
    const std::string opf = Ops("content.opf");
    EXPECT_NE(opf.find("type=\"toc\"  title=\"Table of Contents\" href=\"02_two.htm\""),
              std::string::npos)
        << opf;
    EXPECT_EQ(opf.find("toc.htm\""), std::string::npos) << opf;
}

// Make Content and Make TOC rewrite the package from the values edited after a make.
TEST_F(MakePackage, TitlesReachTheNavigationEscapedAndEditsReachItAgain) {
    Import();
    form.fileList[0].title = "A <b> title & more";
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_NE(Ops("toc.ncx").find("A &lt;b&gt; title &amp; more"), std::string::npos);
    EXPECT_NE(Ops("toc.htm").find("A &lt;b&gt; title &amp; more"), std::string::npos);
    form.inAuthor = "Jane Writer";
    MakeContent(book, form);
    EXPECT_NE(Ops("content.opf").find("Jane Writer"), std::string::npos);
    book.titles[2] = "Renamed Third";
    MakeToc(book);
    EXPECT_NE(Ops("toc.ncx").find("Renamed Third"), std::string::npos);
}

}  // namespace
}  // namespace quillery::testing
