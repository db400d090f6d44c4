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
        const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : fs::path(folder), ec);
        if (!ec) folder = absolute.lexically_normal().string();
    }
    return WithTrailingSlash(folder);
}

std::string FileNamePart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The last component of a folder path ("/books/Moby/" gives "Moby"; the root gives "").
std::string LastFolderComponent(std::string_view folder) {
    while (!folder.empty() && folder.back() == '/') folder.remove_suffix(1);
    return FileNamePart(folder);
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

// The Book's side of the new-project reset: nothing of the previous book's package inputs
// or table-of-contents mark survives into the new one.
void ResetBookForNewProject(Book& book) {
    book.coverPath.clear();
    book.replacementStylesheet.clear();
    book.tocMarked = false;
    book.tocPosition = 0;
    book.tocFileName.clear();
    book.stylesheets.clear();
    book.contents.clear();
}

// The reset every import runs before it fills the lists: the work folders are emptied.
void ResetWorkFoldersForImport(Book& book) {
    if (!book.folders.opsFolder.empty()) ClearFolder(book.folders.opsFolder);
    if (!book.folders.doctmpFolder.empty()) ClearFolder(book.folders.doctmpFolder);
    book.images.clear();
    book.titles.clear();
}

// The book title and output location after a web-page import.
std::string ApplyWebImportOutputLocation(Book& book) {
    const std::string title = book.files.size() == 1 ? FileBaseName(book.files.front())
                                                     : LastFolderComponent(book.sourceFolder);
    if (book.options.saveToSourceFolder) book.outputFolder = book.sourceFolder;
    book.outputFileName = title + ".mobi";
    book.wordImport = false;
    return title;
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
    for (std::size_t i = 1; i < dialogFiles.size(); ++i) order.push_back(FileNamePart(dialogFiles[i]));
    order.push_back(FileNamePart(dialogFiles.front()));
    return order;
}

WebImportResult ImportWebPages(Book& book, UiPort& ui, const std::vector<std::string>& dialogFiles,
                               const WebImportOptions& options) {
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

    ResetBookForNewProject(book);
    book.files = ChapterOrderFromDialog(dialogFiles);
    book.sourceFolder = sourceFolder;
    book.sizes.clear();
    for (const std::string& file : book.files) book.sizes.push_back(FileSizeOf(sourceFolder + file));
    ResetWorkFoldersForImport(book);

    result.grid = FillChapterGrid(book, options.titles);
    ui.FocusControl("btnMake");
    result.bookTitle = ApplyWebImportOutputLocation(book);
    book.wordImport = false;
    book.wordSplit = false;
    book.wordDocumentFolder.clear();
    book.previewSource = PreviewSource::Imported;

    const std::string firstChapter = book.sourceFolder + book.files.front();
    if (options.previewOn && FileExists(firstChapter)) result.previewFile = firstChapter;
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
