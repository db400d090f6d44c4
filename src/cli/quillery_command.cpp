// The quillery command (see quillery_command.h).

#include "cli/quillery_command.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>

#include "cli/cli_options.h"
#include "cli/console_ui_port.h"
#include "htmlimport/chapter_list.h"
#include "htmlimport/chapter_titles.h"
#include "project/book.h"
#include "project/book_form.h"
#include "project/kindlegen.h"
#include "project/settings.h"
#include "project/work_folder_lock.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "text/strings.h"
#include "text/text_file.h"
#include "wordimport/word_html_check.h"
#include "workflow/epub_validation.h"
#include "workflow/make_pipeline.h"
#include "workflow/web_page_import.h"
#include "workflow/word_document_import.h"

namespace fs = std::filesystem;

namespace quillery::cli {

namespace {

bool IsWordDocumentName(const fs::path& p) {
    const std::string ext = LowerAscii(p.extension().string());
    return ext == ".docx" || ext == ".doc" || ext == ".odt" || ext == ".rtf";
}

// A single input that a Word import takes: a document, or a page Word saved as HTML.
enum class InputKind { WebPages, WordDocument, WordHtml };

InputKind KindOf(const std::vector<std::string>& inputs) {
    if (inputs.size() != 1) return InputKind::WebPages;
    std::error_code ec;
    if (!fs::is_regular_file(inputs[0], ec)) return InputKind::WebPages;
    if (IsWordDocumentName(inputs[0])) return InputKind::WordDocument;
    if (!WordHtmlProblem(ReadTextFile(inputs[0]).substr(0, 255))) return InputKind::WordHtml;
    return InputKind::WebPages;
}

bool IsWebPageName(const fs::path& p) {
    const std::string ext = LowerAscii(p.extension().string());
    return ext == ".htm" || ext == ".html" || ext == ".xhtml";
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const fs::path abs = fs::absolute(path, ec);
    return (ec ? fs::path(path) : abs).lexically_normal().string();
}

// The values the options give, over those the settings put into the form.
void ApplyOptions(const CliOptions& o, BookForm& form) {
    if (o.titleMethod) form.selTitleMethod = *o.titleMethod;
    if (o.noAutoTitle) form.chkAutoTitle = false;
    if (o.titlePage) form.chkAutoTitlePage = true;
    if (o.tocPosition) form.selTocIndex = *o.tocPosition;
    if (o.tocTitle) form.inTocTitle = *o.tocTitle;
    if (o.indentEm) {
        form.chkIndent = true;
        form.selIndent = *o.indentEm;
    }
    if (o.spacingEm) {
        form.chkGap = true;
        form.selGap = *o.spacingEm;
    }
    if (o.lineHeightPercent) {
        form.chkLineHeight = true;
        form.selLineHeight = std::to_string(*o.lineHeightPercent);
    }
    if (o.alignment) {
        form.chkAlign = true;
        form.selAlign = *o.alignment;
    }
    if (o.noAdaptFontSize) form.chkEmFontSize = false;
    if (o.baseFontSize) form.selBaseFontSize = *o.baseFontSize;
    if (o.noClassifyFonts) form.chkClassifyFont = false;
    if (o.removeKinds) {
        const std::string& k = *o.removeKinds;
        const auto has = [&](const char* kind) {
            return ("," + k + ",").find(std::string(",") + kind + ",") != std::string::npos;
        };
        form.chkHTMLC = k != "none";
        form.chkJS = has("scripts");
        form.chkMedia = has("media");
        form.chkForm = has("forms");
        form.chkImg = has("images");
        form.chkLink = has("links");
    }
    if (o.kindlegen) form.inKGenPath = Absolute(*o.kindlegen);
    if (o.noSplit) form.chkSplit = false;
    if (o.ppi) form.selPPI = std::to_string(*o.ppi);
    if (o.png) form.chkPNG = true;
}

// Book information given on the command line replaces what the import proposed; a title
// given renames the book file too, unless -o names it.
void ApplyBookInformation(const CliOptions& o, BookForm& form) {
    if (o.title) {
        form.inTitle = *o.title;
        form.lblDesName = ReplaceAll(*o.title, "/", "-") + ".mobi";
    }
    if (o.author) form.inAuthor = *o.author;
    if (o.subject) form.inSubject = *o.subject;
    if (o.publisher) form.inPublisher = *o.publisher;
    if (o.id) form.inID = *o.id;
    if (o.language) form.selLang = *o.language;
    if (o.description) form.inDesc = *o.description;
    // The import's new-project reset clears the cover and the replacement stylesheet, so
    // they are taken after it.
    if (o.cover) form.coverPath = Absolute(*o.cover);
    if (o.stylesheet) {
        form.chkGCSS = true;
        form.replacementStylesheet = Absolute(*o.stylesheet);
    }
    if (o.output) {
        // A folder keeps the book's own name; a file name gets the .mobi extension the
        // compiler gives it, so that every message names the file that is really there.
        std::error_code ec;
        if (o.output->ends_with('/') || fs::is_directory(*o.output, ec)) {
            form.lblDesPath = WithTrailingSlash(Absolute(*o.output));
        } else {
            const fs::path out = Absolute(*o.output);
            form.lblDesName = WithMobiExtension(out.filename().string());
            form.lblDesPath = WithTrailingSlash(out.parent_path().string());
        }
    }
}

// A cover picture or stylesheet that is not there would end the make half-way with a file
// error; it is a usage error, found before anything is read or written.
void CheckGivenFilesExist(const CliOptions& o) {
    const std::pair<const char*, const std::optional<std::string>*> given[] = {
        {"--cover", &o.cover}, {"--stylesheet", &o.stylesheet}};
    for (const auto& [option, value] : given) {
        if (*value && !FileExists(**value))
            throw UsageError{std::string(option) + ": no such file: " + **value};
    }
}

std::vector<std::string> ImportOrder(const std::vector<std::string>& chapters) {
    // The import takes the list as a file dialog returns it: entries 2..n come first, then
    // the first. Hand it the chapters so that this rule gives them back in the order given.
    std::vector<std::string> dialog;
    dialog.reserve(chapters.size());
    dialog.push_back(chapters.back());
    dialog.insert(dialog.end(), chapters.begin(), chapters.end() - 1);
    return dialog;
}

int MarkTocChapter(const std::string& file, Book& book, ChapterGrid& grid, ConsoleUiPort& ui) {
    const std::string name = fs::path(file).filename().string();
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (grid.rows[row][kGridFileColumn] == name) {
            MarkAsToc(book, grid, row);
            return 0;
        }
    }
    ui.ShowMessage("--mark-toc names " + file + ", which is not one of the chapters.");
    return kExitNoBook;
}

// text followed by blanks up to width characters; a UTF-8 character counts once, so the
// columns stay aligned for titles with accents and curly quotes.
std::string PaddedColumn(const std::string& text, std::size_t width) {
    std::size_t characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return text + std::string(characters < width ? width - characters : 0, ' ');
}

void PrintTitles(const ChapterGrid& grid, std::FILE* out) {
    for (int row = 1; row < grid.RowCount(); ++row) {
        const ChapterGridRow& r = grid.rows[row];
        std::fprintf(out, "%3s  %s  %s  %s%s\n", r[kGridNumberColumn].c_str(),
                     PaddedColumn(r[kGridFileColumn], 28).c_str(),
                     PaddedColumn(r[kGridTitleColumn], 40).c_str(), r[kGridSizeColumn].c_str(),
                     r[kGridMarkerColumn].empty() ? "" : "  (TOC)");
    }
}

// The log byte for byte (a NUL byte a compiler printed does not cut it short), with the
// window's CR LF line ends as the console's LF.
void PrintLog(const std::string& log, std::FILE* out) {
    const std::string text = ConsoleText(log);
    std::fwrite(text.data(), 1, text.size(), out);
    if (!text.empty() && text.back() != '\n') std::fputc('\n', out);
}

// The lines of a titles file: LF or CR LF line ends, a byte order mark and a final line
// break ignored.
std::vector<std::string> TitleLines(std::string text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// The chapter titles of the command line, over what the import proposed: the lines of
// --titles FILE, or with --no-auto-title the file names' titles.
void ApplyChapterTitles(const CliOptions& o, ChapterGrid& grid) {
    std::vector<std::string> titles;
    if (o.titlesFile) {
        titles = TitleLines(ReadTextFile(*o.titlesFile));
        if (titles.size() != static_cast<std::size_t>(grid.RowCount() - 1)) {
            throw UsageError("--titles: " + *o.titlesFile + " holds " +
                             std::to_string(titles.size()) + " title(s) for " +
                             std::to_string(grid.RowCount() - 1) + " chapter(s)");
        }
    } else if (o.noAutoTitle) {
        for (int row = 1; row < grid.RowCount(); ++row)
            titles.push_back(FileNameTitle(grid.rows[row][kGridFileColumn]));
    } else {
        return;
    }
    for (int row = 1; row < grid.RowCount(); ++row)
        grid.rows[row][kGridTitleColumn] = titles[static_cast<std::size_t>(row - 1)];
}

// The import the inputs call for; false when nothing was imported (its message was shown).
bool ImportInputs(const CliOptions& o, Book& book, BookForm& form, const Settings& settings,
                  ConsoleUiPort& ui, const std::vector<std::string>& chapters, ChapterGrid& grid) {
    switch (KindOf(o.inputs)) {
        case InputKind::WordDocument: {
            WordConverter word(book.folders.stateFolder);
            const WordImportResult result =
                ImportWordDocument(book, form, settings, ui, word, Absolute(o.inputs[0]), false);
            grid = result.grid;
            return result.imported;
        }
        case InputKind::WordHtml: {
            const WordImportResult result =
                ImportWordHtml(book, form, settings, ui, Absolute(o.inputs[0]), false);
            grid = result.grid;
            return result.imported;
        }
        case InputKind::WebPages:
            break;
    }
    const WebImportResult result = ImportWebPages(book, form, ui, ImportOrder(chapters), false);
    grid = result.grid;
    return result.imported;
}

int ExitStatusOf(MakeOutcome outcome) {
    switch (outcome) {
        case MakeOutcome::Made:
            return kExitMade;
        case MakeOutcome::MadeWithWarnings:
            return kExitMadeWithWarnings;
        case MakeOutcome::Failed:
        case MakeOutcome::Stopped:
            break;
    }
    return kExitNoBook;
}

// "quillery validate FILE.epub": "Validate Other" on the file given, with the jar of the
// settings; the log on standard output.
int ValidateEpub(const CliOptions& options, const WorkFolders& folders, std::FILE* out,
                 std::FILE* err) {
    ConsoleUiPort ui(options.yes, err);
    Settings settings;
    WorkFolders settingsFolders = folders;
    LoadSettingsOrDefaults(settings, settingsFolders);
    Book book;
    const ValidationResult result =
        ValidateOther(book, Absolute(options.inputs[0]), settings.epubcheckJar, ui);
    PrintLog(book.log, out);
    if (result.verdict == ValidationVerdict::Valid) return kExitMade;
    if (result.verdict == ValidationVerdict::ContainsErrors && result.validatorReported)
        return kExitMadeWithWarnings;
    return kExitNoBook;
}

}  // namespace

std::vector<std::string> ChapterFilesOf(const std::vector<std::string>& inputs) {
    std::vector<std::string> files;
    std::error_code ec;
    if (inputs.size() == 1 && fs::is_directory(inputs[0], ec)) {
        for (const auto& entry : fs::directory_iterator(inputs[0], ec)) {
            // A link that leads nowhere, or round in a loop, is no chapter.
            std::error_code entryError;
            if (entry.is_regular_file(entryError) && IsWebPageName(entry.path()))
                files.push_back(Absolute(entry.path().string()));
        }
        if (ec) throw UsageError("cannot read the folder " + inputs[0] + ": " + ec.message());
        std::sort(files.begin(), files.end());
        if (files.empty())
            throw UsageError{"no web pages (*.htm, *.html, *.xhtml) in " + inputs[0]};
        return files;
    }
    std::string folder;
    for (const std::string& input : inputs) {
        if (!fs::is_regular_file(input, ec)) {
            throw UsageError{fs::is_directory(input, ec)
                                 ? "give one folder, or HTML files, not both: " + input
                                 : "no such file: " + input};
        }
        const std::string full = Absolute(input);
        const std::string parent = fs::path(full).parent_path().string();
        if (folder.empty()) folder = parent;
        if (parent != folder)
            throw UsageError{"the chapter files must lie in one folder: " + input};
        // The package names every chapter once; a file given twice would be listed twice.
        if (std::find(files.begin(), files.end(), full) != files.end()) {
            throw UsageError{"a chapter file is given twice: " + input};
        }
        files.push_back(full);
    }
    return files;
}

int RunQuillery(const std::vector<std::string>& args, WorkFolders folders, std::FILE* out,
                std::FILE* err) {
    CliOptions options;
    std::vector<std::string> chapters;
    try {
        options = ParseArguments(args);
        if (options.command == Command::Help) {
            std::fputs(HelpText(), out);
            return args.empty() ? kExitNoBook : kExitMade;
        }
        if (options.command == Command::Validate) return ValidateEpub(options, folders, out, err);
        if (KindOf(options.inputs) == InputKind::WebPages)
            chapters = ChapterFilesOf(options.inputs);
        CheckGivenFilesExist(options);
    } catch (const std::exception& e) {
        std::fprintf(err, "quillery: %s\n", e.what());
        return kExitNoBook;
    }

    std::optional<WorkFolderLock> lock;
    try {
        lock = WorkFolderLock::Take(folders, !options.noWait, [&] {
            std::fprintf(err, "quillery: waiting for another Quillery run to finish with %s\n",
                         folders.stateFolder.c_str());
            std::fflush(err);
        });
    } catch (const std::exception& e) {
        std::fprintf(err, "quillery: %s\n", e.what());
        return kExitNoBook;
    }
    if (!lock) {
        std::fprintf(err,
                     "quillery: another Quillery run is using the work folders in %s; try again "
                     "when it has finished, or leave out --no-wait to wait for it\n",
                     folders.stateFolder.c_str());
        return kExitNoBook;
    }

    ConsoleUiPort ui(options.yes, err);
    Settings settings;
    LoadSettingsOrDefaults(settings, folders);
    if (options.epub) settings.writeEpub = *options.epub;
    Book book;
    book.folders = folders;
    BookForm form;
    ShowSettingsInForm(settings, form);
    ApplyOptions(options, form);
    book.compileFlags.compressionLevel = options.compressionLevel;
    book.compileFlags.pictureFormat = options.gif ? 1 : 0;
    book.compileFlags.westernOnly = options.western;

    if (options.headingAnchors) settings.headingAnchorsInSplit = true;
    ChapterGrid grid;
    if (!ImportInputs(options, book, form, settings, ui, chapters, grid)) return kExitNoBook;
    try {
        ApplyChapterTitles(options, grid);
    } catch (const UsageError& e) {
        std::fprintf(err, "quillery: %s\n", e.what());
        return kExitNoBook;
    }
    if (options.markToc) {
        if (const int status = MarkTocChapter(*options.markToc, book, grid, ui)) return status;
    }
    if (options.command == Command::Titles) {
        PrintTitles(grid, out);
        PrintLog(book.log, err);
        return kExitMade;
    }

    ApplyBookInformation(options, form);
    form.fileList = ChapterRowsOf(grid);
    const MakeResult result = MakeMobi(book, form, settings, ui);
    PrintLog(book.log, out);
    return ExitStatusOf(result.outcome);
}

}  // namespace quillery::cli
