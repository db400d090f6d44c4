#include "project/book.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "project/book_form.h"
#include "recording_ui_port.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;

TEST(FillMetadata, EmptyFieldsTakeTheirDefaults) {
    Book book;
    BookForm form;
    form.inTitle = "  A Book ";
    form.inAuthor = "  ";
    form.inSubject = " \t ";
    form.inPublisher = "";
    form.inID = "\r\n";
    form.inDesc = "   ";
    FillMetadata(book, form);
    EXPECT_EQ(book.metadata.title, "A Book");
    EXPECT_EQ(book.metadata.creator, "Anonymous Author");
    EXPECT_EQ(book.metadata.subject, "");
    EXPECT_EQ(book.metadata.publisher, "Unknown publisher");
    EXPECT_EQ(book.metadata.uid, "None");
    EXPECT_EQ(book.metadata.description, "");
    EXPECT_EQ(book.metadata.lang, "en");
}

TEST(FillMetadata, ValuesAreTrimmedAndEscapedOnce) {
    Book book;
    BookForm form;
    form.inTitle = "Tom & Jerry";
    form.inAuthor = " <Anon> ";
    form.inSubject = "a &lt; b";
    form.inPublisher = "P&P";
    form.inID = "urn:isbn:1>2";
    form.inDesc = "line one\r\nline \"two\"\r\n";
    form.selLang = "Chinese (Traditional)";
    FillMetadata(book, form);
    EXPECT_EQ(book.metadata.title, "Tom &amp; Jerry");
    EXPECT_EQ(book.metadata.creator, "&lt;Anon&gt;");
    EXPECT_EQ(book.metadata.subject, "a &amp;lt; b");
    EXPECT_EQ(book.metadata.publisher, "P&amp;P");
    EXPECT_EQ(book.metadata.uid, "urn:isbn:1&gt;2");
    EXPECT_EQ(book.metadata.description, "line one\r\nline \"two\"");
    EXPECT_EQ(book.metadata.lang, "zh-TW");
}

TEST(FillMetadata, LanguageFromTheProgramsDictionary) {
    TempDir dir;
    dir.Write("lang/lang.dic", "cy:Welsh\r\n");
    Book book;
    book.folders.langFolder = dir.path() + "lang/";
    BookForm form;
    form.selLang = "Welsh";
    FillMetadata(book, form);
    EXPECT_EQ(book.metadata.lang, "cy");
}

TEST(CopyOptionsFromForm, TakesEveryFlag) {
    Book book;
    BookForm form;
    form.chkAutoTitlePage = true;
    form.chkGCSS = true;
    form.replacementStylesheet = "/css/new.css";
    form.coverPath = "/pics/cover.jpg";
    form.chkEmFontSize = false;
    form.chk7lFontSize = true;
    form.selBaseFontSize = 0;
    form.chkClassifyFont = false;
    form.chkIndent = true;
    form.selIndent = "3";
    form.chkAlign = true;
    form.selAlign = "Left";
    form.chkGap = true;
    form.selGap = "0.75";
    form.chkLineHeight = true;
    form.selLineHeight = "150";
    form.chkHTMLC = false;
    form.chkJS = false;
    form.chkImg = true;
    form.chkSaveSamePath = true;
    form.chkSplit = false;
    form.selTocIndex = 0;
    form.inTocTitle = "Index";
    CopyOptionsFromForm(book, form);
    const BookOptions& o = book.options;
    EXPECT_TRUE(o.generateTitlePage);
    EXPECT_TRUE(o.replaceStylesheet);
    EXPECT_FALSE(o.adaptFontSize);
    EXPECT_TRUE(o.relativeSevenLevels);
    EXPECT_EQ(o.baseFontSize, 0);
    EXPECT_FALSE(o.classifyFonts);
    EXPECT_TRUE(o.paragraph.indent);
    EXPECT_EQ(o.paragraph.indentEm, 3);
    EXPECT_EQ(o.paragraph.alignment, "Left");
    EXPECT_EQ(o.paragraph.gapEm, "0.75");
    EXPECT_EQ(o.paragraph.lineHeightPercent, 150);
    EXPECT_FALSE(o.removeElements.enabled);
    EXPECT_FALSE(o.removeElements.scripts);
    EXPECT_TRUE(o.removeElements.images);
    EXPECT_TRUE(o.saveToSourceFolder);
    EXPECT_FALSE(o.splitWordHtml);
    EXPECT_EQ(book.tocPosition, 0);
    EXPECT_EQ(book.tocTitle, "Index");
    EXPECT_EQ(book.coverPath, "/pics/cover.jpg");
    EXPECT_EQ(book.replacementStylesheet, "/css/new.css");
}

TEST(CopyOptionsFromForm, UnreadableSelectorTextsKeepTheDesignValues) {
    Book book;
    BookForm form;
    form.selIndent = "";
    form.selLineHeight = "tall";
    CopyOptionsFromForm(book, form);
    EXPECT_EQ(book.options.paragraph.indentEm, 2);
    EXPECT_EQ(book.options.paragraph.lineHeightPercent, 120);
}

TEST(OutputLocation, TakenFromTheSavePanel) {
    Book book;
    BookForm form;
    form.lblDesName = "novel.mobi";
    form.lblDesPath = "/home/w/Books";
    TakeOutputLocation(book, form);
    EXPECT_EQ(book.outputFolder, "/home/w/Books/");
    EXPECT_EQ(book.fullOutputPath, "/home/w/Books/novel.mobi");
    EXPECT_EQ(FinalMobiPath(book), "/home/w/Books/novel.mobi");
    form.lblDesName = "novel";
    TakeOutputLocation(book, form);
    EXPECT_EQ(FinalMobiPath(book), "/home/w/Books/novel.mobi");
}

