// Packages made by the writers, zipped as ePub files, pass epubcheck without errors.

#include <filesystem>

#include "package/container.h"
#include "package/cover_pages.h"
#include "package/opf_writer.h"
#include "package/toc_writer.h"
#include "package_fixture.h"
#include "project/command_runner.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

const char* const kEpubcheckJar = "/usr/share/java/epubcheck.jar";

std::string Chapter(const std::string& title, const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
           "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
           "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">\r\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n<head>\r\n<title>" +
           title +
           "</title>\r\n"
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"css/book.css\" "
           "/>\r\n</head>\r\n<body>\r\n" +
           body + "\r\n</body>\r\n</html>\r\n";
}

class EpubcheckTest : public PackageTest {
protected:
    EpubcheckTest() {
        UseInstalledTemplates();
        book.folders.tempFolder = dir.path() + "temp/";
        book.outputFolder = dir.path() + "out/";
        book.metadata.title = "Tom &amp; Jerry \xE2\x80\x94 Stories";
        book.metadata.creator = "Ann Author";
        book.metadata.subject = "Fiction";
        book.metadata.uid = "urn:uuid:0f5c3f52-7f3a-4b5e-9d6a-0123456789ab";
        book.metadata.lang = "en";
        book.metadata.description = "Three &lt;short&gt; stories.";
        book.tocTitle = "Contents";
        WriteSource("css/book.css", "p { margin: 0; }\r\n");
        WriteSource("images/a.png", TinyPng());
        WriteSource("images/b.gif", TinyGif());
    }

    // The make's package steps in their order, with the chapters copied as they are.
    void MakePackage() {
        PrepareContainer(book);
        for (std::size_t i = 0; i < book.files.size(); ++i) {
            fs::copy_file(book.sourceFolder + book.files[i], book.folders.opsFolder + book.files[i],
                          fs::copy_options::overwrite_existing);
        }
        CopyCoverPicture(book);
        WriteCoverPage(book);
        WriteTitlePage(book);
        WriteTocFiles(book);
        WriteContentOpf(book);  // with the web-page import's collectors
        fs::copy_file(book.sourceFolder + "css/book.css", book.folders.opsFolder + "css/book.css",
                      fs::copy_options::overwrite_existing);  // the stylesheet pass writes it
    }

    // Zips the container (mimetype first, stored) and gives epubcheck's report on it.
    std::string ZipAndCheck() {
        const std::string epub = dir.path() + "book.epub";
        const std::string zip =
            RunCommand("zip -X0 " + ShellQuote(epub) + " mimetype && zip -Xr9D " +
                           ShellQuote(epub) + " META-INF OPS",
                       book.folders.tempFolder);
        EXPECT_TRUE(fs::is_regular_file(epub)) << zip;
        return RunCommand("java -jar " + ShellQuote(kEpubcheckJar) + " " + ShellQuote(epub), "/");
    }

    void ExpectValid() {
        const std::string report = ZipAndCheck();
        EXPECT_NE(report.find("No errors or warnings detected"), std::string::npos) << report;
        EXPECT_EQ(report.find("ERROR"), std::string::npos) << report;
        EXPECT_EQ(report.find("FATAL"), std::string::npos) << report;
    }

    void SetUp() override {
        if (!fs::exists(kEpubcheckJar)) GTEST_SKIP() << "epubcheck is not installed";
        const std::string tools = RunCommand("command -v java; command -v zip", "/");
        if (tools.find("/java") == std::string::npos || tools.find("/zip") == std::string::npos) {
            GTEST_SKIP() << "java or zip is not installed";
        }
    }
};

TEST_F(EpubcheckTest, BookWithCoverTitlePageImagesAndGeneratedContents) {
    book.files = {"one.htm", "two&three.htm", "four.htm"};
    book.titles = {"One", "Two &amp; Three", "&lt;Four&gt;"};
    WriteSource("one.htm",
                Chapter("One", "<h1>One</h1>\r\n<p><img src=\"images/a.png\" alt=\"a\" /></p>"));
    WriteSource("two&three.htm", Chapter("Two", "<h1>Two &amp; Three</h1>\r\n<p>Text.</p>"));
    WriteSource("four.htm",
                Chapter("Four", "<h1>Four</h1>\r\n<p><img src=\"images/b.gif\" alt=\"b\" /></p>"));
    book.coverPath = dir.Write("pictures/cover.png", TinyPng());
    book.options.generateTitlePage = true;
    book.tocPosition = 2;
    MakePackage();

    EXPECT_TRUE(OpsHas("toc.htm"));
    EXPECT_EQ(book.log, "Making TOC\r\n");
    EXPECT_EQ(book.images, (std::vector<std::string>{"images/a.png", "images/b.gif"}));
    EXPECT_EQ(book.stylesheets, std::vector<std::string>{"css/book.css"});
    ExpectValid();
}

TEST_F(EpubcheckTest, BookWithAMarkedContentsChapter) {
    book.files = {"a.htm", "contents.htm", "b.htm"};
    book.titles = {"A", "Contents", "B"};
    WriteSource("a.htm", Chapter("A", "<p>A.</p>"));
    WriteSource(
        "contents.htm",
        Chapter("Contents", "<p><a href=\"a.htm\">A</a></p><p><a href=\"b.htm\">B</a></p>"));
    WriteSource("b.htm", Chapter("B", "<p>B.</p>"));
    book.tocMarked = true;
    book.tocFileName = "contents.htm";
    book.tocPosition = 1;
    MakePackage();

    EXPECT_FALSE(OpsHas("toc.htm"));
    EXPECT_NE(Ops("content.opf").find("href=\"contents.htm\"/>"), std::string::npos);
    ExpectValid();
}

}  // namespace
}  // namespace quillery::testing
