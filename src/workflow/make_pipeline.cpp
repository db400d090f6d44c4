// The make pipeline (see make_pipeline.h).

#include "workflow/make_pipeline.h"

#include <algorithm>
#include <exception>
#include <filesystem>

#include "css/stylesheet_pass.h"
#include "htmlimport/element_cleaner.h"
#include "htmlimport/element_removal.h"
#include "htmlimport/resource_links.h"
#include "htmlimport/tag_normaliser.h"
#include "package/container.h"
#include "package/cover_pages.h"
#include "package/opf_writer.h"
#include "package/package_names.h"
#include "package/toc_writer.h"
#include "project/book.h"
#include "project/book_form.h"
#include "project/command_runner.h"
#include "project/kindlegen.h"
#include "project/settings.h"
#include "project/ui_port.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "text/strings.h"
#include "text/text_file.h"
#include "workflow/chapter_anchors.h"
#include "workflow/chapter_resources.h"
#include "workflow/epub_output.h"
#include "workflow/resource_relinking.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

// The make's progress, one status line per step, with the gauge following the steps.
class Progress {
public:
    explicit Progress(UiPort& ui) : ui_(ui) {}
    void Step(int step, std::string_view text) {
        ui_.SetProgress(step * 100 / kSteps);
        ui_.SetStatus(text);
    }

private:
    static constexpr int kSteps = 26;
    UiPort& ui_;
};

// True when every chapter has a title in the grid; a title of blanks alone is none.
bool EveryChapterTitled(const Book& book, const BookForm& form) {
    if (form.fileList.size() < book.chapters.size()) return false;
    return std::none_of(form.fileList.begin(), form.fileList.end(),
                        [](const ChapterRow& row) { return Trim(row.title).empty(); });
}

bool PreconditionsHold(Book& book, const BookForm& form, UiPort& ui) {
    if (!CheckKindleGen(CompilerToRun(form.inKGenPath, book.folders), ui, book)) return false;
    if (!CheckFilesImported(book, ui)) return false;
    ui.ShowPage(Page::General);
    if (form.inTitle.empty()) {
        ui.ShowMessage(kTitleMissingMessage);
        ui.FocusControl(Control::BookTitleBox);
        return false;
    }
    if (form.lblDesName.empty()) {
        ui.ShowMessage(kOutputMissingMessage);
        return false;
    }
    if (!EveryChapterTitled(book, form)) {
        ui.ShowMessage(kTitlesMissingMessage);
        ui.FocusControl(Control::ChapterGrid);
        return false;
    }
    return true;
}

// The chapter list as the grid holds it (a row for every chapter, the preconditions made
// sure): file names as they stand, titles XML-escaped.
void TakeChapterRows(Book& book, const BookForm& form) {
    for (std::size_t i = 0; i < book.chapters.size() && i < form.fileList.size(); ++i) {
        book.chapters[i].file = form.fileList[i].fileName;
        book.chapters[i].title = EncodeEntities(form.fileList[i].title);
    }
}

void LoadAndNormaliseChapters(Book& book) {
    for (Chapter& chapter : book.chapters) {
        std::string text = ReadTextFile(book.sourceFolder + chapter.file);
        NormaliseChapterMarkup(text);
        // Elements the user asked to drop go right after the normalisation, before anything
        // collects the pictures the chapters use.
        if (book.options.removeElements.enabled)
            RemoveHtmlElements(text, book.options.removeElements);
        chapter.content = std::move(text);
    }
}

void CopyReplacementStylesheet(const Book& book) {
    if (!book.options.replaceStylesheet || book.replacementStylesheet.empty()) return;
    CopyFile(book.replacementStylesheet, book.folders.opsFolder + ReplacementStylesheetName(book));
}

void WriteChapters(const Book& book) {
    for (const Chapter& chapter : book.chapters) {
        const std::string target = book.folders.opsFolder + chapter.file;
        fs::create_directories(fs::path(target).parent_path());
        WriteTextFile(target, chapter.content);
    }
}

std::string WarningsSentence(int warnings) {
    return "The compiler gave " + std::to_string(warnings) +
           " warning(s): something was left out of the book, please check the log.";
}

// A file error that ended a command: logged as "# <error>" and shown.
void ReportFileError(Book& book, UiPort& ui, const std::exception& e) {
    book.AppendLog(std::string("# ") + e.what());
    ui.ShowMessage(e.what());
}

// The compile stage: navigation, package document, stylesheets, then the compiler.
CompileResult Compile(Book& book, const BookForm& form, Progress& progress) {
    progress.Step(20, "Making TOC");
    WriteTocFiles(book);
    progress.Step(21, "Writing content.opf");
    WriteContentOpf(book, ChapterResourceCollectors());
    progress.Step(22, "Processing stylesheets");
    try {
        ProcessStylesheets(book);
        AppendParagraphRule(book);
    } catch (const StylesheetError&) {
        // The pass has logged what failed; the book is not compiled with a broken stylesheet.
        return {};
    }
    progress.Step(23, "Compiling the Mobi book");
    return CompileMobi(CompilerToRun(form.inKGenPath, book.folders), book);
}

