// The files a make adds (contents, cover and title pages, the cover picture, a replacement
// stylesheet) never replace a file of the book: a chapter named toc.htm keeps its words, in
// the package and in the compiled book, and the manifest lists every file once.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "mobi_reader.h"
#include "pipeline_fixture.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

// Every value of `attribute` in the tags of `element` in content.opf, in order.
std::vector<std::string> Values(const std::string& opf, const std::string& element,
                                const std::string& attribute) {
    std::vector<std::string> values;
    const std::regex tag("<" + element + "\\b[^>]*\\b" + attribute + "=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(opf.begin(), opf.end(), tag); it != std::sregex_iterator();
         ++it)
        values.push_back((*it)[1]);
    return values;
}

bool AllDifferent(const std::vector<std::string>& values) {
    return std::set<std::string>(values.begin(), values.end()).size() == values.size();
}

class GeneratedNames : public PipelineTest {
protected:
    GeneratedNames() {
        form.inKGenPath = ProgramFolder() + "opf2mobi";  // the real compiler
        picture = ReadTextFile(ProgramFolder() + "examples/cover.jpg");
    }
    // Imports the chapters (file name -> the words it holds), in this order.
    void ImportChapters(const std::vector<std::pair<std::string, std::string>>& chapters) {
        std::vector<std::string> dialog;
        for (const auto& [file, words] : chapters) {
            dir.Write("book/" + file, Page(words, "<p>" + words + "</p>" + extraBody[file]));
            dialog.push_back(dir.path() + "book/" + file);
        }
        std::rotate(dialog.rbegin(), dialog.rbegin() + 1, dialog.rend());  // the dialog's order
        const WebImportResult result = ImportWebPages(book, form, ui, dialog, false);
        ASSERT_TRUE(result.imported);
        grid = result.grid;
        form.inTitle = "Names";
        form.lblDesName = "Names.mobi";
        form.lblDesPath = output;
    }
    std::string BookText() {
        const auto text = mobi::testing::LibMobiBook(output + "Names.mobi").Text();
        return text.value_or("");
    }

    std::string picture;  // a JPEG that decodes
    std::map<std::string, std::string> extraBody;
};

TEST_F(GeneratedNames, ChaptersPicturesAndStylesheetsNamedLikeAddedFilesKeepTheirContent) {
    // The chapter toc.htm shows the book's own cover.jpg and links its own style.css; the
    // cover picture and the replacement stylesheet chosen elsewhere have the same names.
    extraBody["toc.htm"] =
        "<img src=\"cover.jpg\" alt=\"harbour\"/><link rel=\"stylesheet\" href=\"style.css\"/>";
    dir.Write("book/cover.jpg", picture);
    dir.Write("book/style.css", "p { color: navy; }\n");
    dir.Write("elsewhere/cover.jpg", picture + "other");
    // The replacement stylesheet lies far from the book, with the picture it names.
    const TempDir far;
    far.Write("style.css", "h1 { color: maroon; background: url(ribbon.png) }\n");
    far.Write("ribbon.png", "\x89PNG\r\n\x1a\n");
    form.chkAutoTitlePage = true;
    ImportChapters({{"toc.htm", "tocwords"},
                    {"coverpage.htm", "coverwords"},
                    {"titlepage.htm", "titlewords"}});
    form.coverPath = dir.path() + "elsewhere/cover.jpg";
    form.chkGCSS = true;
    form.replacementStylesheet = far.path() + "style.css";
    const MakeOutcome outcome = Make().outcome;
    ASSERT_TRUE(outcome == MakeOutcome::Made || outcome == MakeOutcome::MadeWithWarnings)
        << book.log;

    EXPECT_TRUE(Has(Ops("toc.htm"), "tocwords"));
    EXPECT_TRUE(Has(Ops("coverpage.htm"), "coverwords"));
    EXPECT_TRUE(Has(Ops("titlepage.htm"), "titlewords"));
    EXPECT_TRUE(Has(Ops("toc-2.htm"), "<ol>"));               // the generated contents page
    EXPECT_TRUE(Has(Ops("coverpage-2.htm"), "cover-2.jpg"));  // the generated cover page
    EXPECT_TRUE(Has(Ops("titlepage-2.htm"), "Names"));        // the generated title page
    EXPECT_EQ(Ops("cover.jpg"), picture);                     // the chapter's picture
    EXPECT_EQ(Ops("cover-2.jpg"), picture + "other");         // the cover picture
    // The replacement stylesheet stands in for the chapter's own, which stays out.
    EXPECT_FALSE(InOps("style.css"));
    EXPECT_TRUE(Has(Ops("toc.htm"), "href=\"style-2.css\""));
    EXPECT_FALSE(Has(Ops("toc.htm"), "href=\"style.css\""));
    EXPECT_TRUE(Has(Ops("style-2.css"), "color: maroon"));
    // The picture the replacement stylesheet names comes along from its folder.
    EXPECT_TRUE(Has(Ops("style-2.css"), "url(ribbon.png)"));
    EXPECT_TRUE(InOps("ribbon.png")) << book.log;

    const std::string opf = Ops("content.opf");
    EXPECT_TRUE(AllDifferent(Values(opf, "item", "href"))) << opf;
    EXPECT_TRUE(AllDifferent(Values(opf, "itemref", "idref"))) << opf;
    for (const char* href : {"toc-2.htm", "coverpage-2.htm", "titlepage-2.htm", "cover-2.jpg",
                             "style-2.css", "toc.htm"})
        EXPECT_TRUE(Has(opf, std::string("href=\"") + href + "\"")) << href;
    const std::string text = BookText();
    for (const char* words : {"tocwords", "coverwords", "titlewords"})
        EXPECT_TRUE(Has(text, words)) << words;
}

TEST_F(GeneratedNames, AMarkedContentsChapterNamedTocAndACoverTheChaptersShowAreListedOnce) {
    extraBody["a.htm"] = "<img src=\"cover.jpg\" alt=\"harbour\"/>";
    dir.Write("book/cover.jpg", picture);
    ImportChapters({{"a.htm", "firstwords"}, {"toc.htm", "contentswords"}, {"b.htm", "lastwords"}});
    form.coverPath = dir.path() + "book/cover.jpg";  // the very picture chapter a.htm shows
    ASSERT_TRUE(MarkAsToc(book, grid, 2));
    form.fileList = ChapterRowsOf(grid);
    const MakeOutcome outcome = Make().outcome;
    ASSERT_TRUE(outcome == MakeOutcome::Made || outcome == MakeOutcome::MadeWithWarnings)
        << book.log;
    const std::string opf = Ops("content.opf");
    const auto hrefs = Values(opf, "item", "href");
    EXPECT_TRUE(AllDifferent(hrefs)) << opf;
    EXPECT_TRUE(AllDifferent(Values(opf, "itemref", "idref"))) << opf;
    EXPECT_EQ(std::count(hrefs.begin(), hrefs.end(), "cover.jpg"), 1) << opf;
    EXPECT_EQ(std::count(hrefs.begin(), hrefs.end(), "toc.htm"), 1) << opf;
    EXPECT_TRUE(Has(opf, "type=\"toc\"  title=\"Table of Contents\" href=\"toc.htm\"")) << opf;
    EXPECT_FALSE(InOps("toc-2.htm"));
    EXPECT_TRUE(Has(Ops("toc.htm"), "contentswords"));
    const std::string text = BookText();
    for (const char* words : {"firstwords", "contentswords", "lastwords"})
        EXPECT_TRUE(Has(text, words)) << words;
}

}  // namespace
}  // namespace quillery::testing
