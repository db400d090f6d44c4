#include "htmlimport/web_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "htmlimport/element_cleaner.h"
#include "htmlimport/element_removal.h"
#include "htmlimport/resource_links.h"
#include "recording_ui_port.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::RecordingUiPort;
using testing::TempDir;
using Names = std::vector<std::string>;

TEST(ChapterOrderFromDialog, FirstDialogEntryGoesLast) {
    EXPECT_EQ(ChapterOrderFromDialog({"/w/c.htm", "/w/a.htm", "/w/b.htm"}),
              (Names{"a.htm", "b.htm", "c.htm"}));
    EXPECT_EQ(ChapterOrderFromDialog({"/w/only.htm"}), Names{"only.htm"});
    EXPECT_EQ(ChapterOrderFromDialog({}), Names{});
}

TEST(ChapterGridCaptions, TheFiveCaptions) {
    EXPECT_EQ(ChapterGridCaptions(),
              (ChapterGridRow{" <>", " No.", " File Name", " Chapter Title (Editable)", " Size"}));
    EXPECT_EQ(
        WebPageFileFilter(),
        std::string(
            "HTML Files(*.htm;*.html;*.xml;*.xhtml;*.shtml)|*.htm;*.html;*.xml;*.xhtml;*.shtml"));
}

// Every path, byte and time stamp of a folder tree, for before/after comparisons.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string state = std::to_string(entry.last_write_time().time_since_epoch().count());
        if (entry.is_regular_file()) state += "|" + ReadTextFile(entry.path().string());
        tree[entry.path().string()] = state;
    }
    return tree;
}

class WebImport : public ::testing::Test {
protected:
    TempDir work;
    TempDir source{};
    std::string folder;  // the source folder, named "Moby Dick"
    Book book;
    BookForm form;
    RecordingUiPort ui;

    void SetUp() override {
        folder = source.path() + "Moby Dick/";
        source.Write("Moby Dick/c.htm",
                     "<html><head><title>Third</title></head><body>"
                     "<h2>Chapter&nbsp;<b>Three</b></h2><img src=\"pics/w.jpg\"></body></html>");
        source.Write("Moby Dick/a.htm", "");
        source.Write("Moby Dick/b.htm", "<h1>B</h1>" + std::string(1014, 'x'));  // 1024 bytes
        source.Write("Moby Dick/pics/w.jpg", "JPEG");
        book.folders.opsFolder = work.path() + "temp/OPS/";
        book.folders.doctmpFolder = work.path() + "doctmp/";
        work.Write("temp/OPS/old.htm", "old chapter");
        work.Write("doctmp/imgs/old.png", "old picture");
        form.inBookPath = "/books/default/";
    }

    WebImportResult Import(const Names& dialog = {}) {
        return ImportWebPages(
            book, form, ui,
            dialog.empty() ? Names{folder + "c.htm", folder + "a.htm", folder + "b.htm"} : dialog,
            true);
    }
};

TEST_F(WebImport, ChaptersSizesAndSourceFolder) {
    const WebImportResult result = Import();
    ASSERT_TRUE(result.imported);
    EXPECT_EQ(book.files, (Names{"a.htm", "b.htm", "c.htm"}));
    EXPECT_EQ(book.sizes, (std::vector<std::int64_t>{0, 1024, 115}));
    EXPECT_EQ(book.sourceFolder, folder);
    EXPECT_EQ(book.previewSource, PreviewSource::Imported);
    EXPECT_EQ(result.previewFile, folder + "a.htm");
}

