#include "css/word_stylesheet.h"

#include <gtest/gtest.h>

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

const char* const kDefinitionsBlock =
    "<style>\r\n<!--\r\n /* Font Definitions */\r\np.MsoNormal{font-family:\"sans-serif\";}\r\n-->\r\n"
    "</style>";

class WordStylesheetTest : public ::testing::Test {
protected:
    std::string HtmlPath() const { return dir.path() + "doctmp/book.htm"; }
    void SetUp() override { std::filesystem::create_directories(dir.path() + "doctmp"); }

    testing::TempDir dir;
    Book book;
};

TEST_F(WordStylesheetTest, BlockMovesIntoStyleCssAndALinkTakesItsPlace) {
    book.stylesheets = {"old.css", "other.css"};
    std::string html = std::string("<html><head><title>T</title>\r\n") + kDefinitionsBlock +
                       "\r\n</head><body><p>x</p></body></html>";
    ASSERT_TRUE(ExtractWordStylesheet(html, HtmlPath(), book));
    EXPECT_EQ(html,
              "<html><head><title>T</title>\r\n"
              "<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>"
              "\r\n</head><body><p>x</p></body></html>");
    EXPECT_EQ(Slurp(dir.path() + "doctmp/style.css"),
              "\r\n<!--\r\n /* Font Definitions */\r\np.MsoNormal{font-family:sans-serif;}\r\n-->"
              "\r\na:link {color:#555;text-decoration:none;}");
    EXPECT_EQ(book.stylesheets, (std::vector<std::string>{"style.css"}));
}

TEST_F(WordStylesheetTest, FirstBlockWithoutDefinitionsStaysInTheDocument) {
    const std::string first = "<style type=\"text/css\">\nh1{color:red}\n</style>";
    std::string html = "<head>" + first + "\n<style type=\"text/css\">\n/* Style Definitions */\n"
                       "p{margin:0}\n</style></head>";
    ASSERT_TRUE(ExtractWordStylesheet(html, HtmlPath(), book));
    EXPECT_EQ(html, "<head>" + first + "\n" + std::string(kWordStylesheetLink) + "</head>");
    EXPECT_EQ(Slurp(dir.path() + "doctmp/style.css"),
              "\n/* Style Definitions */\np{margin:0}\r\na:link {color:#555;text-decoration:none;}");
}

TEST_F(WordStylesheetTest, EveryScriptGoesWhetherInsideTheBlockOrNot) {
    std::string html =
        "<head><SCRIPT type=\"text/javascript\">\r\nvar a = 1;\r\n</SCRIPT>"
        "<style>\r\n/* Font Definitions */<script>x()</script>\r\np{}\r\n</style>"
        "<script src=\"b.js\"></script></head>";
    ASSERT_TRUE(ExtractWordStylesheet(html, HtmlPath(), book));
    EXPECT_EQ(html, "<head>" + std::string(kWordStylesheetLink) + "</head>");
    EXPECT_EQ(Slurp(dir.path() + "doctmp/style.css"),
              "\r\n/* Font Definitions */\r\np{}\r\na:link {color:#555;text-decoration:none;}");
}

TEST_F(WordStylesheetTest, NoDefinitionsBlockLeavesDocumentAndListAlone) {
    book.stylesheets = {"a.css"};
    const std::string html = "<head><style>\nh1{}\n</style><style>p{}</style></head>";
    std::string text = html;
    EXPECT_FALSE(ExtractWordStylesheet(text, HtmlPath(), book));
    EXPECT_EQ(text, html);
    EXPECT_EQ(book.stylesheets, (std::vector<std::string>{"a.css"}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "doctmp/style.css"));
}

TEST_F(WordStylesheetTest, UnterminatedStyleElementEndsTheSearch) {
    std::string html = "<head><style>/* Font Definitions */ p{}";
    EXPECT_FALSE(ExtractWordStylesheet(html, HtmlPath(), book));
    html = "<head><style";
    EXPECT_FALSE(ExtractWordStylesheet(html, HtmlPath(), book));
}

TEST_F(WordStylesheetTest, BlockWithoutAFinalLineBreakLosesNothing) {
    std::string html = "<head><style>/* Font Definitions */ p{margin:0}</style></head>";
    ASSERT_TRUE(ExtractWordStylesheet(html, HtmlPath(), book));
    EXPECT_EQ(Slurp(dir.path() + "doctmp/style.css"),
              "/* Font Definitions */ p{margin:0}\r\na:link {color:#555;text-decoration:none;}");
}

TEST_F(WordStylesheetTest, FindReportsTheElementAndItsText) {
    const std::string html = "ab<style>x\n</style>cd<style media=all>/* Page Definitions */\n</style>e";
    const auto block = FindWordStyleBlock(html);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(html.substr(block->elementStart, block->elementEnd - block->elementStart),
              "<style media=all>/* Page Definitions */\n</style>");
    EXPECT_EQ(block->text, "/* Page Definitions */");
}

TEST_F(WordStylesheetTest, WriteFailureLeavesDocumentAndListAsTheyWere) {
    std::filesystem::create_directories(dir.path() + "doctmp/style.css");  // a folder in the way
    book.stylesheets = {"a.css"};
    std::string html = std::string("<head>") + kDefinitionsBlock + "</head>";
    const std::string before = html;
    EXPECT_THROW(ExtractWordStylesheet(html, HtmlPath(), book), std::exception);
    EXPECT_EQ(html, before);
    EXPECT_EQ(book.stylesheets, (std::vector<std::string>{"a.css"}));
}

}  // namespace
}  // namespace quillery
