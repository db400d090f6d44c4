// "Import Web Pages": the new project, its chapters, titles and save panel, and a source
// folder that is never written.

#include "workflow/web_page_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "chapters.h"
#include "htmlimport/chapter_list.h"
#include "htmlimport/chapter_titles.h"
#include "recording_ui_port.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using Names = std::vector<std::string>;
using testing::ChaptersOf;
using testing::TitlesOf;

// The log line of a chapter whose title fell back to its file name, after "* fileN".
const std::string kNoTitle = ": HTML tilte not found, use filename instead.\r\n";

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
    quillery::testing::TempDir work, source;
    std::string folder;  // the source folder, named "Moby Dick"
    Book book;
    BookForm form;
    quillery::testing::RecordingUiPort ui;

    void SetUp() override {
        folder = source.path() + "Moby Dick/";
        source.Write("Moby Dick/c.htm",
                     "<html><head><title>Third</title><link rel=\"stylesheet\" href=\"s.css\">"
                     "</head><body><h2>Chapter&nbsp;<b>Three</b></h2><img src=\"pics/w.jpg\">"
                     "</body></html>");
        source.Write("Moby Dick/a.htm", "");
        source.Write("Moby Dick/b.htm", "<h1>B</h1>" + std::string(1014, 'x'));  // 1024 bytes
        source.Write("Moby Dick/pics/w.jpg", "JPEG");
        book.folders.opsFolder = work.path() + "temp/OPS/";
        book.folders.doctmpFolder = work.path() + "doctmp/";
        work.Write("temp/OPS/old.htm", "old chapter");
        work.Write("doctmp/imgs/old.png", "old picture");
    }

    WebImportResult Import(const Names& dialog = {}) {
        return ImportWebPages(
            book, form, ui,
            dialog.empty() ? Names{folder + "c.htm", folder + "a.htm", folder + "b.htm"} : dialog,
            true);
    }
};

// A fresh project named after the folder, its chapters and grid rows titled from the first
// heading.
TEST_F(WebImport, StartsAFreshProjectWithChaptersAndGridRowsTitledFromTheFirstHeading) {
    book.images = book.stylesheets = {"old"};
    book.tocMarked = true;
    form.inAuthor = "Someone";
    form.inDesc = "kept";
    const WebImportResult result = Import();
    ASSERT_TRUE(result.imported);
    EXPECT_TRUE(fs::is_empty(book.folders.opsFolder) && fs::is_empty(book.folders.doctmpFolder));
    EXPECT_TRUE(book.images.empty() && book.stylesheets.empty());
    EXPECT_FALSE(book.tocMarked);
    EXPECT_EQ(form.inAuthor, "");
    EXPECT_EQ(form.inDesc, "kept");
    EXPECT_EQ(form.lblDesName, "Moby Dick.mobi");
    EXPECT_EQ(ui.events, Names{"focus: btnMake"});
    EXPECT_EQ(ChapterFiles(book), (Names{"a.htm", "b.htm", "c.htm"}));
    std::vector<std::int64_t> sizes;
    for (const Chapter& chapter : book.chapters) sizes.push_back(chapter.size);
    EXPECT_EQ(sizes, (std::vector<std::int64_t>{0, 1024, 151}));
    EXPECT_EQ(result.previewFile, folder + "a.htm");
    EXPECT_EQ(result.grid.rows,
              (std::vector<ChapterGridRow>{
                  {" <>", " No.", " File Name", " Chapter Title (Editable)", " Size"},
                  {"", "1", "a.htm", "a", "0 KB"},
                  {"", "2", "b.htm", "B", "2 KB"},
                  {"", "3", "c.htm", "Chapter Three", "1 KB"}}));
    EXPECT_EQ(result.grid.lastPreviewedRow, 1);
    EXPECT_EQ(book.log, "* file1" + kNoTitle);
    ASSERT_EQ(form.fileList.size(), 3u);
    EXPECT_EQ(form.fileList[2].title, "Chapter Three");
}

TEST_F(WebImport, EachTitleMethodFallsBackToTheFileNameAndLogsIt) {
    Import();
    book.chapters.push_back(ChaptersOf({"gone.htm"}).front());  // a file that no longer exists
    const auto expect = [this](void (*method)(Book&), const Names& titles, const std::string& log) {
        book.log.clear();
        method(book);
        EXPECT_EQ(TitlesOf(book), titles);
        EXPECT_EQ(book.log, log);
    };
    expect(TitlesFromFileNames, {"a", "b", "c", "gone"}, "");
    expect(TitlesFromHtmlTitle, {"a", "b", "Third", "gone"},
           "* file1" + kNoTitle + "* file2" + kNoTitle + "* file4" + kNoTitle);
    expect(TitlesFromFirstHeading, {"a", "B", "Chapter Three", "gone"},
           "* file1" + kNoTitle + "* file4" + kNoTitle);
}

TEST_F(WebImport, AutoTitleOffEmptiesCellsAndOnReExtracts) {
    ChapterGrid grid = Import().grid;
    RefreshTitles(book, grid, {false, TitleMethod::HtmlTitle});
    EXPECT_TRUE(TitlesOf(book).empty());
    for (int row = 1; row < 4; ++row) EXPECT_EQ(grid.rows[row][kGridTitleColumn], "") << row;
    EXPECT_EQ(grid.rows[0][kGridTitleColumn], " Chapter Title (Editable)");
    RefreshTitles(book, grid, {true, TitleMethod::HtmlTitle});
    EXPECT_EQ(grid.rows[3][kGridTitleColumn], "Third");
    // The cells show decoded text; the title list keeps the raw bytes.
    book.chapters[0].title = "A &amp; B";
    book.chapters[1].title = "Caf\xE9";
    book.chapters[2].title.reset();
    RefreshTitleCells(book, grid);
    EXPECT_EQ(grid.rows[1][kGridTitleColumn], "A & B");
    EXPECT_EQ(grid.rows[2][kGridTitleColumn], "Caf\xC3\xA9");  // Windows-1252 read as such
    EXPECT_EQ(grid.rows[3][kGridTitleColumn], "");             // no title
    EXPECT_EQ(book.chapters[0].title, "A &amp; B");
}

TEST_F(WebImport, AnEmptyChoiceOrPagesInsideTheWorkFolderChangeNothing) {
    book.chapters = ChaptersOf({"kept.htm"});
    EXPECT_FALSE(ImportWebPages(book, form, ui, {}, true).imported);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(Import({book.folders.opsFolder + "old.htm"}).imported);
    EXPECT_EQ(ui.messages,
              Names{"These web pages lie in Quillery's work folder, which every import empties. "
                    "Please copy them to another folder and import them from there."});
    EXPECT_EQ(ReadTextFile(book.folders.opsFolder + "old.htm"), "old chapter");
    EXPECT_EQ(ChapterFiles(book), Names{"kept.htm"});
}

TEST_F(WebImport, TitleMethodsFromTheFormAndTheSourceFolderIsNeverWrittenByTheImport) {
    const auto before = Snapshot(source.path());
    // The form's first title method: file names (the others reach the book in the make tests).
    form.selTitleMethod = 0;
    EXPECT_EQ(Import().grid.rows[3][kGridTitleColumn], "c");
    EXPECT_EQ(Snapshot(source.path()), before);
}

}  // namespace
}  // namespace quillery