TEST_F(WebImport, GridRowsWithTitlesFromTheFirstHeading) {
    const std::string pageC = ReadTextFile(folder + "c.htm");
    ASSERT_EQ(pageC.size(), 115u);
    const ChapterGrid grid = Import().grid;
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.rows[0], ChapterGridCaptions());
    EXPECT_EQ(grid.rows[1], (ChapterGridRow{"", "1", "a.htm", "a", "0 KB"}));
    EXPECT_EQ(grid.rows[2], (ChapterGridRow{"", "2", "b.htm", "B", "2 KB"}));
    EXPECT_EQ(grid.rows[3], (ChapterGridRow{"", "3", "c.htm", "Chapter Three", "1 KB"}));
    EXPECT_EQ(grid.lastPreviewedRow, 1);
    EXPECT_EQ(book.log, "* file1: HTML tilte not found, use filename instead.\r\n");
    ASSERT_EQ(form.fileList.size(), 3u);
    EXPECT_EQ(form.fileList[2].fileName, "c.htm");
    EXPECT_EQ(form.fileList[2].title, "Chapter Three");
}

TEST_F(WebImport, TitleMethodAndAutoTitleComeFromTheForm) {
    form.selTitleMethod = 1;
    EXPECT_EQ(Import().grid.rows[3][kGridTitleColumn], "Third");
    form.chkAutoTitle = false;
    const ChapterGrid grid = Import().grid;
    EXPECT_EQ(grid.rows[3][kGridTitleColumn], "");
    EXPECT_TRUE(book.titles.empty());
}

TEST_F(WebImport, BookTitleAndOutputLocation) {
    Import();
    EXPECT_EQ(form.inTitle, "Moby Dick");
    EXPECT_EQ(form.lblDesName, "Moby Dick.mobi");
    EXPECT_EQ(form.lblDesPath, "/books/default/");
    EXPECT_EQ(ui.events, Names{"focus: btnMake"});

    form.chkSaveSamePath = true;
    Import({folder + "c.htm"});
    EXPECT_EQ(form.inTitle, "c");
    EXPECT_EQ(form.lblDesName, "c.mobi");
    EXPECT_EQ(form.lblDesPath, folder);
}

TEST_F(WebImport, WorkFoldersAreEmptiedAndThePreviousProjectForgotten) {
    book.images = {"old.png"};
    book.stylesheets = {"old.css"};
    book.coverPath = "/pics/cover.jpg";
    book.tocMarked = true;
    book.tocPosition = 2;
    book.tocFileName = "old.htm";
    book.wordImport = true;
    book.wordSplit = true;
    form.inAuthor = "Someone";
    form.inDesc = "kept";
    Import();
    EXPECT_TRUE(fs::is_directory(book.folders.opsFolder));
    EXPECT_TRUE(fs::is_empty(book.folders.opsFolder));
    EXPECT_TRUE(fs::is_empty(book.folders.doctmpFolder));
    EXPECT_TRUE(book.images.empty());
    EXPECT_TRUE(book.stylesheets.empty());
    EXPECT_EQ(book.coverPath, "");
    EXPECT_FALSE(book.tocMarked);
    EXPECT_EQ(book.tocPosition, 0);
    EXPECT_EQ(book.tocFileName, "");
    EXPECT_FALSE(book.wordImport);
    EXPECT_FALSE(book.wordSplit);
    EXPECT_EQ(form.inAuthor, "");
    EXPECT_EQ(form.inDesc, "kept");
}

TEST_F(WebImport, AnEmptyChoiceChangesNothing) {
    book.files = {"kept.htm"};
    const WebImportResult result = ImportWebPages(book, form, ui, {}, true);
    EXPECT_FALSE(result.imported);
    EXPECT_EQ(book.files, Names{"kept.htm"});
    EXPECT_TRUE(fs::exists(book.folders.opsFolder + "old.htm"));
}

TEST_F(WebImport, PagesInsideTheWorkFolderAreRefused) {
    book.files = {"kept.htm"};
    const WebImportResult result = Import({book.folders.opsFolder + "old.htm"});
    EXPECT_FALSE(result.imported);
    EXPECT_EQ(ui.messages,
              Names{"These web pages lie in Quillery's work folder, which every import empties. "
                    "Please copy them to another folder and import them from there."});
    EXPECT_EQ(ReadTextFile(book.folders.opsFolder + "old.htm"), "old chapter");
    EXPECT_EQ(book.files, Names{"kept.htm"});
}

