// Stylesheet and picture manifest items (ids with gaps, log lines, copies into the OPS folder),
// the cover and title pages, the container folder and the installed templates.

#include <system_error>

#include "package/container.h"
#include "package/cover_pages.h"
#include "package/manifest_items.h"
#include "package_fixture.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

std::string Css(const std::string& id, const std::string& href) {
    return "\t\t<item id=\"" + id + "\" href=\"" + href + "\" media-type=\"text/css\" />\r\n";
}
std::string Img(const std::string& id, const std::string& href, const std::string& subtype) {
    return "\t<item id=\"" + id + "\" href=\"" + href + "\" media-type=\"image/" + subtype +
           "\" />\r\n\t";
}

TEST_F(PackageTest, CoverPictureFirstThenPicturesWithGapsForMissingOnes) {
    dir.Write("src/images/PHOTO.JPE", "jpe");
    dir.Write("src/images/R&D.svg", "svg");
    dir.Write("temp/OPS/images/R&D.svg", "an older copy");
    book.coverPath = dir.path() + "pics/My Cover.Png";
    book.images = {"images/PHOTO.JPE", "images/x.png", "images/R&D.svg"};
    // The media subtype follows the extension in lower case.
    EXPECT_EQ(ImageManifestItems(book), Img("coverPic", "My%20Cover.Png", "png") +
                                            Img("img0", "images/PHOTO.JPE", "jpeg") +
                                            Img("img2", "images/R&amp;D.svg", "svg+xml"));
    EXPECT_EQ(book.log, "images/x.pngdoes not exist\r\n");
    EXPECT_EQ(Ops("images/PHOTO.JPE") + Ops("images/R&D.svg"), "jpesvg");
}

TEST_F(PackageTest, StylesheetsWithGapsAndTheReplacementFirst) {
    dir.Write("src/css/book.css", "p{}");
    dir.Write("src/extra.css", "h1{}");
    book.replacementStylesheet = dir.path() + "styles/new.css";
    book.stylesheets = {"css/book.css", "gone/missing.css", "extra.css"};
    std::string opf = "<manifest>\r\n</manifest></manifest>";
    InsertStylesheetItems(book, opf);
    EXPECT_EQ(opf, "<manifest>\r\n" + Css("style", "new.css") + Css("css0", "css/book.css") +
                       Css("css2", "extra.css") + "</manifest></manifest>");
    EXPECT_EQ(book.log, "gone/missing.cssdoes not exist, give up\r\n");
    // The folder is made ready for the stylesheet pass, which writes the file itself.
    EXPECT_TRUE(fs::is_directory(book.folders.opsFolder + "css") && !OpsHas("css/book.css"));
    EXPECT_FALSE(fs::exists(book.folders.opsFolder + "gone"));
}

TEST_F(PackageTest, CoverPageHoldsThePictureAndTitlePageTheStoredEscapedValues) {
    EXPECT_FALSE(WriteCoverPage(book) || CopyCoverPicture(book));  // no picture, no page
    EXPECT_FALSE(OpsHas("coverpage.htm"));
    dir.Write("lib/OPS/coverpage.htm", "<body>\r\n</body></html></body>");
    book.coverPath = dir.Write("pics/Front Cover.png", "png");
    EXPECT_TRUE(CopyCoverPicture(book) && WriteCoverPage(book));
    EXPECT_EQ(Ops("Front Cover.png"), "png");
    EXPECT_EQ(Ops("coverpage.htm"),
              "<body>\r\n<div>\r\n<img src=\"Front%20Cover.png\" alt=\"Cover Image\" "
              "style=\"height: 100%\"/>\r\n</div>\r\n</body></html></body>");
    book.coverPath = dir.path() + "pics/none.png";
    EXPECT_THROW(CopyCoverPicture(book), std::system_error);

    dir.Write("lib/OPS/titlepage.htm", "$$title$$<h1>$$title$$</h1>$$author$$|$$publisher$$");
    book.metadata.title = "Tom &amp; Jerry";
    EXPECT_FALSE(WriteTitlePage(book) || OpsHas("titlepage.htm"));
    book.options.generateTitlePage = true;
    EXPECT_TRUE(WriteTitlePage(book));
    EXPECT_EQ(Ops("titlepage.htm"),
              "Tom &amp; Jerry<h1>Tom &amp; Jerry</h1>Anonymous Author|Unknown publisher");
}

TEST_F(PackageTest, ContainerIsLaidOutOverwrittenOnASecondRunOrFailsWithTheFileError) {
    book.folders.tempFolder = dir.path() + "state/temp/";
    book.folders.opsFolder.clear();
    book.outputFolder = dir.path() + "out/new/books/";
    book.folders.libFolder = ProgramFolder() + "lib/";
    PrepareContainer(book);
    EXPECT_TRUE(fs::is_directory(book.folders.opsFolder) && fs::is_directory(book.outputFolder));
    const std::string& temp = book.folders.tempFolder;
    EXPECT_EQ(ReadTextFile(temp + "mimetype"), "application/epub+zip");
    EXPECT_TRUE(Has(ReadTextFile(temp + "META-INF/container.xml"), "path=\"OPS/content.opf\""));

    dir.Write("state/temp/OPS/a.htm", "chapter");
    book.folders.libFolder = dir.path() + "lib/";
    dir.Write("lib/mimetype", "second");
    EXPECT_THROW(PrepareContainer(book), std::system_error);  // container.xml is missing
    dir.Write("lib/META-INF/container.xml", "<second/>");
    PrepareContainer(book);
    EXPECT_EQ(ReadTextFile(temp + "mimetype") + ReadTextFile(temp + "META-INF/container.xml"),
              "second<second/>");
    EXPECT_EQ(Ops("a.htm"), "chapter");
    book.outputFolder = dir.Write("blocker", "a file") + "/out/";
    EXPECT_THROW(PrepareContainer(book), std::system_error);
}

}  // namespace
}  // namespace quillery::testing
