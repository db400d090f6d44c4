// The section split: pages, head and tail, the stylesheet, the TOC chapter, heading anchors.
#include "wordimport/section_split.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"
#include "text/file_utils.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace quillery {
namespace {

using testing::TempDir;

const std::string kHead =
    "<html>\r\n<head>\r\n<meta name=Generator content=\"Microsoft Word 15 (filtered)\">\r\n"
    "<style>\r\n<!--\r\n/* MS Word Definitions */\r\np, li\r\n\t{margin:0;}\r\n-->\r\n</style>\r\n"
    "</head>\r\n";

std::string Sections(int count, const std::string& divisionClass = "WordSection") {
    std::string body = "<body lang=EN-US>\r\n";
    for (int i = 1; i <= count; ++i) {
        if (i > 1) body += "<br clear=all style='page-break-before:always'>\r\n";
        body += "<div class=" + divisionClass + std::to_string(i) + ">\r\n<p>Part " +
                std::to_string(i) + "</p>\r\n</div>\r\n";
    }
    return kHead + body + "</body>\r\n</html>\r\n";
}

TEST(SectionSplit, ThreeBreaksGiveFourPagesWithTheSameHeadAndTail) {
    TempDir dir;
    // The contents page is found in the third page.
    const std::string path = dir.Write(
        "book.html", ReplaceAll(Sections(4), "<p>Part 3</p>", "<p><a name=\"toc\" />Part 3</p>"));
    const WordChapters chapters = SplitWordHtml(path, {});
    EXPECT_EQ(chapters.tocChapter, "s_3.htm");
    EXPECT_EQ(chapters.tocPosition, 3);
    EXPECT_TRUE(chapters.tocPositionSet);
    ASSERT_EQ(chapters.files,
              (std::vector<std::string>{"s_1.htm", "s_2.htm", "s_3.htm", "s_4.htm"}));
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(chapters.stylesheets, std::vector<std::string>{"style.css"});
    EXPECT_TRUE(FileExists(dir.path() + "style.css"));
    for (int i = 0; i < 4; ++i) {
        const std::string page = ReadTextFile(dir.path() + chapters.files[i]);
        EXPECT_EQ(static_cast<std::int64_t>(page.size()), chapters.sizes[i]);
        EXPECT_EQ(page.find("<html>\r\n<head>"), 0u);
        EXPECT_NE(page.find("<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>"),
                  std::string::npos);
        EXPECT_TRUE(page.ends_with("\r\n</body></html>")) << page;
        EXPECT_EQ(page.find("WordSection", page.find("WordSection") + 1), std::string::npos);
        EXPECT_NE(page.find("Part " + std::to_string(i + 1) + "</p>"), std::string::npos);
        EXPECT_EQ(page.find("page-break-before"), std::string::npos);
    }
    EXPECT_EQ(chapters.log, std::vector<std::string>{"Word HTML split successfully."});
}

// Old section classes start sections too; a body without section divisions is one page; a
// missing file gives none.
TEST(SectionSplit, PagesOfOldClassesUndividedBodiesAndMissingFiles) {
    const std::pair<std::string, std::size_t> cases[] = {
        {Sections(2, "Section"), 2}, {kHead + "<body><p>Only</p></body></html>", 1}, {"", 0}};
    for (const auto& [html, pages] : cases) {
        TempDir dir;
        const std::string path = dir.path() + "b.html";
        if (!html.empty()) dir.Write("b.html", html);
        const WordChapters chapters = SplitWordHtml(path, {});
        EXPECT_EQ(chapters.files.size(), pages) << html;
        EXPECT_EQ(chapters.tocChapter, "");  // no contents page
        EXPECT_EQ(ReadTextFile(dir.path() + "s_1.htm").find("<p>Only</p>") != std::string::npos,
                  pages == 1);
    }
}

TEST(SectionSplit, HeadingAnchorsRunAcrossPagesWhenOn) {
    TempDir dir;
    std::string html = ReplaceAll(Sections(2), "<p>Part", "<h1>Part");
    html = ReplaceAll(html, "</p>", "</h1>");
    SplitWordHtml(dir.Write("b.html", html), {.split = true, .headingAnchors = true});
    EXPECT_NE(ReadTextFile(dir.path() + "s_2.htm").find("<a id=\"a1\"/><h1>Part 2</h1>"),
              std::string::npos);
}

}  // namespace
}  // namespace quillery
