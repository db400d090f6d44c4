// A messy folder of web pages made into a book and read back by the readers of the field:
// mobitool must find every sentence, every picture and a target for every link in the MOBI,
// and epubcheck must find no missing resource or fragment (RSC-007, RSC-012), no bad
// manifest entry (OPF-074) and no fatal error in the ePub or in the package zipped as one.
// The pages use what real pages use: names in another letter case, encoded names, files
// outside their folder, @import, url() pictures in stylesheets, <style> blocks and style
// attributes, BMP, TIFF and WebP pictures; upper-case tags and unquoted values, but every
// element closed, so that the package's pages are well-formed once the make has normalised
// them. Slow: in the "readers" label.

#include <gd.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "project/command_runner.h"
#include "required_tool.h"
#include "run_quillery.h"
#include "test_pictures.h"
#include "text/file_utils.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

// A small picture of one colour, in any format GD writes.
std::string Picture(const std::string& format, int red) {
    gdImagePtr image = gdImageCreateTrueColor(8, 6);
    gdImageFilledRectangle(image, 0, 0, 7, 5, gdTrueColor(red, 40, 200));
    return mobi::testing::EncodeAndDestroy(image, format);
}

const char* const kSentences[] = {"The harbour lights were low.", "Second chapter words here.",
                                  "Shown without scripts.", "A plain page with no stylesheet.",
                                  "Back to the start."};

// Codes of messages that a make must never cause on pages that were well-formed.
std::vector<std::string> ForbiddenMessages(const std::string& report) {
    std::vector<std::string> found;
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        for (const char* code : {"RSC-007", "RSC-012", "OPF-074", "FATAL"})
            if (line.find(code) != std::string::npos) found.push_back(line);
    }
    return found;
}

std::string Epubcheck(const std::string& epub) {
    return RunCommand("java -jar " + ShellQuote(kEpubcheckJar) + " " + ShellQuote(epub), "/");
}

class WebPagesReaders : public ::testing::Test {
protected:
    void SetUp() override {
        QUILLERY_REQUIRE_TOOL(HaveTool("mobitool"), "mobitool");
        QUILLERY_REQUIRE_TOOL(fs::exists(kEpubcheckJar), "epubcheck");
        dir.Write(
            "src/index.htm",
            "<HTML><HEAD><TITLE>One</TITLE><LINK REL=stylesheet HREF=STYLE.CSS /></HEAD>\n"
            "<BODY><H1><A NAME=top></A>Chapter One</H1>\n"
            "<P CLASS=note STYLE=\"background:url(bg.bmp)\">The harbour lights were low.</P>\n"
            "<IMG SRC=Pics/Photo%201.JPG ALT=photo /><img src=\"../shared/logo.png\" alt=logo />\n"
            "<P>See <A HREF=\"chapter%202.htm#sec2\">part two</A>.</P></BODY></HTML>\n");
        dir.Write(
            "src/chapter 2.htm",
            "<html><head><title>Two</title><style>@import url(../shared/site.css);\n"
            "h2 { border-image: url(img/frame.gif) }</style></head>\n"
            "<body><h2><a name=\"sec2\"></a>Section two</h2><p>Second chapter words here.</p>\n"
            "<noscript>Shown without scripts.</noscript><script>var x = 1;</script>\n"
            "<img src=\"p.tif\" alt=tiff /><img src=\"x.webp\" alt=webp />\n"
            "<p><a href=\"index.htm#top\">Back to the start.</a></p></body></html>\n");
        dir.Write("src/plain.htm",
                  "<html><head><title>Plain</title></head><body><p>A plain page with no "
                  "stylesheet.</p></body></html>\n");
        dir.Write("src/style.css", "body { background: url(img/tile.gif) }\nh1 { color: navy }\n");
        dir.Write("src/pics/photo 1.jpg", Picture("jpeg", 10));
        dir.Write("src/bg.bmp", Picture("bmp", 30));
        dir.Write("src/p.tif", Picture("tiff", 50));
        dir.Write("src/x.webp", Picture("webp", 70));
        dir.Write("src/img/tile.gif", Picture("gif", 90));
        dir.Write("src/img/frame.gif", Picture("gif", 110));
        dir.Write("shared/logo.png", Picture("png", 130));
        dir.Write("shared/site.css", "@import \"more.css\";\nh2 { background: url(ribbon.png) }\n");
        dir.Write("shared/more.css", "p { margin: 0 }\n");
        dir.Write("shared/ribbon.png", Picture("png", 150));
        const QuilleryRun run = RunQuilleryProgram(
            dir.path(),
            {"make", "--indent", "2", "-o", dir.path() + "out/book.mobi", dir.path() + "src"});
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        log = run.out;
        ops = dir.path() + "state/temp/OPS/";
    }

