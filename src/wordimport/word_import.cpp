// The file work of the Word imports, for the workflow's drivers (see word_import.h).

#include "wordimport/word_import.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "text/file_utils.h"
#include "text/paths.h"
#include "wordimport/legacy_conversion.h"
#include "wordimport/word_html_cleaner.h"

namespace quillery {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDocumentImported = "Word file imported successfully.";
constexpr const char* kHtmlImported = "Word HTML imported successfully.";
constexpr const char* kNotWritten = "The chapter files cannot be written in the work folder: ";

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A private folder for LibreOffice's output, removed again afterwards.
struct ScratchFolder {
    std::string path;
    explicit ScratchFolder(const std::string& parent) {
        std::string pattern = WithTrailingSlash(parent) + "convert-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) path = pattern + "/";
    }
    ~ScratchFolder() {
        if (!path.empty()) DeleteFolderTree(path);
    }
};

// The section split into result; a file that cannot be written ends the import with a
// message (the split leaves no page of its own behind).
void SplitInto(WordImportFiles& result, const std::string& htmlPath,
               const WordImportOptions& options) {
    try {
        result.chapters = SplitWordHtml(htmlPath, {options.split, options.headingAnchors});
    } catch (const std::system_error& error) {
        result.error = std::string(kNotWritten) + error.what();
        return;
    }
    result.log.insert(result.log.end(), result.chapters.log.begin(), result.chapters.log.end());
    result.imported = !result.chapters.files.empty();
}

// Creates the import's work folder; when it cannot be written, says so in result.
bool MadeFolder(const std::string& folder, WordImportFiles& result) {
    std::error_code folderError;
    fs::create_directories(folder, folderError);
    if (!folderError && FolderExists(folder)) return true;
    result.error = std::string(kNotWritten) + folder;
    return false;
}

}  // namespace

WordConversion WordConverter::Convert(const std::string& documentPath, const std::string& htmlPath,
                                      const WordImportOptions& options, ImportProgress& progress) {
    WordConversion result;
    if (!present()) return result;
    progress.Status("Opening " + documentPath);
    std::string docxPath = documentPath;
    std::optional<ScratchFolder> scratch;
    if (NeedsDocxConversion(documentPath)) {
        fs::create_directories(stateFolder_);
        scratch.emplace(stateFolder_);
        const LegacyConversion legacy = ConvertToDocx(documentPath, scratch->path, stateFolder_);
        if (legacy.docxPath.empty()) {
            result.error = legacy.error;
            return result;
        }
        docxPath = legacy.docxPath;
    }
    progress.Status("Converting " + documentPath);
    DocxConversionOptions conversion;
    conversion.pixelsPerInch = options.pixelsPerInch;
    conversion.picturesAsPng = options.picturesAsPng;
    try {
        WordHtmlDocument document = ConvertDocxToWordHtml(docxPath, htmlPath, conversion);
        result.converted = true;
        result.properties = std::move(document.properties);
        result.log = std::move(document.log);
    } catch (const DocxError& error) {
        result.error = error.what();
    } catch (const std::system_error& error) {
        result.error = std::string("The converted document cannot be written: ") + error.what();
    }
    return result;
}

WordConversion WordConverter::ConvertAndClean(const std::string& documentPath,
                                              const std::string& htmlPath,
                                              const WordImportOptions& options,
                                              ImportProgress& progress) {
    WordConversion result = Convert(documentPath, htmlPath, options, progress);
    if (!result.converted || !options.optimiseHtml) return result;
    try {
        OptimiseWordHtmlFile(htmlPath, progress);
    } catch (const std::system_error& error) {
        result.converted = false;
        result.error = std::string(kNotWritten) + error.what();
        std::error_code ignored;
        fs::remove(htmlPath, ignored);
        fs::remove_all(StripExtension(htmlPath) + "_files", ignored);
    }
    return result;
}

WordImportFiles ImportWordDocumentFiles(const std::string& documentPath,
                                        const std::string& doctmpFolder,
                                        const std::string& stateFolder,
                                        const WordImportOptions& options,
                                        ImportProgress& progress) {
    WordImportFiles result;
    const std::string folder = WithTrailingSlash(doctmpFolder);
    if (!MadeFolder(folder, result)) return result;
    const std::string htmlPath = folder + FileBaseName(documentPath) + ".html";
    WordConverter word(stateFolder);
    word.Start();
    WordConversion conversion = word.ConvertAndClean(documentPath, htmlPath, options, progress);
    word.Shutdown();
    result.log = std::move(conversion.log);
    if (!conversion.converted) {
        result.error = std::move(conversion.error);
        return result;
    }
    result.properties = std::move(conversion.properties);
    result.log.emplace_back(kDocumentImported);
    // With the split off the file still goes through the split as one chapter, so that its
    // pictures (imgs/) and stylesheet (style.css) are where the make looks for them.
    SplitInto(result, htmlPath, options);
    return result;
}

WordImportFiles ImportWordHtmlFiles(const std::string& htmlFile, const std::string& doctmpFolder,
                                    const WordImportOptions& options, ImportProgress& progress) {
    WordImportFiles result;
    const std::string folder = WithTrailingSlash(doctmpFolder);
    if (!MadeFolder(folder, result)) return result;
    result.log.emplace_back(kHtmlImported);
    const std::string copy = folder + FileNameOf(htmlFile);
    try {
        fs::copy_file(htmlFile, copy, fs::copy_options::overwrite_existing);
        if (options.optimiseHtml) OptimiseWordHtmlFile(copy, progress);
        const std::string companion = StripExtension(htmlFile) + "_files";
        if (FolderExists(companion))
            fs::copy(companion, StripExtension(copy) + "_files",
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    } catch (const WordHtmlVersionError& error) {
        result.error = error.what();
        return result;
    } catch (const std::system_error& error) {
        result.error = std::string(kNotWritten) + error.what();
        return result;
    }
    SplitInto(result, copy, options);
    return result;
}

}  // namespace quillery