TEST_F(WebImport, TheSourceFolderIsNeverWritten) {
    const auto before = Snapshot(source.path());
    for (const int method : {0, 1, 2}) {
        form.selTitleMethod = method;
        Import();
    }
    // What a make does with the chapters before writing them to the OPS folder.
    for (const std::string& file : book.files) {
        std::string page = ReadTextFile(book.sourceFolder + file);
        NormaliseChapterMarkup(page);
        RemoveHtmlElements(page, RemoveElementOptions{});
    }
    EXPECT_EQ(CollectImages(book.sourceFolder, book.files), Names{"pics/w.jpg"});
    EXPECT_EQ(Snapshot(source.path()), before);
}

TEST_F(WebImport, FillChapterGridShowsTheMarkedRow) {
    Import();
    book.tocMarked = true;
    book.tocPosition = 2;
    const ChapterGrid grid = FillChapterGrid(book, TitleOptions{});
    EXPECT_EQ(grid.rows[1][kGridMarkerColumn], "");
    EXPECT_EQ(grid.rows[2][kGridMarkerColumn], "TOC");
    book.tocMarked = false;
    EXPECT_EQ(FillChapterGrid(book, TitleOptions{}).rows[2][kGridMarkerColumn], "");
}

class MarkAsTocTest : public ::testing::Test {
protected:
    Book book;
    ChapterGrid grid;

    void SetUp() override {
        book.files = {"c1.htm", "c2.htm", "contents.htm", "c4.htm", "c5.htm"};
        book.sizes = {1, 1, 1, 1, 1};
        grid = FillChapterGrid(book, {true, TitleMethod::FileName});
    }
};

TEST_F(MarkAsTocTest, MarksTheRowAndNamesItsFileAsTheTableOfContents) {
    ASSERT_TRUE(MarkAsToc(book, grid, 3));
    EXPECT_EQ(grid.rows[3][kGridMarkerColumn], "TOC");
    EXPECT_EQ(book.tocPosition, 3);
    EXPECT_TRUE(book.tocMarked);
    EXPECT_EQ(book.tocFileName, "contents.htm");
}

TEST_F(MarkAsTocTest, MarkingAnotherRowMovesTheMark) {
    MarkAsToc(book, grid, 3);
    MarkAsToc(book, grid, 5);
    for (int row = 1; row <= 4; ++row) EXPECT_EQ(grid.rows[row][kGridMarkerColumn], "") << row;
    EXPECT_EQ(grid.rows[5][kGridMarkerColumn], "TOC");
    EXPECT_EQ(book.tocPosition, 5);
    EXPECT_EQ(book.tocFileName, "c5.htm");
}

TEST_F(MarkAsTocTest, UsesTheRowsFileNameCellAfterTheUserMovedRows) {
    std::swap(grid.rows[1], grid.rows[4]);
    MarkAsToc(book, grid, 1);
    EXPECT_EQ(book.tocFileName, "c4.htm");
}

TEST_F(MarkAsTocTest, HeaderAndMissingRowsAreIgnored) {
    EXPECT_FALSE(MarkAsToc(book, grid, 0));
    EXPECT_FALSE(MarkAsToc(book, grid, 6));
    EXPECT_FALSE(MarkAsToc(book, grid, -1));
    EXPECT_FALSE(book.tocMarked);
    EXPECT_EQ(book.tocPosition, 0);
    EXPECT_EQ(book.tocFileName, "");
    EXPECT_EQ(grid.rows[0][kGridMarkerColumn], " <>");
}

TEST(ChapterRowsOf, FileNameAndTitleCellsFromRowOne) {
    ChapterGrid grid;
    grid.rows.push_back({"TOC", "1", "a.htm", "Alpha", "1 KB"});
    const std::vector<ChapterRow> rows = ChapterRowsOf(grid);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fileName, "a.htm");
    EXPECT_EQ(rows[0].title, "Alpha");
}

}  // namespace
}  // namespace quillery
