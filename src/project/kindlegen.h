#pragma once
// The MOBI compiler driver: the presence check, the compiler's command line, the run and
// the success test. The compiler is KindleGen or the bundled opf2mobi, which honours the
// same command line; success is the appearance of the output file beside content.opf.

#include <string>

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
// bytes) and the result is true.
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
};

// Compiles opsFolder + "content.opf" to opsFolder + WithMobiExtension(outputFileName),
// running the compiler in "/" (only the file-name part of outputFileName is used, so the
// compiler's output always lands beside content.opf). An output file left there by an earlier make
// is deleted first, so only a file this run wrote counts. On success the file is copied
// (overwriting) to WithMobiExtension(fullOutputPath) and stays in the OPS folder too. Throws
// std::system_error when that copy fails.
CompileResult CompileMobi(const std::string& kindleGenPath, const std::string& opsFolder,
                          const CompileFlags& options, const std::string& outputFileName,
                          const std::string& fullOutputPath);
// The same for the Book project: its OPS folder, compile options and output location.
CompileResult CompileMobi(const std::string& kindleGenPath, const Book& book);

// The bundled compiler: programFolder + "opf2mobi" when that file exists, else "".
std::string BundledCompilerPath(const WorkFolders& folders);

}  // namespace quillery
