// The Word imports as the window drives them: a document becomes a project of section pages
// in doctmp, with its properties and save panel; bad names, re-import of a web book and pages
// Word did not write are refused; the book made from it holds the document's words.

#include "workflow/word_document_import.h"

#include <gtest/gtest.h>

#include "docx_builder.h"
#include "mobi_reader.h"
#include "pipeline_fixture.h"

namespace quillery::testing {
namespace {

class WordImport : public PipelineTest {
protected:
    WordImport() {
        ApplyDefaultSettings(settings, book.folders);  // splitting, cleaning, titles on
        ShowSettingsInForm(settings, form);
        form.inKGenPath = ProgramFolder() + "opf2mobi";
        DocxBuilder doc;
        doc.title = "Harbour Days";
        doc.author = "Ann Writer";
        doc.comments = "A short book.";
        doc.body = DocxBuilder::Paragraph("Arrival", "berschrift1") +
                   DocxBuilder::Paragraph("The ferry docked at dawn.") +
                   DocxBuilder::SectionBreak() +
                   DocxBuilder::Paragraph("Departure", "berschrift1") +
                   DocxBuilder::Paragraph("Gulls followed the boat out.");
        document = dir.path() + "docs/Harbour Days.docx";
        dir.Write("docs/keep", "");
        doc.Write(document);
    }
    WordImportResult ImportDocument(const std::string& path) {
        return ImportWordDocument(book, form, settings, ui, word, path, false);
    }

    WordConverter word{dir.path() + "state/"};
    std::string document;
};

TEST_F(WordImport, ADocumentBecomesSectionPagesWithItsPropertiesAndSavePanel) {
    const WordImportResult result = ImportDocument(document);
    ASSERT_TRUE(result.imported) << ui.messages.size();
    EXPECT_EQ(ChapterFiles(book), (std::vector<std::string>{"s_1.htm", "s_2.htm"}));
    EXPECT_EQ(book.sourceFolder, book.folders.doctmpFolder);
    EXPECT_EQ(book.stylesheets, std::vector<std::string>{"style.css"});
    EXPECT_TRUE(book.wordImport && book.wordSplit);
    EXPECT_EQ(form.inTitle, "Harbour Days");
    EXPECT_EQ(form.inAuthor, "Ann Writer");
    EXPECT_EQ(form.inDesc, "A short book.");
    EXPECT_EQ(form.lblDesName, "Harbour Days.mobi");
    EXPECT_EQ(form.fileList[1].title, "Departure");
    EXPECT_TRUE(Has(book.log, "Word file imported successfully.")) << book.log;

    form.lblDesPath = output;
    const MakeOutcome outcome = Make().outcome;
    ASSERT_TRUE(outcome == MakeOutcome::Made || outcome == MakeOutcome::MadeWithWarnings)
        << book.log;
    const auto text = mobi::testing::LibMobiBook(output + "Harbour Days.mobi").Text();
    ASSERT_TRUE(text.has_value());
    for (const char* words : {"The ferry docked at dawn.", "Gulls followed the boat out."})
        EXPECT_TRUE(Has(*text, words)) << words;
    EXPECT_TRUE(Has(Ops("toc.ncx"), "<text>Departure</text>"));
}

// A broken document, a name with "#" or "+", a page Word did not write and re-importing a
// web book are refused; a re-import asks first and converts the document again.
TEST_F(WordImport, RefusalsLeaveTheProjectAsItWasAndReimportAsks) {
    EXPECT_FALSE(ImportDocument(dir.Write("docs/broken.docx", "not a zip archive")).imported);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(book.chapters.empty());
    ImportDocument(document);
    const std::vector<std::string> before = ChapterFiles(book);
    EXPECT_FALSE(ImportDocument(dir.Write("docs/C++ notes.docx", "")).imported);
    EXPECT_EQ(ui.messages.back(), kBadDocumentNameMessage);
    const std::string page = dir.Write("docs/page.htm", "<html><body>hand written</body></html>");
    EXPECT_FALSE(ImportWordHtml(book, form, settings, ui, page, false).imported);
    EXPECT_EQ(ui.messages.back(), "Invalid Word HTML: Not MS Word generated HTML.");
    EXPECT_EQ(ChapterFiles(book), before);

    ui.answerYes = false;
    EXPECT_FALSE(ReimportWordDocument(book, form, settings, ui, word, false).imported);
    EXPECT_EQ(ui.events.back(), std::string("confirm: ") + kReimportQuestion);
    ui.answerYes = true;
    std::filesystem::remove(book.folders.doctmpFolder + "s_2.htm");
    EXPECT_TRUE(ReimportWordDocument(book, form, settings, ui, word, false).imported);
    EXPECT_TRUE(std::filesystem::exists(book.folders.doctmpFolder + "s_2.htm"));

    Import();  // the web book of the fixture
    EXPECT_FALSE(ReimportWordDocument(book, form, settings, ui, word, false).imported);
    EXPECT_EQ(ui.messages.back(), kNoReimportMessage);
}

}  // namespace
}  // namespace quillery::testing
