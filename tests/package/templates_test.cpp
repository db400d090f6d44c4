// The installed templates hold every placeholder and insertion point the writers fill.

#include <string>

#include "package_fixture.h"
#include "text/text_file.h"

namespace quillery::testing {
namespace {

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

std::string Installed(const std::string& relative) {
    return ReadTextFile(ProgramFolder() + relative);
}

TEST(InstalledTemplatesTest, PackageDocumentHasThePlaceholdersAndInsertionPoints) {
    const std::string opf = Installed("lib/OPS/content.opf");
    for (const char* placeholder : {"$$title$$", "$$creator$$", "$$date$$", "$$subject$$",
                                    "$$uid$$", "$$lang$$", "$$publisher$$", "$$description$$"}) {
        EXPECT_EQ(Count(opf, placeholder), 1) << placeholder;
    }
    for (const char* marker : {"</manifest>", "</spine>", "</guide>"})
        EXPECT_EQ(Count(opf, marker), 1) << marker;
    EXPECT_NE(opf.find("unique-identifier=\"BookId\""), std::string::npos);
    EXPECT_NE(opf.find("<dc:identifier id=\"BookId\">$$uid$$</dc:identifier>"), std::string::npos);
    EXPECT_NE(
        opf.find("<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\" />"),
        std::string::npos);
    EXPECT_NE(opf.find("<spine toc=\"ncx\">"), std::string::npos);
    EXPECT_NE(opf.find("<meta name=\"cover\" content=\"coverPic\" />"), std::string::npos);
}

TEST(InstalledTemplatesTest, NavigationTemplates) {
    const std::string ncx = Installed("lib/OPS/toc.ncx");
    EXPECT_EQ(Count(ncx, "</navMap>"), 1);
    EXPECT_GE(Count(ncx, "$$title$$"), 1);
    EXPECT_NE(ncx.find("<meta name=\"dtb:uid\" content=\"$$uid$$\" />"), std::string::npos);

    const std::string toc = Installed("ext/toc.tmp");
    EXPECT_GE(Count(toc, "$toctitle$"), 1);
    EXPECT_EQ(Count(toc, "<body>"), 1);
    EXPECT_EQ(Count(toc, "</body>"), 0) << "the writer closes the page";
}

TEST(InstalledTemplatesTest, PageTemplates) {
    const std::string cover = Installed("lib/OPS/coverpage.htm");
    EXPECT_EQ(Count(cover, "</body>"), 1);
    const std::string title = Installed("lib/OPS/titlepage.htm");
    for (const char* placeholder : {"$$title$$", "$$author$$", "$$publisher$$"}) {
        EXPECT_GE(Count(title, placeholder), 1) << placeholder;
    }
}

TEST(InstalledTemplatesTest, ContainerFiles) {
    EXPECT_EQ(Installed("lib/mimetype"), "application/epub+zip");
    EXPECT_NE(Installed("lib/META-INF/container.xml")
                  .find("<rootfile full-path=\"OPS/content.opf\" "
                        "media-type=\"application/oebps-package+xml\" />"),
              std::string::npos);
}

}  // namespace
}  // namespace quillery::testing
