// The Book project (see book.h).

#include "project/book.h"

#include <charconv>

#include "project/book_form.h"
#include "project/kindlegen.h"
#include "project/language.h"
#include "project/ui_port.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "text/strings.h"

namespace quillery {

namespace {

// Trimmed and XML-escaped; the default (stored as given) when nothing is left.
std::string EscapedOr(std::string_view value, std::string_view whenEmpty) {
    const std::string trimmed = Trim(value);
    return trimmed.empty() ? std::string(whenEmpty) : EncodeEntities(trimmed);
}

int IntOr(std::string_view text, int fallback) {
    const std::string trimmed = Trim(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (trimmed.empty() || ec != std::errc() || end != trimmed.data() + trimmed.size())
        return fallback;
    return value;
}

// The text before the last "." of a file name; empty when the name holds no ".".
std::string TextBeforeLastDot(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(0, dot));
}

// The name without its extension; a name without "." stays whole.
std::string WithoutExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

}  // namespace

void FillMetadataFromForm(Book& book, const BookForm& form) {
    BookMetadata& m = book.metadata;
    m.title = EscapedOr(form.inTitle, "");
    m.creator = EscapedOr(form.inAuthor, "Anonymous Author");
    m.subject = EscapedOr(form.inSubject, "");
    m.publisher = EscapedOr(form.inPublisher, "Unknown publisher");
    m.uid = EscapedOr(form.inID, "None");
    m.lang = LanguageCode(form.selLang, LanguageFilesFor(book.folders).dictionary);
    m.description = EscapedOr(form.inDesc, "");
}

void CopyOptionsFromForm(Book& book, const BookForm& form) {
    BookOptions& o = book.options;
    o.generateTitlePage = form.chkAutoTitlePage;
    o.replaceStylesheet = form.chkGCSS;
    o.adaptFontSize = form.chkEmFontSize;
    o.relativeSevenLevels = form.chk7lFontSize;
    o.baseFontSize = form.selBaseFontSize > 0 ? form.selBaseFontSize : 0;
    o.classifyFonts = form.chkClassifyFont;

    ParagraphOptions& p = o.paragraph;
    p.indent = form.chkIndent;
    p.indentEm = IntOr(form.selIndent, ParagraphOptions{}.indentEm);
    p.align = form.chkAlign;
    p.alignment = form.selAlign;
    p.gap = form.chkGap;
    p.gapEm = form.selGap;
    p.lineHeight = form.chkLineHeight;
    p.lineHeightPercent = IntOr(form.selLineHeight, ParagraphOptions{}.lineHeightPercent);

    RemoveElementOptions& r = o.removeElements;
    r.enabled = form.chkHTMLC;
    r.scripts = form.chkJS;
    r.media = form.chkMedia;
    r.forms = form.chkForm;
    r.images = form.chkImg;
    r.links = form.chkLink;

    o.saveToSourceFolder = form.chkSaveSamePath;
    o.splitWordHtml = form.chkSplit;

    book.coverPath = form.coverPath;
    book.replacementStylesheet = form.replacementStylesheet;
    book.tocTitle = form.inTocTitle;
    book.tocPosition = form.selTocIndex;
}

void TakeOutputLocation(Book& book, const BookForm& form) {
    book.outputFileName = form.lblDesName;
    book.outputFolder = WithTrailingSlash(form.lblDesPath);
    book.fullOutputPath = book.outputFolder + book.outputFileName;
}

std::string TitleAfterWebImport(const std::vector<Chapter>& chapters,
                                const std::string& sourceFolder) {
    if (chapters.size() == 1) return TextBeforeLastDot(FileNamePart(chapters.front().file));
    std::string folder = sourceFolder;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    return FileNamePart(folder);
}

void ApplyWebImportLocation(Book& book, BookForm& form) {
    form.inTitle = TitleAfterWebImport(book.chapters, book.sourceFolder);
    if (form.chkSaveSamePath) form.lblDesPath = book.sourceFolder;
    form.lblDesName = form.inTitle + ".mobi";
    book.wordImport = false;
}

void ApplyWordImportLocation(Book& book, BookForm& form, const std::string& documentPath) {
    book.wordDocumentFolder = FolderOf(documentPath);
    book.wordImport = true;
    if (form.chkSaveSamePath) form.lblDesPath = book.wordDocumentFolder;
    form.lblDesName = WithoutExtension(FileNamePart(documentPath)) + ".mobi";
}

void ChooseSaveFolder(const Book& book, BookForm& form, bool sameAsSource) {
    form.chkSaveSamePath = sameAsSource;
    if (sameAsSource)
        form.lblDesPath = book.wordImport ? book.wordDocumentFolder : book.sourceFolder;
    else
        form.lblDesPath = DefaultBookFolder(form.inBookPath, book.folders);
}

std::string DefaultBookFolder(const std::string& inBookPath, const WorkFolders& folders) {
    // A relative folder in the settings is the state folder's, never the current folder's.
    if (!inBookPath.empty() && inBookPath.front() != '/')
        return WithTrailingSlash(folders.stateFolder + inBookPath);
    return inBookPath;
}

bool CheckFilesImported(const Book& book, UiPort& ui) {
    if (!book.chapters.empty()) return true;
    ui.ShowMessage(kImportFirstMessage);
    ui.FocusControl(Control::ImportWebPagesButton);
    return false;
}

bool CanChangeOutputLocation(const Book& book, UiPort& ui) { return CheckFilesImported(book, ui); }

void TakeChosenOutputPath(BookForm& form, const std::string& chosenPath) {
    form.lblDesPath = FolderOf(chosenPath);
    form.lblDesName = FileNamePart(chosenPath);
}

std::string FinalMobiPath(const Book& book) { return WithMobiExtension(book.fullOutputPath); }

void ResetForNewImport(Book& book) {
    ClearFolder(book.folders.opsFolder);
    ClearFolder(book.folders.doctmpFolder);
    book.images.clear();
    book.fonts.clear();
    for (Chapter& chapter : book.chapters) chapter.title.reset();
}

std::vector<std::string> ChapterFiles(const Book& book) {
    std::vector<std::string> files;
    files.reserve(book.chapters.size());
    for (const Chapter& chapter : book.chapters) files.push_back(chapter.file);
    return files;
}

}  // namespace quillery
