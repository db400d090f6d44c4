// The Word stylesheet extraction: the style block of a Word page moved into style.css.

#include "css/word_stylesheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery {
namespace {

const std::string kLinkRule = "\r\na:link {color:#555;text-decoration:none;}";
const std::string kLink(kWordStylesheetLink);

class WordStylesheetTest : public ::testing::Test {
protected:
    bool Extract(std::string& html) {
        return ExtractWordStylesheet(html, dir.path() + "doctmp/book.htm", book);
    }
    std::string StyleCss() const { return ReadTextFile(dir.path() + "doctmp/style.css"); }
    void SetUp() override { std::filesystem::create_directories(dir.path() + "doctmp"); }

    testing::TempDir dir;
    Book book;
};

TEST_F(WordStylesheetTest, BlockMovesIntoStyleCssAndALinkTakesItsPlace) {
    book.stylesheets = {"old.css", "other.css"};
    std::string html =
        "<html><head><title>T</title>\r\n<style>\r\n<!--\r\n /* Font Definitions */\r\n"
        "p.MsoNormal{font-family:\"sans-serif\";}\r\n-->\r\n</style>\r\n</head><body></body></"
        "html>";
    ASSERT_TRUE(Extract(html));
    EXPECT_EQ(html, "<html><head><title>T</title>\r\n" + kLink + "\r\n</head><body></body></html>");
    EXPECT_EQ(StyleCss(),
              "\r\n<!--\r\n /* Font Definitions */\r\np.MsoNormal{font-family:sans-serif;}\r\n-->" +
                  kLinkRule);
    EXPECT_EQ(book.stylesheets, (std::vector<std::string>{"style.css"}));
}

TEST_F(WordStylesheetTest, FirstBlockWithoutDefinitionsStaysAndScriptsGoEverywhere) {
    const std::string first = "<style type=\"text/css\">\nh1{color:red}\n</style>";
    std::string html = "<head><SCRIPT type=\"text/javascript\">\r\nvar a = 1;\r\n</SCRIPT>" +
                       first +
                       "<style>\n/* Style Definitions */<script>x()</script>\np{margin:0}\n</style>"
                       "<script src=\"b.js\"></script></head>";
    ASSERT_TRUE(Extract(html));
    EXPECT_EQ(html, "<head>" + first + kLink + "</head>");
    EXPECT_EQ(StyleCss(), "\n/* Style Definitions */\np{margin:0}" + kLinkRule);
    // A block without a final line break loses nothing.
    html = "<head><style>/* Font Definitions */ p{margin:0}</style></head>";
    ASSERT_TRUE(Extract(html));
    EXPECT_EQ(StyleCss(), "/* Font Definitions */ p{margin:0}" + kLinkRule);
}

TEST_F(WordStylesheetTest, WithoutADefinitionsBlockNothingChangesAndTheSearchEnds) {
    book.stylesheets = {"a.css"};
    for (const std::string html : {"<head><style>\nh1{}\n</style><style>p{}</style></head>",
                                   "<head><style>/* Font Definitions */ p{}", "<head><style"}) {
        std::string text = html;
        EXPECT_FALSE(Extract(text));
        EXPECT_EQ(text, html);
    }
    EXPECT_EQ(book.stylesheets, (std::vector<std::string>{"a.css"}));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "doctmp/style.css"));
}

TEST_F(WordStylesheetTest, WriteFailureLeavesDocumentAndListAsTheyWere) {
    std::filesystem::create_directories(dir.path() + "doctmp/style.css");  // a folder in the way
    book.stylesheets = {"a.css"};
    std::string html = "<head><style>/* Font Definitions */\n</style></head>";
    const std::string before = html;
    EXPECT_THROW(Extract(html), std::exception);
    EXPECT_EQ(html, before);
    EXPECT_EQ(book.stylesheets, (std::vector<std::string>{"a.css"}));
}

}  // namespace
}  // namespace quillery
