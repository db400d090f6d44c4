#include "htmlimport/web_import.h"

#include <filesystem>
#include <string_view>

#include "text/file_utils.h"
#include "text/strings.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

// The folder part of a path, made absolute against the current folder, ending with "/".
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    if (folder.empty() || folder.front() != '/') {
        std::error_code ec;
        const fs::path absolute =
            fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), ec);
        if (!ec) folder = absolute.lexically_normal().string();
    }
    return WithTrailingSlash(folder);
}

std::string FileNamePart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// True when folder lies in (or is) workFolder, symbolic links resolved.
bool LiesInside(const std::string& folder, const std::string& workFolder) {
    if (workFolder.empty()) return false;
    std::error_code ec;
    const std::string a = WithTrailingSlash(fs::weakly_canonical(folder, ec).string());
    if (ec) return false;
    const std::string b = WithTrailingSlash(fs::weakly_canonical(workFolder, ec).string());
    if (ec) return false;
    return a.starts_with(b);
}

// The new-project reset of the Book and of the values the window shows: nothing of the
// previous book's information, package inputs or table-of-contents mark survives into the
// new one. The description and the language stay, as the window keeps them.
void ResetForNewProject(Book& book, BookForm& form) {
    form.inTitle.clear();
    form.inAuthor.clear();
    form.inSubject.clear();
    form.inPublisher.clear();
    form.inID.clear();
    form.lblDesName.clear();
    form.lblDesPath.clear();
    form.coverPath.clear();
    form.replacementStylesheet.clear();
    form.fileList.clear();
    book.coverPath.clear();
    book.replacementStylesheet.clear();
    book.tocMarked = false;
    book.tocPosition = 0;
    book.tocFileName.clear();
    book.stylesheets.clear();
    book.contents.clear();
}

}  // namespace

ChapterGridRow ChapterGridCaptions() {
    return {" <>", " No.", " File Name", " Chapter Title (Editable)", " Size"};
}

const char* WebPageFileFilter() {
    return "HTML Files(*.htm;*.html;*.xml;*.xhtml;*.shtml)|*.htm;*.html;*.xml;*.xhtml;*.shtml";
}

std::vector<std::string> ChapterOrderFromDialog(const std::vector<std::string>& dialogFiles) {
    std::vector<std::string> order;
    if (dialogFiles.empty()) return order;
    order.reserve(dialogFiles.size());
    for (std::size_t i = 1; i < dialogFiles.size(); ++i)
        order.push_back(FileNamePart(dialogFiles[i]));
    order.push_back(FileNamePart(dialogFiles.front()));
    return order;
}

TitleOptions TitleOptionsOf(const BookForm& form) {
    TitleOptions options;
    options.autoTitle = form.chkAutoTitle;
    options.method = form.selTitleMethod == 1   ? TitleMethod::HtmlTitle
                     : form.selTitleMethod == 2 ? TitleMethod::FirstHeading
                                                : TitleMethod::FileName;
    return options;
}

std::vector<ChapterRow> ChapterRowsOf(const ChapterGrid& grid) {
    std::vector<ChapterRow> rows;
    for (int row = 1; row < grid.RowCount(); ++row) {
        rows.push_back({grid.rows[row][kGridFileColumn], grid.rows[row][kGridTitleColumn]});
    }
    return rows;
}

WebImportResult ImportWebPages(Book& book, BookForm& form, UiPort& ui,
                               const std::vector<std::string>& dialogFiles, bool previewOn) {
    WebImportResult result;
    if (dialogFiles.empty()) return result;
    const std::string sourceFolder = FolderOf(dialogFiles.front());
    if (LiesInside(sourceFolder, book.folders.opsFolder) ||
        LiesInside(sourceFolder, book.folders.doctmpFolder)) {
        ui.ShowMessage(
            "These web pages lie in Quillery's work folder, which every import empties. "
            "Please copy them to another folder and import them from there.");
        return result;
    }

    ResetForNewProject(book, form);
    book.files = ChapterOrderFromDialog(dialogFiles);
    book.sourceFolder = sourceFolder;
    book.sizes.clear();
    for (const std::string& file : book.files)
        book.sizes.push_back(FileSizeOf(sourceFolder + file));
    ResetForNewImport(book);

    result.grid = FillChapterGrid(book, TitleOptionsOf(form));
    form.fileList = ChapterRowsOf(result.grid);
    ui.FocusControl("btnMake");
    ApplyWebImportLocation(book, form);
    // Saving to the default book folder: the save panel names that folder, so the book is
    // not written to wherever the current folder happens to be.
    if (!form.chkSaveSamePath) ChooseSaveFolder(book, form, false);
    book.wordImport = false;
    book.wordSplit = false;
    book.wordDocumentFolder.clear();
    book.previewSource = PreviewSource::Imported;

    const std::string firstChapter = book.sourceFolder + book.files.front();
    if (previewOn && FileExists(firstChapter)) result.previewFile = firstChapter;
    result.imported = true;
    return result;
}

ChapterGrid FillChapterGrid(Book& book, const TitleOptions& titles) {
    ChapterGrid grid;
    for (std::size_t i = 0; i < book.files.size(); ++i) {
        ChapterGridRow row;
        row[kGridNumberColumn] = std::to_string(i + 1);
        row[kGridFileColumn] = book.files[i];
        row[kGridSizeColumn] = FormatSizeKB(i < book.sizes.size() ? book.sizes[i] : 0);
        grid.rows.push_back(std::move(row));
    }
    RefreshTitles(book, grid, titles);
    if (book.tocMarked && book.tocPosition > 0 && book.tocPosition < grid.RowCount()) {
        grid.rows[book.tocPosition][kGridMarkerColumn] = "TOC";
    }
    grid.lastPreviewedRow = 1;
    return grid;
}

bool MarkAsToc(Book& book, ChapterGrid& grid, int currentRow) {
    if (currentRow <= 0 || currentRow >= grid.RowCount()) return false;
    if (book.tocPosition > 0 && book.tocPosition < grid.RowCount()) {
        grid.rows[book.tocPosition][kGridMarkerColumn].clear();
    }
    book.tocPosition = currentRow;
    book.tocMarked = true;
    grid.rows[currentRow][kGridMarkerColumn] = "TOC";
    // The package's guide names this file as the table of contents.
    const std::size_t index = static_cast<std::size_t>(currentRow - 1);
    const std::string& cell = grid.rows[currentRow][kGridFileColumn];
    book.tocFileName = !cell.empty() ? cell : (index < book.files.size() ? book.files[index] : "");
    return true;
}

}  // namespace quillery
