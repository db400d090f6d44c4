#include "mobi/command_line.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "mobi/book_compiler.h"
#include "mobi/compiler_version.h"
#include "mobi/diagnostics.h"

namespace quillery::mobi {
namespace {

// The temporary file being written, removed if the run is interrupted.
char g_temporaryPath[4096] = {0};

extern "C" void RemoveTemporaryAndExit(int) {
    if (g_temporaryPath[0] != '\0') unlink(g_temporaryPath);
    _exit(kExitNotBuilt);
}

void GuardTemporary(const std::string& path) {
    std::snprintf(g_temporaryPath, sizeof g_temporaryPath, "%s", path.c_str());
    struct sigaction action {};
    action.sa_handler = RemoveTemporaryAndExit;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(signal, &action, nullptr);
}

void ReleaseTemporary() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) ::signal(signal, SIG_DFL);
    g_temporaryPath[0] = '\0';
}

struct ParsedArguments {
    CompileOptions options;
    std::string outputName;
    std::string error;
};

ParsedArguments ParseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "-c0" || a == "-c1" || a == "-c2") {
            parsed.options.compressionLevel = a[2] - '0';
        } else if (a == "-gif") {
            parsed.options.pictureFormat = PictureFormat::Gif;
        } else if (a == "-western") {
            parsed.options.western = true;
        } else if (a == "-verbose") {
            parsed.options.verbose = true;
        } else if (a == "-o") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                parsed.error = "option -o needs a file name";
                return parsed;
            }
            parsed.outputName = arguments[++i];
        } else if (!a.empty() && a[0] == '-') {
            parsed.error = "unknown option \"" + a + "\"";
            return parsed;
        } else if (parsed.options.opfPath.empty()) {
            parsed.options.opfPath = a;
        } else {
            parsed.error = "more than one package document given (\"" + parsed.options.opfPath +
                           "\" and \"" + a + "\")";
            return parsed;
        }
    }
    if (parsed.options.opfPath.empty()) {
        parsed.error = "no package document given";
        return parsed;
    }
    if (parsed.outputName.find('/') != std::string::npos ||
        parsed.outputName.find('\\') != std::string::npos) {
        parsed.error =
            "the output name \"" + parsed.outputName +
            "\" must be a file name: the book is written into the folder of the package document";
        return parsed;
    }
    if (parsed.outputName == "." || parsed.outputName == "..") {
        parsed.error = "\"" + parsed.outputName + "\" is not a file name";
        return parsed;
    }
    if (parsed.outputName.empty()) {
        std::string base = parsed.options.opfPath.substr(parsed.options.opfPath.rfind('/') + 1);
        const auto dot = base.rfind('.');
        if (dot != std::string::npos && dot > 0) base.resize(dot);
        parsed.outputName = base + ".mobi";
    }
    return parsed;
}

std::ostream* g_out = nullptr;
void PrintFinding(const Finding& finding) {
    *g_out << FormatFinding(finding) << '\n' << std::flush;
}

}  // namespace

bool WriteFileAtomically(const std::string& folder, const std::string& name,
                         const std::string& bytes, std::string& error) {
    std::string temporary = folder + "." + name + ".XXXXXX";
    // No interruption between creating the temporary file and arming its removal.
    sigset_t interruptions, previous;
    sigemptyset(&interruptions);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&interruptions, signal);
    sigprocmask(SIG_BLOCK, &interruptions, &previous);
    const int fd = mkstemp(temporary.data());
    if (fd >= 0) GuardTemporary(temporary);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (fd < 0) {
        error = "cannot create a file in \"" + folder + "\": " + std::strerror(errno);
        return false;
    }
    // mkstemp makes the file private; give it the permissions of any newly created file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot write \"" + folder + name + "\": " + std::strerror(errno);
            close(fd);
            unlink(temporary.c_str());
            ReleaseTemporary();
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        error = "cannot write \"" + folder + name + "\": " + std::strerror(errno);
        unlink(temporary.c_str());
        ReleaseTemporary();
        return false;
    }
    if (std::rename(temporary.c_str(), (folder + name).c_str()) != 0) {
        error = "cannot replace \"" + folder + name + "\": " + std::strerror(errno);
        unlink(temporary.c_str());
        ReleaseTemporary();
        return false;
    }
    ReleaseTemporary();
    return true;
}

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
        "  -gif       pictures as GIF (the default keeps JPEG and GIF and turns the rest into "
        "JPEG)\n"
        "  -western   Windows-1252 text, other characters as numeric references\n"
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
    diagnostics.Info(std::string(CompilerBanner()) + ": compiling \"" + parsed.options.opfPath +
                     "\"");
    CompileOptions options = parsed.options;
    options.keepText = false;
    auto book = CompileBook(options, diagnostics);
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
    if (!WriteFileAtomically(folder, parsed.outputName, book->bytes, error)) {
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

}  // namespace quillery::mobi
