// The cover page and the title page.

#include <system_error>

#include "package/cover_pages.h"
#include "package_fixture.h"

namespace quillery::testing {
namespace {

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

}  // namespace
}  // namespace quillery::testing
