// Stylesheet and picture manifest items: ids with gaps, log lines, copies into the OPS folder.

#include "package/manifest_items.h"

#include <filesystem>
#include <system_error>

#include "package_fixture.h"

namespace quillery::testing {
namespace {

using ManifestItemsTest = PackageTest;

std::string Css(const std::string& id, const std::string& href) {
    return "\t\t<item id=\"" + id + "\" href=\"" + href + "\" media-type=\"text/css\" />\r\n";
}
std::string Img(const std::string& id, const std::string& href, const std::string& subtype) {
    return "\t<item id=\"" + id + "\" href=\"" + href + "\" media-type=\"image/" + subtype +
           "\" />\r\n\t";
}

TEST(ImageMediaSubtypeTest, ByLowerCaseExtension) {
    EXPECT_EQ(ImageMediaSubtype("a.jpg"), "jpeg");
    EXPECT_EQ(ImageMediaSubtype("PHOTO.JPE"), "jpeg");
    EXPECT_EQ(ImageMediaSubtype("x/y.Jpeg"), "jpeg");
    EXPECT_EQ(ImageMediaSubtype("p.PNG"), "png");
    EXPECT_EQ(ImageMediaSubtype("g.gif"), "gif");
    EXPECT_EQ(ImageMediaSubtype("v.svg"), "svg+xml");
    EXPECT_EQ(ImageMediaSubtype("b.bmp"), "bmp");
    EXPECT_EQ(ImageMediaSubtype("t.TIF"), "tiff");
    EXPECT_EQ(ImageMediaSubtype("t.tiff"), "tiff");
    EXPECT_EQ(ImageMediaSubtype("noext"), "");
    EXPECT_EQ(ImageMediaSubtype("dir.png/noext"), "");
}

TEST_F(ManifestItemsTest, MissingPictureIsLoggedAndLeavesAGap) {
    WriteSource("images/a.png", TinyPng());
    WriteSource("images/c.gif", TinyGif());
    book.images = {"images/a.png", "images/x.png", "images/c.gif"};

    EXPECT_EQ(ImageManifestItems(book),
              Img("img0", "images/a.png", "png") + Img("img2", "images/c.gif", "gif"));
    EXPECT_EQ(book.log, "images/x.pngdoes not exist\r\n");
    EXPECT_EQ(Ops("images/a.png"), TinyPng());
    EXPECT_EQ(Ops("images/c.gif"), TinyGif());
    EXPECT_FALSE(OpsHas("images/x.png"));
}

TEST_F(ManifestItemsTest, PictureWithABlankIsCopiedIntoANewSubfolder) {
    WriteSource("images/pic 1.png", TinyPng());
    book.images = {"images/pic 1.png"};
    // The file keeps its name; the href, a URI, carries the blank percent-encoded.
    EXPECT_EQ(ImageManifestItems(book), Img("img0", "images/pic%201.png", "png"));
    EXPECT_EQ(Ops("images/pic 1.png"), TinyPng());
}

TEST_F(ManifestItemsTest, CopyOverwritesAnOlderPicture) {
    WriteSource("a.gif", TinyGif());
    WriteOps("a.gif", "old");
    book.images = {"a.gif"};
    ImageManifestItems(book);
    EXPECT_EQ(Ops("a.gif"), TinyGif());
}

TEST_F(ManifestItemsTest, CoverPictureComesFirst) {
    WriteSource("a.gif", TinyGif());
    book.coverPath = dir.path() + "pics/My Cover.JPG";
    book.images = {"a.gif"};
    EXPECT_EQ(ImageManifestItems(book),
              Img("coverPic", "My%20Cover.JPG", "jpeg") + Img("img0", "a.gif", "gif"));
}

TEST_F(ManifestItemsTest, AmpersandInAPictureNameIsEscaped) {
    WriteSource("R&D.png", TinyPng());
    book.images = {"R&D.png"};
    EXPECT_EQ(ImageManifestItems(book), Img("img0", "R&amp;D.png", "png"));
    EXPECT_EQ(Ops("R&D.png"), TinyPng());
}

TEST_F(ManifestItemsTest, StylesheetsWithGapsAndTheReplacementFirst) {
    WriteSource("css/book.css", "p{}");
    WriteSource("extra.css", "h1{}");
    book.replacementStylesheet = dir.path() + "styles/new.css";
    book.stylesheets = {"css/book.css", "gone/missing.css", "extra.css"};

    EXPECT_EQ(StylesheetManifestItems(book),
              Css("style", "new.css") + Css("css0", "css/book.css") + Css("css2", "extra.css"));
    EXPECT_EQ(book.log, "gone/missing.cssdoes not exist, give up\r\n");
    // The folder is made ready for the stylesheet pass, which writes the file itself.
    EXPECT_TRUE(std::filesystem::is_directory(book.folders.opsFolder + "css"));
    EXPECT_FALSE(std::filesystem::exists(book.folders.opsFolder + "gone"));
    EXPECT_FALSE(OpsHas("css/book.css"));
}

TEST_F(ManifestItemsTest, InsertionsGoBeforeTheManifestEndOnlyWhenThereIsSomething) {
    std::string opf = "<manifest>\r\n</manifest><manifest></manifest>";
    InsertStylesheetItems(book, opf);
    InsertImageItems(book, opf);
    EXPECT_EQ(opf, "<manifest>\r\n</manifest><manifest></manifest>");

    WriteSource("s.css", "");
    WriteSource("i.png", TinyPng());
    book.stylesheets = {"s.css"};
    book.images = {"i.png"};
    InsertStylesheetItems(book, opf);
    InsertImageItems(book, opf);
    EXPECT_EQ(opf, "<manifest>\r\n" + Css("css0", "s.css") + Img("img0", "i.png", "png") +
                       "</manifest><manifest></manifest>");
}

TEST_F(ManifestItemsTest, FailingCopyThrows) {
    WriteSource("i.png", TinyPng());
    WriteOps("i.png/blocker", "a folder where the picture should go");
    book.images = {"i.png"};
    EXPECT_THROW(ImageManifestItems(book), std::system_error);
}

}  // namespace
}  // namespace quillery::testing
