// What Make Mobi writes: the chapter copies in the OPS folder, the package documents in
// their order, the stylesheets, the marked contents chapter; and what it never writes.

#include <filesystem>

#include "fake_compiler.h"
#include "pipeline_fixture.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

using MakePackage = PipelineTest;

TEST_F(MakePackage, ChapterCopiesAreNormalisedAndStrippedWhileTheSourceStaysByteForByte) {
    Import();
    const std::string before = TreeSnapshot(source);
    form.chkHTMLC = true;
    form.chkJS = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_EQ(TreeSnapshot(source), before);

    const std::string chapter = Ops("01_one.htm");
    EXPECT_NE(chapter.find("<p class=\"Body\">Text</p>"), std::string::npos) << chapter;
    EXPECT_EQ(chapter.find("alert(1)"), std::string::npos) << chapter;
    EXPECT_NE(ReadTextFile(source + "01_one.htm")
                  .find("<script type=\"text/javascript\">alert(1)</script>"),
              std::string::npos);
    EXPECT_NE(Ops("pics/dot.png").find("PNG"), std::string::npos);
}

TEST_F(MakePackage, ASecondMakeWithCoverTitlePageAndNewStylesheetStillLeavesTheSourceAlone) {
    Import();
    const std::string before = TreeSnapshot(source);
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    form.coverPath = source + "cover.jpg";
    form.chkAutoTitlePage = true;
    form.chkGCSS = true;
    form.replacementStylesheet = dir.Write("extra/new.css", "p { color: black; }\r\n");
    form.chkIndent = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_EQ(TreeSnapshot(source), before);
}

TEST_F(MakePackage, CoverAndTitlePagesAreWrittenBeforeTheChaptersAndTheTocBeforeContentOpf) {
    Import();
    form.coverPath = source + "cover.jpg";
    form.chkAutoTitlePage = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    const int pages = EventIndex("status: Writing the cover and title pages");
    const int chapters = EventIndex("status: Writing the chapters");
    const int toc = EventIndex("status: Making TOC");
    const int opf = EventIndex("status: Writing content.opf");
    const int css = EventIndex("status: Processing stylesheets");
    const int compile = EventIndex("status: Compiling the Mobi book");
    EXPECT_TRUE(pages >= 0 && pages < chapters && chapters < toc && toc < opf && opf < css &&
                css < compile);

    EXPECT_TRUE(InOps("coverpage.htm"));
    EXPECT_TRUE(InOps("titlepage.htm"));
    EXPECT_TRUE(InOps("cover.jpg"));
    // content.opf names the contents page that toc.ncx's pass produced on this very make.
    const std::string opf_text = Ops("content.opf");
    EXPECT_TRUE(InOps("toc.ncx"));
    EXPECT_NE(opf_text.find("type=\"toc\"  title=\"Table of Contents\" href=\"toc.htm\""),
              std::string::npos)
        << opf_text;
    EXPECT_TRUE(InOps("toc.htm"));
}

TEST_F(MakePackage, TheParagraphRuleFollowsTheRewrittenStylesheet) {
    Import();
    form.chkIndent = true;
    form.chkEmFontSize = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    const std::string css = Ops("css/book.css");
    // The pass rewrote the point size; the rule appended afterwards survived it.
    EXPECT_EQ(css.find("24pt"), std::string::npos) << css;
    EXPECT_TRUE(css.ends_with("\r\np{text-indent:2em;}")) << css;
    EXPECT_NE(ReadTextFile(source + "css/book.css").find("24pt"), std::string::npos);
}

TEST_F(MakePackage, RepeatedMakesDoNotStackTheParagraphRule) {
    Import();
    form.chkIndent = true;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    const std::string css = Ops("css/book.css");
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

TEST_F(MakePackage, ChapterTitlesReachTheNavigationEscaped) {
    Import();
    form.fileList[0].title = "A <b> title & more";
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    EXPECT_NE(Ops("toc.ncx").find("A &lt;b&gt; title &amp; more"), std::string::npos)
        << Ops("toc.ncx");
    EXPECT_NE(Ops("toc.htm").find("A &lt;b&gt; title &amp; more"), std::string::npos)
        << Ops("toc.htm");
}

TEST_F(MakePackage, MakeContentAndMakeTocRewriteThePackageFromTheEditedValues) {
    Import();
    ASSERT_EQ(Make().outcome, MakeOutcome::Made);
    form.inAuthor = "Jane Writer";
    MakeContent(book, form);
    EXPECT_NE(Ops("content.opf").find("Jane Writer"), std::string::npos);
    book.titles[2] = "Renamed Third";
    MakeToc(book);
    EXPECT_NE(Ops("toc.ncx").find("Renamed Third"), std::string::npos);
}

}  // namespace
}  // namespace quillery::testing
