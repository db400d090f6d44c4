// Stylesheet and picture manifest items: ids with gaps, log lines, copies into the OPS
// folder.

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

}  // namespace
}  // namespace quillery::testing
