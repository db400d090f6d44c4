// The Word imports (see word_document_import.h).

#include "workflow/word_document_import.h"

#include <filesystem>

#include "htmlimport/chapter_list.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "wordimport/word_html_check.h"
#include "workflow/new_project.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

bool HoldsBadCharacter(const std::string& path) {
    return path.find_first_of("#+") != std::string::npos;
}

// Prepares the work folders for a new import: doctmp made when missing, doctmp and OPS
// emptied, the package lists cleared.
void PrepareWorkFolders(Book& book) {
    std::error_code ec;
    fs::create_directories(book.folders.doctmpFolder, ec);
    ResetForNewImport(book);
}

// The Book and the form from what the Word import wrote into doctmp.
WordImportResult TakeWordChapters(Book& book, BookForm& form, const WordImportFiles& files,
                                  const std::string& importedPath, bool previewOn) {
    for (const std::string& line : files.log) book.AppendLog(line);
    WordImportResult result;
    const WordChapters& split = files.chapters;
    book.chapters.clear();
    for (std::size_t i = 0; i < split.files.size(); ++i) {
        Chapter chapter;
        chapter.file = split.files[i];
        chapter.size = i < split.sizes.size() ? split.sizes[i] : 0;
        book.chapters.push_back(std::move(chapter));
    }
    book.sourceFolder = book.folders.doctmpFolder;
    book.stylesheets = split.stylesheets;
    book.wordSplit = split.split;
    book.tocFileName = split.tocChapter;
    if (split.tocPositionSet) form.selTocIndex = split.tocPosition;
    result.grid = FillChapterGrid(book, TitleOptionsOf(form));
    form.fileList = ChapterRowsOf(result.grid);
    ApplyWordImportLocation(book, form, importedPath);
    if (!form.chkSaveSamePath) ChooseSaveFolder(book, form, false);
    book.previewSource = PreviewSource::Imported;
    if (!book.chapters.empty()) {
        const std::string first = book.sourceFolder + book.chapters.front().file;
        if (previewOn && FileExists(first)) result.previewFile = first;
    }
    result.imported = !book.chapters.empty();
    return result;
}

WordImportResult RunDocumentImport(Book& book, BookForm& form, const Settings& settings, UiPort& ui,
                                   WordConverter& word, const std::string& documentPath,
                                   bool previewOn) {
    book.log.clear();
    word.Start();
    book.wordImport = true;
    book.wordDocumentPath = documentPath;
    PrepareWorkFolders(book);
    ImportProgress progress(ui);
    ui.SetProgress(0);
    const WordImportFiles files =
        ImportWordDocumentFiles(documentPath, book.folders.doctmpFolder, book.folders.stateFolder,
                                WordImportOptionsOf(form, settings), progress);
    word.Shutdown();
    if (!files.imported) {
        for (const std::string& line : files.log) book.AppendLog(line);
        ui.ShowMessage(files.error);
        return {};
    }
    form.inTitle = files.properties.title;
    form.inAuthor = files.properties.author;
    form.inDesc = files.properties.comments;
    return TakeWordChapters(book, form, files, documentPath, previewOn);
}

}  // namespace

const char* WordDocumentFileFilter() {
    return "Word Document(*.doc;*.docx)|*.doc;*.docx|Classic Word Document(*.doc)|*.doc|New "
           "Word Document(*.docx)|*.docx";
}

const char* WordHtmlFileFilter() { return "Word HTML(*.htm)|*.htm"; }

WordImportOptions WordImportOptionsOf(const BookForm& form, const Settings& settings) {
    WordImportOptions options;
    options.pixelsPerInch = PpiFromText(form.selPPI);
    options.picturesAsPng = form.chkPNG;
    options.optimiseHtml = settings.wordHtmlOptimise;
    options.split = form.chkSplit;
    options.headingAnchors = settings.headingAnchorsInSplit;
    return options;
}

WordImportResult ImportWordDocument(Book& book, BookForm& form, const Settings& settings,
                                    UiPort& ui, WordConverter& word,
                                    const std::string& documentPath, bool previewOn) {
    if (documentPath.empty()) return {};
    if (HoldsBadCharacter(documentPath)) {
        ui.ShowMessage(kBadDocumentNameMessage);
        return {};
    }
    if (LiesInWorkFolders(AbsoluteFolderOf(documentPath), book.folders)) {
        ui.ShowMessage(
            "This document lies in Quillery's work folder, which every import empties. "
            "Please copy it to another folder and import it from there.");
        return {};
    }
    ResetForNewProject(book, form);
    return RunDocumentImport(book, form, settings, ui, word, documentPath, previewOn);
}

WordImportResult ReimportWordDocument(Book& book, BookForm& form, const Settings& settings,
                                      UiPort& ui, WordConverter& word, bool previewOn) {
    if (!book.wordImport || book.wordDocumentPath.empty()) {
        ui.ShowMessage(kNoReimportMessage);
        return {};
    }
    if (!ui.ConfirmYesNo(kReimportQuestion)) return {};
    return RunDocumentImport(book, form, settings, ui, word, book.wordDocumentPath, previewOn);
}

WordImportResult ImportWordHtml(Book& book, BookForm& form, const Settings& settings, UiPort& ui,
                                const std::string& htmlFile, bool previewOn) {
    if (htmlFile.empty() || !FileExists(htmlFile)) return {};
    if (!CheckWordHtml(htmlFile, ui)) return {};
    if (LiesInWorkFolders(AbsoluteFolderOf(htmlFile), book.folders)) {
        ui.ShowMessage(
            "This page lies in Quillery's work folder, which every import empties. "
            "Please copy it to another folder and import it from there.");
        return {};
    }
    ResetForNewProject(book, form);
    book.log.clear();
    book.wordImport = true;
    book.wordDocumentPath.clear();  // nothing to re-import: the page is the source
    PrepareWorkFolders(book);
    ImportProgress progress(ui);
    ui.SetProgress(0);
    const WordImportFiles files = ImportWordHtmlFiles(
        htmlFile, book.folders.doctmpFolder, WordImportOptionsOf(form, settings), progress);
    if (!files.imported) {
        for (const std::string& line : files.log) book.AppendLog(line);
        ui.ShowMessage(files.error);
        return {};
    }
    form.inTitle = FileBaseName(htmlFile);
    return TakeWordChapters(book, form, files, htmlFile, previewOn);
}

}  // namespace quillery