    TempDir dir;
    std::string log;
    std::string ops;
};

TEST_F(WebPagesReaders, TheMobiHoldsEveryWordPictureAndLinkTarget) {
    const std::string dump = dir.path() + "dump/";
    fs::create_directories(dump);
    RunCommand(
        "mobitool -s -o " + ShellQuote(dump) + " " + ShellQuote(dir.path() + "out/book.mobi"), "/");
    std::string markup;
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dump)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".html") markup += ReadTextFile(entry.path().string());
        if (ext == ".jpg" || ext == ".png" || ext == ".gif") ++pictures;
    }
    ASSERT_FALSE(markup.empty()) << "mobitool dumped no text";
    for (const char* sentence : kSentences)
        EXPECT_NE(markup.find(sentence), std::string::npos) << sentence;
    // The pictures the chapters show: the photo, the logo from outside the folder, and the TIFF
    // and WebP pictures converted to PNG.
    EXPECT_EQ(pictures, 4) << log;
    int links = 0;
    const std::regex link(R"(href="#([^"]+)\")");
    for (std::sregex_iterator it(markup.begin(), markup.end(), link), end; it != end; ++it) {
        ++links;
        EXPECT_NE(markup.find("id=\"" + (*it)[1].str() + "\""), std::string::npos) << (*it)[0];
    }
    EXPECT_GE(links, 2);
}

TEST_F(WebPagesReaders, ThePackageLinksOnlyItsOwnFiles) {
    for (const char* file : {"logo.png", "site.css", "more.css", "ribbon.png", "bg.png", "p.png",
                             "x.png", "img/tile.gif", "img/frame.gif", "style-2.css"})
        EXPECT_TRUE(FileExists(ops + file)) << file << "\n" << log;
    EXPECT_NE(ReadTextFile(ops + "plain.htm").find("href=\"style-2.css\""), std::string::npos);
    EXPECT_NE(ReadTextFile(ops + "style-2.css").find("p{text-indent:2em;}"), std::string::npos);
    for (const char* chapter : {"index.htm", "chapter 2.htm", "plain.htm"})
        EXPECT_EQ(ReadTextFile(ops + chapter).find("../"), std::string::npos) << chapter;
}

TEST_F(WebPagesReaders, EpubcheckFindsNoMissingResourceFragmentOrFatalError) {
    const std::string epubReport = Epubcheck(dir.path() + "out/book.epub");
    EXPECT_NE(epubReport.find("Messages:"), std::string::npos) << epubReport;
    EXPECT_EQ(ForbiddenMessages(epubReport), std::vector<std::string>()) << epubReport;
    // The package itself, zipped as an EPUB as the make laid it out.
    const std::string temp = dir.path() + "state/temp/";
    const std::string zipped = dir.path() + "package.epub";
    RunCommand("cd " + ShellQuote(temp) + " && zip -qX0 " + ShellQuote(zipped) +
                   " mimetype && zip -qrX " + ShellQuote(zipped) + " META-INF OPS -x '*.mobi'",
               "/");
    ASSERT_TRUE(FileExists(zipped));
    const std::string packageReport = Epubcheck(zipped);
    EXPECT_NE(packageReport.find("Messages:"), std::string::npos) << packageReport;
    EXPECT_EQ(ForbiddenMessages(packageReport), std::vector<std::string>()) << packageReport;
}

TEST_F(WebPagesReaders, CalibreReadsEverySentence) {
    QUILLERY_REQUIRE_TOOL(HaveTool("ebook-convert"), "calibre");
    const std::string txt = dir.path() + "book.txt";
    RunCommand("ebook-convert " + ShellQuote(dir.path() + "out/book.mobi") + " " + ShellQuote(txt) +
                   " >/dev/null 2>&1",
               "/");
    const std::string text = ReadTextFile(txt);
    ASSERT_FALSE(text.empty());
    for (const char* sentence : kSentences)
        EXPECT_NE(text.find(sentence), std::string::npos) << sentence;
}

}  // namespace
}  // namespace quillery::testing