// The report names the file really written (an output name "My Book.epub" gives
// "My Book.mobi") and, when the compiler left something out, how many warnings it gave.
void Report(Book& book, const CompileResult& result, UiPort& ui) {
    if (result.success) {
        const std::string written = FinalMobiPath(book);
        std::string message = "Your Mobi book has been saved in " + book.outputFolder + " as " +
                              FileNamePart(written);
        if (result.warnings > 0) message += "\r\n" + WarningsSentence(result.warnings);
        ui.ShowMessage(message);
        book.AppendLog("# Mobi book " + FileNamePart(written) + " made successfully.");
        if (result.warnings > 0) book.AppendLog("# " + WarningsSentence(result.warnings));
        book.log += "# File saved at " + written;
        ui.ShowBuildLog(book.log);
    } else {
        ui.ShowMessage(kCompileFailedMessage);
        book.log += "# Mobi file creation failed.";
        ui.ShowBuildLog(book.log);
        ui.OpenLogWindow();
    }
}

}  // namespace

MakeResult MakeMobi(Book& book, const BookForm& form, Settings& settings, UiPort& ui) {
    Progress progress(ui);
    progress.Step(1, "Checking the book");
    if (!PreconditionsHold(book, form, ui)) return {};

    book.log.clear();
    ReadExportOptions(settings, form, book);
    CopyOptionsFromForm(book, form);
    TakeOutputLocation(book, form);
    TakeChapterRows(book, form);
    ChoosePackageNames(book);

    MakeOutcome outcome = MakeOutcome::Failed;
    bool packageWritten = false;
    try {
        progress.Step(11, "Preparing the package folder");
        PrepareContainer(book);
        FillMetadataFromForm(book, form);
        progress.Step(13, "Reading the chapters");
        LoadAndNormaliseChapters(book);
        progress.Step(15, "Writing the cover and title pages");
        if (CopyCoverPicture(book)) WriteCoverPage(book);
        WriteTitlePage(book);
        CopyReplacementStylesheet(book);
        RelinkChapterResources(book);
        if (book.wordSplit) RepairAnchorLinks(book);
        AddTargetableAnchors(book);
        progress.Step(19, "Writing the chapters");
        WriteChapters(book);
        packageWritten = true;
        const CompileResult result = Compile(book, form, progress);
        book.AppendLog(result.output);
        if (result.success && settings.writeEpub) {
            progress.Step(24, "Writing the ePub book");
            WriteBookEpub(book, ui);
        }
        progress.Step(24,
                      result.success ? "The Mobi book is made" : "The Mobi book could not be made");
        Report(book, result, ui);
        if (result.success)
            outcome = result.warnings > 0 ? MakeOutcome::MadeWithWarnings : MakeOutcome::Made;
    } catch (const std::exception& e) {
        // A file that cannot be written ends the command; the package stays as far as it got,
        // and a book made before stays whole.
        ReportFileError(book, ui, e);
        book.log += "# Mobi file creation failed.";
        ui.ShowBuildLog(book.log);
        ui.OpenLogWindow();
    }
    for (Chapter& chapter : book.chapters) chapter.content = std::string();
    progress.Step(26, outcome == MakeOutcome::Failed ? "Stopped" : "Done");
    if (!packageWritten) {
        MakeResult stopped;
        stopped.outcome = outcome;
        return stopped;
    }
    book.previewSource = PreviewSource::Made;
    return {outcome, true};
}

bool MakeContent(Book& book, const BookForm& form, UiPort& ui) {
    try {
        FillMetadataFromForm(book, form);
        WriteContentOpf(book, ChapterResourceCollectors());
        return true;
    } catch (const std::exception& e) {
        ReportFileError(book, ui, e);
        ui.ShowBuildLog(book.log);
        return false;
    }
}

bool MakeToc(Book& book, UiPort& ui) {
    try {
        WriteTocFiles(book);
        return true;
    } catch (const std::exception& e) {
        ReportFileError(book, ui, e);
        ui.ShowBuildLog(book.log);
        return false;
    }
}

bool ReCompile(Book& book, const std::string& kindleGenPath, UiPort& ui) {
    if (book.fullOutputPath.empty()) {
        ui.ShowMessage(kRecompileFirstMessage);
        return false;
    }
    // Judged by this run's result: the book an earlier make saved at the output path is
    // still there when the compiler fails now.
    try {
        const CompileResult result = CompileMobi(CompilerToRun(kindleGenPath, book.folders), book);
        if (!result.success || !FileExists(FinalMobiPath(book))) return false;
    } catch (const std::exception& e) {
        ReportFileError(book, ui, e);
        ui.ShowBuildLog(book.log);
        return false;
    }
    ui.ShowMessage(kRecompiledMessage);
    return true;
}

}  // namespace quillery
