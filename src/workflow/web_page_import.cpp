// "Import Web Pages" (see web_page_import.h).

#include "workflow/web_page_import.h"

#include "htmlimport/chapter_list.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "workflow/new_project.h"

namespace quillery {

WebImportResult ImportWebPages(Book& book, BookForm& form, UiPort& ui,
                               const std::vector<std::string>& dialogFiles, bool previewOn) {
    WebImportResult result;
    if (dialogFiles.empty()) return result;
    const std::string sourceFolder = AbsoluteFolderOf(dialogFiles.front());
    if (LiesInWorkFolders(sourceFolder, book.folders)) {
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