TEST(OutputLocation, TitleAfterWebImport) {
    EXPECT_EQ(TitleAfterWebImport({"intro.htm"}, "/home/w/site/"), "intro");
    EXPECT_EQ(TitleAfterWebImport({"my.story.html"}, "/home/w/site/"), "my.story");
    EXPECT_EQ(TitleAfterWebImport({"README"}, "/home/w/site/"), "");
    EXPECT_EQ(TitleAfterWebImport({"a.htm", "b.htm"}, "/home/w/My Site/"), "My Site");
    EXPECT_EQ(TitleAfterWebImport({"a.htm", "b.htm"}, "/home/w/site"), "site");
    EXPECT_EQ(TitleAfterWebImport({"a.htm", "b.htm"}, "/"), "");
}

TEST(OutputLocation, WebImportBesideTheSource) {
    Book book;
    book.files = {"ch1.htm", "ch2.htm"};
    book.sourceFolder = "/home/w/Moby Dick/";
    book.wordImport = true;
    BookForm form;
    form.lblDesPath = "/home/w/myBook/";
    form.chkSaveSamePath = true;
    ApplyWebImportLocation(book, form);
    EXPECT_EQ(form.inTitle, "Moby Dick");
    EXPECT_EQ(form.lblDesName, "Moby Dick.mobi");
    EXPECT_EQ(form.lblDesPath, "/home/w/Moby Dick/");
    EXPECT_FALSE(book.wordImport);
}

TEST(OutputLocation, WebImportToTheBookFolderKeepsTheFolder) {
    Book book;
    book.files = {"intro.htm"};
    book.sourceFolder = "/home/w/site/";
    BookForm form;
    form.lblDesPath = "/home/w/myBook/";
    form.chkSaveSamePath = false;
    ApplyWebImportLocation(book, form);
    EXPECT_EQ(form.inTitle, "intro");
    EXPECT_EQ(form.lblDesName, "intro.mobi");
    EXPECT_EQ(form.lblDesPath, "/home/w/myBook/");
}

TEST(OutputLocation, WordImport) {
    Book book;
    BookForm form;
    form.lblDesPath = "/home/w/myBook/";
    ApplyWordImportLocation(book, form, "/home/w/docs/Draft v2.docx");
    EXPECT_EQ(form.lblDesName, "Draft v2.mobi");
    EXPECT_EQ(form.lblDesPath, "/home/w/myBook/");
    EXPECT_TRUE(book.wordImport);
    EXPECT_EQ(book.wordDocumentFolder, "/home/w/docs/");
    form.chkSaveSamePath = true;
    ApplyWordImportLocation(book, form, "/home/w/docs/Draft v2.docx");
    EXPECT_EQ(form.lblDesPath, "/home/w/docs/");
}

TEST(OutputLocation, SavePathChoice) {
    Book book;
    book.sourceFolder = "/src/";
    book.wordDocumentFolder = "/docs/";
    BookForm form;
    form.inBookPath = "/books/";
    ChooseSaveFolder(book, form, true);
    EXPECT_TRUE(form.chkSaveSamePath);
    EXPECT_EQ(form.lblDesPath, "/src/");
    book.wordImport = true;
    ChooseSaveFolder(book, form, true);
    EXPECT_EQ(form.lblDesPath, "/docs/");
    ChooseSaveFolder(book, form, false);
    EXPECT_FALSE(form.chkSaveSamePath);
    EXPECT_EQ(form.lblDesPath, "/books/");
}

TEST(OutputLocation, ChangeNeedsImportedFiles) {
    Book book;
    RecordingUiPort ui;
    EXPECT_FALSE(CanChangeOutputLocation(book, ui));
    EXPECT_EQ(ui.events,
              (std::vector<std::string>{"message: Please import webpages or document first",
                                        "focus: btnImportHtml"}));
    book.files = {"a.htm"};
    ui.events.clear();
    EXPECT_TRUE(CanChangeOutputLocation(book, ui));
    EXPECT_TRUE(ui.events.empty());

    BookForm form;
    TakeChosenOutputPath(form, "/home/w/out/My Book.mobi");
    EXPECT_EQ(form.lblDesPath, "/home/w/out/");
    EXPECT_EQ(form.lblDesName, "My Book.mobi");
}

TEST(ResetForNewImport, EmptiesTheWorkFoldersAndLists) {
    TempDir dir;
    Book book;
    book.folders.opsFolder = dir.path() + "temp/OPS/";
    book.folders.doctmpFolder = dir.path() + "doctmp/";
    dir.Write("temp/OPS/ch1.htm", "x");
    dir.Write("temp/OPS/images/a.jpg", "x");
    dir.Write("doctmp/book.htm", "x");
    const std::string source = dir.Write("source/ch1.htm", "keep");
    book.images = {"images/a.jpg"};
    book.titles = {"One"};
    book.files = {"ch1.htm"};
    ResetForNewImport(book);
    EXPECT_TRUE(fs::is_empty(book.folders.opsFolder));
    EXPECT_TRUE(fs::is_empty(book.folders.doctmpFolder));
    EXPECT_TRUE(book.images.empty());
    EXPECT_TRUE(book.titles.empty());
    EXPECT_TRUE(fs::exists(source));
}

}  // namespace
}  // namespace quillery
