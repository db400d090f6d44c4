// A whole document through the import's file work: converted, cleaned and split; the
// chapters hold the document's words (pandoc's plain text of the same .docx is the
// independent count), sections become s_N.htm and pictures land in imgs/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <sstream>

#include "docx_builder.h"
#include "required_tool.h"
#include "temp_dir.h"
#include "text/file_utils.h"
#include "text/regex.h"
#include "text/text_file.h"
#include "wordimport/legacy_conversion.h"
#include "wordimport/word_import.h"

namespace quillery {
namespace {

using testing::DocxBuilder;
using testing::TempDir;

// The runs of ASCII letters of a text, sorted: entities and markup are not words.
std::vector<std::string> Words(std::string text) {
    RegexDelete(text, "&[a-z]+;|&#[0-9]+;");
    RegexReplace(text, "[^A-Za-z]+", " ");
    std::istringstream stream(text);
    std::vector<std::string> words{std::istream_iterator<std::string>(stream), {}};
    std::sort(words.begin(), words.end());
    return words;
}

std::string BodyText(const std::string& page) {
    std::string body = page.substr(page.find("<body>"));
    RegexReplace(body, "<[^>]*>", " ");
    return body;
}

std::string PandocPlain(const std::string& docx) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        popen(("pandoc -s -t plain --wrap=none '" + docx + "' 2>/dev/null").c_str(), "r"), pclose);
    std::string out;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
    return out;
}

DocxBuilder SampleDocument() {
    DocxBuilder b;
    b.numbering =
        "<w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"bullet\"/>"
        "<w:lvlText w:val=\"\xEF\x82\xA7\"/><w:rPr><w:rFonts "
        "w:ascii=\"Wingdings\"/></w:rPr></w:lvl>"
        "</w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>";
    b.footnotes =
        "<w:footnote w:id=\"1\"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t xml:space="
        "\"preserve\"> Harbour notes were kept daily.</w:t></w:r></w:p></w:footnote>";
    const std::string picture = b.AddMedia("image1.png", testing::SmallPng());
    auto item = [](const std::string& text) {
        return "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr></w:pPr>"
               "<w:r><w:t>" +
               text + "</w:t></w:r></w:p>";
    };
    b.body =
        DocxBuilder::Paragraph("The Harbour Book", "Title") +
        "<w:p><w:bookmarkStart w:id=\"0\" w:name=\"toc\"/><w:r><w:t>Contents page</w:t></w:r>"
        "</w:p>" +
        DocxBuilder::SectionBreak() + DocxBuilder::Paragraph("Arrival", "berschrift1") +
        "<w:p><w:r><w:t xml:space=\"preserve\">The ferry came in at dawn </w:t></w:r><w:r>"
        "<w:rPr><w:b/></w:rPr><w:t>slowly</w:t></w:r><w:r><w:footnoteReference w:id=\"1\"/>"
        "</w:r></w:p>" +
        item("nets") + item("ropes and buoys") + "<w:p>" +
        DocxBuilder::Picture(picture, 914400, 914400, "").substr(0) + "</w:p>" +
        DocxBuilder::SectionBreak() + DocxBuilder::Paragraph("Old Town", "berschrift1") +
        "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/></w:tblPr><w:tblGrid><w:gridCol "
        "w:w=\"4000\"/><w:gridCol w:w=\"4000\"/></w:tblGrid><w:tr><w:tc><w:p><w:r>"
        "<w:t>Bakery</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>Market square</w:t></w:r>"
        "</w:p></w:tc></w:tr></w:tbl>" +
        DocxBuilder::Paragraph("Streets wind uphill past the chapel.") +
        "<w:p><w:hyperlink r:id=\"" + b.AddLink("https://example.org/harbour") +
        "\"><w:r><w:t>Harbour office</w:t></w:r></w:hyperlink></w:p><w:p>" +
        DocxBuilder::Picture(b.AddMedia("image2.png", testing::SmallPng()), 457200, 457200, "") +
        "</w:p>";
    return b;
}

WordImportFiles Import(const std::string& document, const std::string& folder,
                       WordImportOptions options = {}) {
    SilentUiPort ui;
    ImportProgress progress(ui);
    return ImportWordDocumentFiles(document, folder + "doctmp/", folder + "state/", options,
                                   progress);
}

