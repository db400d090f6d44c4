// A book with a marked contents chapter, a title page without cover and an "&" in a file name,
// zipped as an ePub file, passes epubcheck without errors or warnings.

#include "chapters.h"
#include "package/container.h"
#include "package/cover_pages.h"
#include "package/opf_writer.h"
#include "package/toc_writer.h"
#include "package_fixture.h"
#include "project/command_runner.h"
#include "required_tool.h"

namespace quillery::testing {
namespace {

const std::string kEpubcheckJar = "/usr/share/java/epubcheck.jar";

const std::string kXhtml =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"
    "<head><title>T</title></head><body>";

TEST_F(PackageTest, MarkedContentsChapterBookPassesEpubcheck) {
    QUILLERY_REQUIRE_TOOL(std::filesystem::exists(kEpubcheckJar), "epubcheck");
    book.folders.libFolder = ProgramFolder() + "lib/";
    book.outputFolder = dir.path() + "out/";
    book.chapters = ChaptersOf({"a&b.htm", "contents.htm"}, {"A &amp; B", "Contents"});
    book.tocMarked = true;
    book.tocFileName = "contents.htm";
    book.options.generateTitlePage = true;
    PrepareContainer(book);
    dir.Write("temp/OPS/a&b.htm", kXhtml + "<p>A &amp; B.</p></body></html>");
    dir.Write("temp/OPS/contents.htm",
              kXhtml + "<p><a href=\"a&amp;b.htm\">A</a></p></body></html>");
    WriteTitlePage(book);
    WriteTocFiles(book);
    WriteContentOpf(book, ResourceCollectors{});

    const std::string epub = ShellQuote(dir.path() + "book.epub");
    RunCommand("zip -X0 " + epub + " mimetype && zip -Xr9D " + epub + " META-INF OPS",
               book.folders.tempFolder);
    const std::string report = RunCommand("java -jar " + kEpubcheckJar + " " + epub, "/");
    EXPECT_TRUE(Has(report, "No errors or warnings detected"));
}

}  // namespace
}  // namespace quillery::testing
