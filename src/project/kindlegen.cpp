// The MOBI compiler driver (see kindlegen.h).

#include "project/kindlegen.h"

#include <filesystem>
#include <system_error>

#include "project/book.h"
#include "project/command_runner.h"
#include "project/ui_port.h"
#include "text/paths.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

}  // namespace

CompileFlags SaveCompileFlags(const CompileFlagsChoice& choice) {
    CompileFlags options;
    if (choice.selCompLevel1)
        options.compressionLevel = 0;
    else if (choice.selCompLevel3)
        options.compressionLevel = 2;
    else
        options.compressionLevel = 1;
    options.pictureFormat = choice.selPicFormat2 ? 1 : 0;
    options.westernOnly = choice.chkWestern;
    return options;
}

bool CheckKindleGen(const std::string& kindleGenPath, UiPort& ui, bool& sizeFlag) {
    if (kindleGenPath.empty()) {
        ui.RequestKindleGenPath();
        return false;
    }
    if (!IsRegularFile(kindleGenPath)) {
        ui.ShowMessage(kKindleGenMissingMessage);
        return false;
    }
    std::error_code ec;
    const auto size = fs::file_size(kindleGenPath, ec);
    // The flag picks a font-size patch for one family of KindleGen builds; a larger build of
    // our own compiler must not get it.
    sizeFlag = !ec && size > static_cast<std::uintmax_t>(kLargeKindleGenBytes) &&
               !IsOwnCompiler(kindleGenPath);
    return true;
}

bool CheckKindleGen(const std::string& kindleGenPath, UiPort& ui, Book& book) {
    return CheckKindleGen(kindleGenPath, ui, book.kindleGenSizeFlag);
}

std::string KindleGenOptionText(const CompileFlags& options) {
    std::string text;
    if (options.compressionLevel != 1) text += " -c" + std::to_string(options.compressionLevel);
    if (options.pictureFormat == 1) text += " -gif";
    if (options.westernOnly) text += " -western";
    return text;
}

std::string WithMobiExtension(const std::string& name) {
    const size_t slash = name.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return name + ".mobi";
    return name.substr(0, dot) + ".mobi";
}

std::string KindleGenCommandLine(const std::string& kindleGenPath, const std::string& opsFolder,
                                 const CompileFlags& options, const std::string& outputFileName) {
    return ShellQuote(kindleGenPath) + " " + ShellQuote(opsFolder + "content.opf") +
           KindleGenOptionText(options) + " -o " + ShellQuote(WithMobiExtension(outputFileName));
}

CompileResult CompileMobi(const std::string& kindleGenPath, const std::string& opsFolder,
                          const CompileFlags& options, const std::string& outputFileName,
                          const std::string& fullOutputPath) {
    CompileResult result;
    // The compiler writes a bare -o name beside content.opf; only the file name is passed,
    // so the output can never land (or be deleted) outside the OPS folder.
    const std::string outputName = WithMobiExtension(FileNamePart(outputFileName));
    const std::string produced = opsFolder + outputName;

    // A file left by an earlier make must not pass for this run's result.
    std::error_code ec;
    fs::remove(produced, ec);
    if (fs::exists(produced, ec)) {
        result.output = "The old output file " + produced + " could not be removed.\r\n";
        return result;
    }

    // "exec": the shell becomes the compiler, so that the compiler itself is the process
    // that dies with the program (a shell's child would outlive it).
    bool ended = false;
    result.output = RunCommand(
        "exec " + KindleGenCommandLine(kindleGenPath, opsFolder, options, outputName), "/", &ended);
    if (ended) {
        // A compiler stopped part-way may have left part of a book: it is never taken.
        fs::remove(produced, ec);
        result.output += "The compiler was stopped before it finished.\r\n";
        return result;
    }

    result.warnings = CountCompilerWarnings(result.output);
    if (IsRegularFile(produced)) {
        CopyFileAtomic(produced, WithMobiExtension(fullOutputPath));
        result.success = true;
    }
    return result;
}

int CountCompilerWarnings(std::string_view output) {
    int count = 0;
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find('\n', start);
        if (end == std::string_view::npos) end = output.size();
        std::string_view line = output.substr(start, end - start);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.starts_with("Warning(")) ++count;
        start = end + 1;
    }
    return count;
}

CompileResult CompileMobi(const std::string& kindleGenPath, const Book& book) {
    return CompileMobi(kindleGenPath, book.folders.opsFolder, book.compileFlags,
                       book.outputFileName, book.fullOutputPath);
}

std::string BundledCompilerPath(const WorkFolders& folders) {
    const std::string path = folders.programFolder + "opf2mobi";
    return IsRegularFile(path) ? path : std::string();
}

std::string CompilerToRun(const std::string& kindleGenPath, const WorkFolders& folders) {
    return kindleGenPath.empty() ? BundledCompilerPath(folders) : kindleGenPath;
}

bool IsOwnCompiler(const std::string& compilerPath) {
    return FileNamePart(compilerPath) == "opf2mobi";
}

}  // namespace quillery