// The document imported, and the Word HTML the converter writes for it imported again: the
// user's HTML file is copied, not changed.
TEST(WordImportEndToEnd, ChaptersHoldTheDocumentsWordsSplitAtSections) {
    TempDir dir;
    const std::string docx = dir.path() + "Harbour Book.docx";
    SampleDocument().Write(docx);
    const WordImportFiles result = Import(docx, dir.path());
    ASSERT_TRUE(result.imported) << result.error;
    EXPECT_EQ(result.chapters.files, (std::vector<std::string>{"s_1.htm", "s_2.htm", "s_3.htm"}));
    EXPECT_EQ(result.chapters.tocChapter, "s_1.htm");
    EXPECT_EQ(result.chapters.tocPosition, 1);
    EXPECT_EQ(result.log, (std::vector<std::string>{"Word file imported successfully.",
                                                    "Word HTML split successfully."}));
    EXPECT_FALSE(FileExists(dir.path() + "doctmp/Harbour Book.html"));
    EXPECT_TRUE(FileExists(dir.path() + "doctmp/imgs/image001.gif"));
    EXPECT_TRUE(FileExists(dir.path() + "doctmp/imgs/image002.gif"));
    EXPECT_FALSE(FolderExists(dir.path() + "doctmp/Harbour Book_files"));

    std::string chapters;
    for (const std::string& file : result.chapters.files)
        chapters += BodyText(ReadTextFile(dir.path() + "doctmp/" + file)) + " ";
    const std::string s2 = ReadTextFile(dir.path() + "doctmp/s_2.htm");
    const std::string s3 = ReadTextFile(dir.path() + "doctmp/s_3.htm");
    EXPECT_NE(s2.find("src=\"imgs/image001.gif\""), std::string::npos);
    EXPECT_NE(s2.find("&bull;"), std::string::npos);
    EXPECT_NE(s2.find("href=\"s_3.htm#_ftn1\" name=\"_ftnref1\""), std::string::npos) << s2;
    EXPECT_NE(s2.find("<h1>Arrival</h1>"), std::string::npos);
    EXPECT_NE(s3.find("href=\"https://example.org/harbour\""), std::string::npos);
    // The note follows the last section's text and links back to its reference.
    const std::size_t backLink = s3.find("href=\"s_2.htm#_ftnref1\" name=\"_ftn1\"");
    EXPECT_NE(backLink, std::string::npos) << s3;
    EXPECT_GT(backLink, s3.find("chapel."));

    const std::string plain = PandocPlain(docx);
    QUILLERY_REQUIRE_TOOL(!plain.empty(), "pandoc");
    EXPECT_EQ(Words(chapters), Words(plain)) << chapters << "\n----\n" << plain;

    std::filesystem::create_directories(dir.path() + "src");
    ConvertDocxToWordHtml(docx, dir.path() + "src/Saved.htm", {});
    SilentUiPort ui;
    ImportProgress progress(ui);
    const WordImportFiles html =
        ImportWordHtmlFiles(dir.path() + "src/Saved.htm", dir.path() + "html/", {}, progress);
    EXPECT_EQ(html.chapters.files.size(), 3u);
    EXPECT_TRUE(FileExists(dir.path() + "html/imgs/image001.gif"));
    EXPECT_TRUE(FileExists(dir.path() + "src/Saved.htm"));
    EXPECT_EQ(html.log.front(), "Word HTML imported successfully.");
}

TEST(WordImportEndToEnd, SplitOffGivesOneChapterWithItsPicturesAndStylesheet) {
    TempDir dir;
    const std::string docx = dir.path() + "Harbour Book.docx";
    DocxBuilder document = SampleDocument();
    document.title = "Sea & Sky";
    document.author = "Ann \xC3\x89lise";
    document.comments = "A note";
    document.Write(docx);
    const WordImportFiles result =
        Import(docx, dir.path(), {.picturesAsPng = true, .split = false});
    ASSERT_EQ(result.chapters.files, std::vector<std::string>{"Harbour Book.html"});
    const std::string page = ReadTextFile(dir.path() + "doctmp/Harbour Book.html");
    EXPECT_NE(page.find("src=\"imgs/image002.png\""), std::string::npos);
    // The outer division goes, the contents stay.
    EXPECT_EQ(page.find("<div class=WordSection1>"), std::string::npos) << page;
    EXPECT_LT(page.find("Contents page"), page.find("Harbour office"));
    EXPECT_FALSE(result.chapters.tocPositionSet);
    EXPECT_NE(page.find("href=\"style.css\""), std::string::npos);
    EXPECT_TRUE(FileExists(dir.path() + "doctmp/style.css"));
    EXPECT_EQ(result.properties.title, "Sea & Sky");  // from the core properties
    EXPECT_EQ(result.properties.author, "Ann \xC3\x89lise");
    EXPECT_EQ(result.properties.comments, "A note");
}

