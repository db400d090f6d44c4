// "Import Web Pages" (see web_page_import.h).

#include "workflow/web_page_import.h"

#include <filesystem>

#include "htmlimport/chapter_list.h"
#include "text/file_utils.h"
#include "text/paths.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

// The folder part of a path, made absolute against the current folder, ending with "/".
std::string AbsoluteFolderOf(const std::string& path) {
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
    book.chapters.clear();
}

}  // namespace

WebImportResult ImportWebPages(Book& book, BookForm& form, UiPort& ui,
                               const std::vector<std::string>& dialogFiles, bool previewOn) {
    WebImportResult result;
    if (dialogFiles.empty()) return result;
    const std::string sourceFolder = AbsoluteFolderOf(dialogFiles.front());
    if (LiesInside(sourceFolder, book.folders.opsFolder) ||
        LiesInside(sourceFolder, book.folders.doctmpFolder)) {
        ui.ShowMessage(
            "These web pages lie in Quillery's work folder, which every import empties. "
            "Please copy them to another folder and import them from there.");
        return result;
    }

    ResetForNewProject(book, form);
    for (std::string& file : ChapterOrderFromDialog(dialogFiles)) {
        const std::int64_t size = FileSizeOf(sourceFolder + file);
        book.chapters.push_back(
            {.file = std::move(file), .title = {}, .size = size, .content = {}});
    }
    book.sourceFolder = sourceFolder;
    ResetForNewImport(book);

    result.grid = FillChapterGrid(book, TitleOptionsOf(form));
    form.fileList = ChapterRowsOf(result.grid);
    ui.FocusControl(Control::MakeButton);
    ApplyWebImportLocation(book, form);
    // Saving to the default book folder: the save panel names that folder, so the book is
    // not written to wherever the current folder happens to be.
    if (!form.chkSaveSamePath) ChooseSaveFolder(book, form, false);
    book.wordImport = false;
    book.wordSplit = false;
    book.wordDocumentFolder.clear();
    book.previewSource = PreviewSource::Imported;

    const std::string firstChapter = book.sourceFolder + book.chapters.front().file;
    if (previewOn && FileExists(firstChapter)) result.previewFile = firstChapter;
    result.imported = true;
    return result;
}

}  // namespace quillery
