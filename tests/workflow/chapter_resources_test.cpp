// The make's resource collectors: content.opf lists the pictures and stylesheets the chapter
// copies name, and copies the pictures into the package.

#include "workflow/chapter_resources.h"

#include "package_fixture.h"

namespace quillery::testing {
namespace {

// A template without metadata: what the collectors add is what the test compares.
class ChapterResources : public PackageTest {
protected:
    ChapterResources() {
        dir.Write("lib/OPS/content.opf",
                  "<package>\r\n\t<manifest>\r\n\t</manifest>\r\n\t<spine>\r\n\t</spine>"
                  "\r\n\t<guide>\r\n\t</guide>\r\n</package>");
    }
};

TEST_F(ChapterResources, ChapterCopiesNameTheirPicturesAndStylesheetsUnlessFromWord) {
    AddChapters(2);
    dir.Write("temp/OPS/a.htm", "<link href=\"css/Book.CSS\"><img src=\"images/pic%201.png\">");
    dir.Write("temp/OPS/b.htm", "<img src='images/missing.gif'><IMG SRC=\"Images/PIC%201.png\">");
    dir.Write("src/css/Book.css", "p{}");
    dir.Write("src/images/pic 1.png", "png");
    WriteContentOpf(book, ChapterResourceCollectors());  // with the clock's date
    EXPECT_TRUE(Has(Ops("content.opf"),
                    "\t<item id=\"n1\" href=\"b.htm\" media-type=\"application/xhtml+xml\" />\r\n\t"
                    "\t\t<item id=\"css0\" href=\"css/Book.CSS\" media-type=\"text/css\" />\r\n"
                    "\t<item id=\"img0\" href=\"images/pic%201.png\" "
                    "media-type=\"image/png\" />\r\n\t"
                    "\t<item id=\"img2\" href=\"Images/PIC%201.png\" "
                    "media-type=\"image/png\" />\r\n\t</manifest>"));
    // Names as the chapters write them, the files found without regard to letter case.
    EXPECT_EQ(book.stylesheets, std::vector<std::string>{"css/Book.CSS"});  // for the style pass
    EXPECT_EQ(Ops("images/pic 1.png"), "png");
    EXPECT_EQ(Ops("Images/PIC 1.png"), "png");
    EXPECT_EQ(book.log, "images/missing.gifdoes not exist\r\n");
    EXPECT_EQ(book.metadata.date, TodayIsoDate());
    book.wordImport = true;  // a Word project keeps the list its import set up
    book.stylesheets = {"word.css"};
    WriteContentOpf(book, ChapterResourceCollectors());
    EXPECT_TRUE(Has(book.log, "word.cssdoes not exist, give up"));
}

}  // namespace
}  // namespace quillery::testing