TEST(WordImportEndToEnd, FailuresComeBackAsMessages) {
    TempDir dir;
    SilentUiPort ui;
    ImportProgress progress(ui);
    // A Word HTML file whose generator version is not a number.
    const std::string odd =
        dir.Write("odd.htm",
                  "<html><head><meta name=Generator content=\"Microsoft Word nine\"></head>"
                  "<body><div class=WordSection1><p>x</p></div></body></html>");
    WordImportFiles result = ImportWordHtmlFiles(odd, dir.path() + "html/", {}, progress);
    EXPECT_FALSE(result.imported);
    EXPECT_NE(result.error.find("nine"), std::string::npos);
    // A doctmp path that is a file.
    SampleDocument().Write(dir.path() + "a.docx");
    dir.Write("doctmp", "a file, not a folder");
    result = Import(dir.path() + "a.docx", dir.path());
    EXPECT_FALSE(result.imported);
    EXPECT_NE(result.error.find("cannot be written"), std::string::npos);
}

// The example book, and (with LibreOffice) the same book saved as a .doc and an .rtf story,
// which are converted to .docx first and leave no intermediate behind.
TEST(WordExampleBook, ImportsAsDocxAndAsDocWithItsSectionsPicturesAndTocChapter) {
    TempDir dir;
    const std::string example = dir.path() + "port-merel.docx";
    std::filesystem::copy_file(testing::ProgramFolder() + "examples/port-merel.docx", example);
    const auto expectBook = [&](const std::string& document, const std::string& folder) {
        const WordImportFiles result = Import(document, folder);
        EXPECT_TRUE(result.imported) << result.error;
        EXPECT_EQ(result.chapters.files.size(), 4u);
        EXPECT_TRUE(FileExists(folder + "doctmp/imgs/image001.gif"));
        EXPECT_TRUE(FileExists(folder + "doctmp/imgs/image002.jpg"));
        EXPECT_FALSE(FileExists(folder + "doctmp/port-merel.docx"));
        EXPECT_EQ(result.properties.title, "A Weekend in Port M\xC3\xA9rel");
    };
    expectBook(example, dir.path() + "docx/");
    const std::string last = ReadTextFile(dir.path() + "docx/doctmp/s_4.htm");
    EXPECT_NE(last.find("<h1><a name=\"lighthouse\"></a>The Lighthouse</h1>"), std::string::npos)
        << last;
    EXPECT_NE(ReadTextFile(dir.path() + "docx/doctmp/s_1.htm").find("href=\"s_4.htm#lighthouse\""),
              std::string::npos);

    const std::string soffice = FindLibreOffice();
    QUILLERY_REQUIRE_TOOL(!soffice.empty(), "LibreOffice");
    std::system((soffice + " --headless -env:UserInstallation=file://" + dir.path() +
                 "profile --convert-to doc --outdir " + dir.path() + " " + example +
                 " >/dev/null 2>&1")
                    .c_str());
    ASSERT_TRUE(FileExists(dir.path() + "port-merel.doc"));
    expectBook(dir.path() + "port-merel.doc", dir.path() + "doc/");
    const std::string rtf = dir.Write("story.rtf", "{\\rtf1\\ansi Once upon a time.\\par}");
    ASSERT_TRUE(Import(rtf, dir.path() + "rtf/").imported);
    EXPECT_NE(ReadTextFile(dir.path() + "rtf/doctmp/s_1.htm").find("Once upon a time."),
              std::string::npos);
}

}  // namespace
}  // namespace quillery
