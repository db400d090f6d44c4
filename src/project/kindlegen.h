#pragma once
// The MOBI compiler driver: the presence check, the compiler's command line, the run and
// the success test. The compiler is KindleGen or the bundled opf2mobi, which honours the
// same command line; success is the appearance of the output file beside content.opf.

#include <string>
#include <string_view>

#include "project/compile_flags.h"
#include "project/work_folders.h"

namespace quillery {

class UiPort;
struct Book;

// The compiler file size above which the compiler counts as a newer KindleGen.
inline constexpr long long kLargeKindleGenBytes = 2048000;

inline constexpr const char* kKindleGenMissingMessage =
    "KindleGen can not be found, please set \r\ncorrect path of KindleGen in Settings.";

// The presence check, the first step of a make. An empty path asks the user for one
// (ui.RequestKindleGenPath()) and gives false; a path where no file exists shows
// kKindleGenMissingMessage and gives false; otherwise sizeFlag := (file size > 2,048,000
// bytes), always false for our own compiler (IsOwnCompiler), and the result is true.
bool CheckKindleGen(const std::string& kindleGenPath, UiPort& ui, bool& sizeFlag);
// The same, storing the size flag in book.kindleGenSizeFlag.
bool CheckKindleGen(const std::string& kindleGenPath, UiPort& ui, Book& book);

// The option text: " -cN" unless the level is 1, then " -gif", then " -western".
std::string KindleGenOptionText(const CompileFlags& options);

// name with the extension of its file-name part replaced by ".mobi" (appended when it has
// none): "book.htm" -> "book.mobi", "/a.b/book" -> "/a.b/book.mobi".
std::string WithMobiExtension(const std::string& name);

// 'compiler' 'opsFolder'content.opf<options> -o 'outputName.mobi' with every path quoted
// for the shell (ShellQuote) and no outer quotes.
std::string KindleGenCommandLine(const std::string& kindleGenPath, const std::string& opsFolder,
                                 const CompileFlags& options, const std::string& outputFileName);

struct CompileResult {
    std::string output;    // the compiler's console output
    bool success = false;  // the output file appeared and was copied to its destination
    int warnings = 0;      // "Warning(...)" lines in the output: something was left out
};

// The number of lines of compiler output that start with "Warning(" (opf2mobi and KindleGen
// both write "Warning(tool): text").
int CountCompilerWarnings(std::string_view output);

// Compiles opsFolder + "content.opf" to opsFolder + WithMobiExtension(outputFileName),
// running the compiler in "/" (only the file-name part of outputFileName is used, so the
// compiler's output always lands beside content.opf). An output file left there by an earlier make
// is deleted first, so only a file this run wrote counts. On success the file is copied
// to WithMobiExtension(fullOutputPath) through a temporary file renamed over the old book
// (CopyFileAtomic) and stays in the OPS folder too. A compiler ended by EndRunningCommand
// fails, and whatever it wrote is removed. Throws std::system_error, naming the
// cause, when that copy fails; the old book is then left whole.
CompileResult CompileMobi(const std::string& kindleGenPath, const std::string& opsFolder,
                          const CompileFlags& options, const std::string& outputFileName,
                          const std::string& fullOutputPath);
// The same for the Book project: its OPS folder, compile options and output location.
CompileResult CompileMobi(const std::string& kindleGenPath, const Book& book);

// The bundled compiler: programFolder + "opf2mobi" when that file exists, else "".
std::string BundledCompilerPath(const WorkFolders& folders);

// The compiler a command runs: the KindleGen path as set, or the bundled compiler when the
// path is empty ("" when there is none either).
std::string CompilerToRun(const std::string& kindleGenPath, const WorkFolders& folders);

// True when the compiler is our own opf2mobi (by its file name), which needs none of the
// patches for particular KindleGen builds.
bool IsOwnCompiler(const std::string& compilerPath);

}  // namespace quillery
