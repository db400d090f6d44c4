// Documents that are not what they claim: a clear message, and nothing written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "docx_builder.h"
#include "required_tool.h"
#include "temp_dir.h"
#include "text/file_utils.h"
#include "text/text_file.h"
#include "wordimport/docx_archive.h"
#include "wordimport/docx_converter.h"
#include "wordimport/legacy_conversion.h"
#include "wordimport/word_import.h"

namespace quillery {
namespace {

using testing::DocxBuilder;
using testing::TempDir;

TEST(BrokenDocument, GivesAClearMessageAndWritesNothing) {
    TempDir dir;
    DocxBuilder builder;
    builder.body = DocxBuilder::Paragraph("Some words here");
    builder.Write(dir.path() + "valid.docx");
    const std::string valid = ReadTextFile(dir.path() + "valid.docx");
    dir.Write("text.docx", "Just some text, not a zip.");
    dir.Write("empty.docx", "");
    dir.Write("truncated.docx", valid.substr(0, valid.size() / 2));
    testing::WriteZip(dir.path() + "nodocument.docx", {{"hello.txt", "hi"}});
    testing::WriteZip(dir.path() + "notxml.docx", {{"word/document.xml", "<w:document><w:p>"}});
    testing::WriteZip(dir.path() + "nested.docx",
                      {{"word/document.docx", valid}, {"nested.zip", valid}});
    const std::pair<const char*, const char*> cases[] = {
        // file, a part of the message
        {"text.docx", "is not a Word document"},      {"empty.docx", "is not a Word document"},
        {"missing.docx", "is not a Word document"},   {"nodocument.docx", "word/document.xml"},
        {"truncated.docx", "is not a Word document"}, {"notxml.docx", "not well-formed XML"},
        {"nested.docx", "word/document.xml"}};
    const std::string doctmp = dir.path() + "doctmp/";
    std::filesystem::create_directories(doctmp);
    SilentUiPort ui;
    ImportProgress progress(ui);
    for (const auto& [file, message] : cases) {
        const WordImportFiles result = ImportWordDocumentFiles(
            dir.path() + file, doctmp, dir.path() + "state/", WordImportOptions{}, progress);
        EXPECT_FALSE(result.imported) << file;
        EXPECT_NE(result.error.find(message), std::string::npos) << file << ": " << result.error;
        EXPECT_TRUE(std::filesystem::is_empty(doctmp)) << file;
    }
}

TEST(BrokenDocument, APartThatUnpacksBeyondTheCapIsRefused) {
    TempDir dir;
    DocxBuilder builder;
    // 4 MB of one letter compresses to a few kilobytes: a small file that unpacks big.
    builder.body = DocxBuilder::Paragraph(std::string(4 << 20, 'a'));
    builder.Write(dir.path() + "bomb.docx");
    DocxConversionOptions options;
    options.limits.maxPartBytes = 1 << 20;
    try {
        RenderDocx(dir.path() + "bomb.docx", "bomb", options);
        FAIL() << "no error";
    } catch (const DocxError& error) {
        EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos);
    }
    options.limits.maxPartBytes = 64 << 20;
    options.limits.maxTotalBytes = 2 << 20;
    EXPECT_THROW(RenderDocx(dir.path() + "bomb.docx", "bomb", options), DocxError);
}

// A .doc without the OLE signature is refused before LibreOffice runs; without LibreOffice the
// message names the package; a "LibreOffice" that exits 0 and writes nothing has failed.
TEST(LegacyDocuments, ConversionsThatCannotWorkAreRefusedWithTheirMessage) {
    const struct {
        const char *name, *content, *soffice;
        std::string message;
    } cases[] = {
        {"fake.doc", "PK\x03\x04 this is not a .doc", "/nonexistent/soffice",
         std::string(kNotWordDocMessage)},
        {"a.rtf", "{\\rtf1 Hello}", "", "libreoffice-writer-nogui"},
        {"a.rtf", "{\\rtf1 Hello}", "/bin/true", std::string(kLegacyConversionFailedMessage)},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const LegacyConversion result =
            ConvertToDocx(dir.Write(c.name, c.content), dir.path(), dir.path(), c.soffice);
        EXPECT_TRUE(result.docxPath.empty()) << c.message;
        EXPECT_NE(result.error.find(c.message), std::string::npos) << result.error;
    }
}

TEST(BrokenDocument, DocumentTextCutAnywhereGivesAMessageNeverACrash) {
    TempDir dir;
    DocxBuilder builder;
    builder.body = DocxBuilder::Paragraph("Title", "berschrift1") +
                   "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr>"
                   "</w:pPr><w:r><w:rPr><w:b/></w:rPr><w:t>item</w:t></w:r></w:p>" +
                   "<w:tbl><w:tr><w:tc><w:p><w:r><w:t>cell</w:t></w:r></w:p></w:tc></w:tr></w:tbl>";
    builder.Write(dir.path() + "whole.docx");
    // The document part of a valid package, cut at every tenth byte, in a package of its own.
    int refused = 0;
    const std::string whole = [&] {
        DocxArchive archive(dir.path() + "whole.docx");
        return *archive.Read("word/document.xml");
    }();
    for (std::size_t cut = 0; cut < whole.size(); cut += 10) {
        testing::WriteZip(dir.path() + "cut.docx", {{"word/document.xml", whole.substr(0, cut)}});
        try {
            RenderDocx(dir.path() + "cut.docx", "cut", {});
        } catch (const DocxError& error) {
            EXPECT_FALSE(std::string(error.what()).empty());
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
    // Whole, the document text alone (no styles, numbering or relationships) is converted.
    testing::WriteZip(dir.path() + "bare.docx", {{"word/document.xml", whole}});
    const std::string html = RenderDocx(dir.path() + "bare.docx", "bare", {}).html;
    EXPECT_NE(html.find("<div class=WordSection1>\r\n\r\n<p class=MsoNormal>Title</p>"),
              std::string::npos)
        << html;
}

TEST(BrokenDocument, CorruptedBytesGiveAMessageOrADocumentNeverACrash) {
    TempDir dir;
    DocxBuilder builder;
    builder.body =
        DocxBuilder::Paragraph("Heading", "berschrift1") +
        DocxBuilder::Paragraph("Some text in a paragraph.") + DocxBuilder::SectionBreak() +
        "<w:p>" + DocxBuilder::Picture(builder.AddMedia("a.png", testing::SmallPng()), 9144, 9144) +
        "</w:p>";
    builder.Write(dir.path() + "good.docx");
    const std::string good = ReadTextFile(dir.path() + "good.docx");
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bad = good;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            bad[next() % bad.size()] = static_cast<char>(next() & 0xFF);
        WriteTextFile(dir.path() + "bad.docx", bad);
        try {
            const WordHtmlDocument document = RenderDocx(dir.path() + "bad.docx", "bad", {});
            EXPECT_FALSE(document.html.empty());
        } catch (const DocxError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 250);  // a flipped byte almost always breaks a checksum or the XML
}

}  // namespace
}  // namespace quillery
