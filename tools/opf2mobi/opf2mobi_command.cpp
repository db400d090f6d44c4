// The opf2mobi command: reads the command line, compiles the package and writes the book,
// printing every finding as it is made.

#include "opf2mobi/opf2mobi_command.h"

#include "mobi/book_compiler.h"
#include "mobi/compiler_version.h"
#include "mobi/diagnostics.h"
#include "opf2mobi/arguments.h"
#include "opf2mobi/output_file.h"

namespace quillery::opf2mobi {
namespace {

using mobi::CompileOptions;
using mobi::Diagnostics;
using mobi::Finding;
using mobi::Severity;

std::ostream* g_out = nullptr;
void PrintFinding(const Finding& finding) {
    *g_out << mobi::FormatFinding(finding) << '\n' << std::flush;
}

}  // namespace

int RunOpf2Mobi(const std::vector<std::string>& arguments, std::ostream& out) {
    g_out = &out;
    Diagnostics diagnostics;
    diagnostics.SetListener(PrintFinding);
    const auto notBuilt = [&]() {
        out << "Error(opf2mobi): Mobi file not built (" << diagnostics.Count(Severity::Error)
            << " error(s))\n";
        return kExitNotBuilt;
    };
    static const char* kUsage =
        "Usage: opf2mobi <path>/content.opf [-c0|-c1|-c2] [-gif] [-western] [-o NAME.mobi] "
        "[-verbose]\n"
        "  -c0        no compression\n"
        "  -c1        standard (PalmDOC) compression, the default\n"
        "  -c2        Kindle Huffdic compression\n"
        "  -gif       pictures as GIF, the cover and its thumbnail JPEG (the default keeps\n"
        "             RGB or grey JPEG and one-frame GIF, and turns the rest into JPEG)\n"
        "  -western   Windows-1252 text, other characters as numeric references (in the\n"
        "             table of contents and metadata: their nearest letters, or \"?\")\n"
        "  -o NAME    the book's file name, written into the folder of the OPF\n"
        "             (default: the OPF's name with .mobi)\n"
        "  -verbose   more information lines\n";
    if (arguments.size() == 1 &&
        (arguments[0] == "-help" || arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return kExitBuilt;
    }
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.error.empty()) {
        diagnostics.Error(parsed.error);
        diagnostics.Info(
            "usage: opf2mobi <path>/content.opf [-c0|-c1|-c2] [-gif] [-western] [-o NAME.mobi] "
            "[-verbose] (-help tells more)");
        return notBuilt();
    }
    diagnostics.Info(std::string(mobi::CompilerBanner()) + ": compiling \"" +
                     parsed.options.opfPath + "\"");
    CompileOptions options = parsed.options;
    options.keepText = false;
    auto book = mobi::CompileBook(options, diagnostics);
    if (!book) return notBuilt();
    const std::string& opf = parsed.options.opfPath;
    const std::string folder =
        opf.rfind('/') == std::string::npos ? std::string() : opf.substr(0, opf.rfind('/') + 1);
    if (book->packageFiles.count(parsed.outputName)) {
        diagnostics.Error("the output name \"" + parsed.outputName +
                          "\" is a file of the package; choose another name");
        return notBuilt();
    }
    std::string error;
    if (!WriteFileAtomically(folder, parsed.outputName, book->file.Pieces(), error)) {
        diagnostics.Error(error);
        return notBuilt();
    }
    const int warnings = diagnostics.Count(Severity::Warning);
    if (warnings == 0) {
        out << "Info(opf2mobi): Mobi file built: \"" << folder << parsed.outputName << "\"\n";
        return kExitBuilt;
    }
    out << "Info(opf2mobi): Mobi file built with " << warnings << " warning(s): \"" << folder
        << parsed.outputName << "\"\n";
    return kExitBuiltWithWarnings;
}

}  // namespace quillery::opf2mobi
