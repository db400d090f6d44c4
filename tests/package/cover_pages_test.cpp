// The cover page and the title page.

#include "package/cover_pages.h"

#include <filesystem>
#include <system_error>

#include "package_fixture.h"

namespace quillery::testing {
namespace {

using CoverPagesTest = PackageTest;

TEST_F(CoverPagesTest, CoverPageHoldsThePictureBeforeTheBodyEnd) {
    WriteLib("OPS/coverpage.htm", "<html><body>\r\n</body></html></body>");
    book.coverPath = dir.path() + "pics/front.jpg";
    EXPECT_TRUE(WriteCoverPage(book));
    EXPECT_EQ(Ops("coverpage.htm"),
              "<html><body>\r\n<div>\r\n<img src=\"front.jpg\" alt=\"Cover Image\" style=\"height: "
              "100%\"/>\r\n"
              "</div>\r\n</body></html></body>");
}

TEST_F(CoverPagesTest, NoCoverPictureNoCoverPage) {
    WriteLib("OPS/coverpage.htm", "<body></body>");
    EXPECT_FALSE(WriteCoverPage(book));
    EXPECT_FALSE(CopyCoverPicture(book));
    EXPECT_FALSE(OpsHas("coverpage.htm"));
}

TEST_F(CoverPagesTest, MissingCoverTemplateGivesTheBlockAlone) {
    book.coverPath = dir.path() + "c.png";
    WriteCoverPage(book);
    EXPECT_EQ(
        Ops("coverpage.htm"),
        "<div>\r\n<img src=\"c.png\" alt=\"Cover Image\" style=\"height: 100%\"/>\r\n</div>\r\n");
}

TEST_F(CoverPagesTest, CoverPictureIsCopiedUnderItsOwnName) {
    book.coverPath = dir.Write("pics/Front Cover.png", TinyPng());
    EXPECT_EQ(CoverPictureName(book), "Front Cover.png");
    EXPECT_TRUE(CopyCoverPicture(book));
    EXPECT_EQ(Ops("Front Cover.png"), TinyPng());
}

TEST_F(CoverPagesTest, MissingCoverPictureFailsTheCopy) {
    book.coverPath = dir.path() + "pics/none.png";
    EXPECT_THROW(CopyCoverPicture(book), std::system_error);
}

TEST_F(CoverPagesTest, TitlePageTakesTheStoredEscapedValues) {
    WriteLib("OPS/titlepage.htm",
             "<title>$$title$$</title><h1>$$title$$</h1><h2>$$author$$</h2><p>$$publisher$$</p>");
    book.options.generateTitlePage = true;
    book.metadata.title = "Tom &amp; Jerry";
    book.metadata.creator = "Anonymous Author";
    book.metadata.publisher = "Unknown publisher";
    EXPECT_TRUE(WriteTitlePage(book));
    EXPECT_EQ(Ops("titlepage.htm"),
              "<title>Tom &amp; Jerry</title><h1>Tom &amp; Jerry</h1>"
              "<h2>Anonymous Author</h2><p>Unknown publisher</p>");
}

TEST_F(CoverPagesTest, TitlePageOnlyWhenAsked) {
    WriteLib("OPS/titlepage.htm", "$$title$$");
    EXPECT_FALSE(WriteTitlePage(book));
    EXPECT_FALSE(OpsHas("titlepage.htm"));
}

TEST_F(CoverPagesTest, MissingTitleTemplateGivesAnEmptyPage) {
    book.options.generateTitlePage = true;
    EXPECT_TRUE(WriteTitlePage(book));
    EXPECT_TRUE(OpsHas("titlepage.htm"));
    EXPECT_EQ(Ops("titlepage.htm"), "");
}

}  // namespace
}  // namespace quillery::testing
