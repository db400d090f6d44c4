// .doc, .odt and .rtf documents converted to .docx by LibreOffice (see legacy_conversion.h).

#include "wordimport/legacy_conversion.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "project/command_runner.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace quillery {
namespace {

constexpr std::string_view kOle2Signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

std::string ExtensionOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return LowerAscii(path.substr(dot));
}

bool HasOle2Signature(const std::string& path) {
    return ReadFileHead(path, kOle2Signature.size()) == kOle2Signature;
}

}  // namespace

bool NeedsDocxConversion(const std::string& documentPath) {
    const std::string extension = ExtensionOf(documentPath);
    return extension == ".doc" || extension == ".odt" || extension == ".rtf";
}

std::string FindLibreOffice() {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return {};
    const std::string_view folders(path);
    for (const char* program : {"soffice", "libreoffice"}) {
        std::size_t from = 0;
        while (from <= folders.size()) {
            const std::size_t colon = std::min(folders.find(':', from), folders.size());
            const std::string folder(folders.substr(from, colon - from));
            from = colon + 1;
            if (folder.empty()) continue;
            const std::string candidate = WithTrailingSlash(folder) + program;
            if (access(candidate.c_str(), X_OK) == 0) return candidate;
        }
    }
    return {};
}

LegacyConversion ConvertToDocx(const std::string& documentPath, const std::string& outputFolder,
                               const std::string& stateFolder, const std::string& libreOffice) {
    LegacyConversion result;
    if (ExtensionOf(documentPath) == ".doc" && !HasOle2Signature(documentPath)) {
        result.error = kNotWordDocMessage;
        return result;
    }
    if (libreOffice.empty()) {
        result.error = kLibreOfficeMissingMessage;
        return result;
    }
    // LibreOffice runs in the output folder: every path it gets is absolute.
    const std::string folder = WithTrailingSlash(std::filesystem::absolute(outputFolder).string());
    const std::string source = std::filesystem::absolute(documentPath).string();
    const std::string output = folder + FileBaseName(documentPath) + ".docx";
    std::remove(output.c_str());
    const std::string profile = "file://" +
                                WithTrailingSlash(std::filesystem::absolute(stateFolder).string()) +
                                "lo-profile";
    const std::string command = ShellQuote(libreOffice) + " --headless --norestore " +
                                ShellQuote("-env:UserInstallation=" + profile) +
                                " --convert-to docx --outdir " + ShellQuote(folder) + " " +
                                ShellQuote(source);
    RunCommand(command, folder);
    // LibreOffice exits with 0 even when it fails: the output file is the verdict.
    if (FileSizeOf(output) > 0) {
        result.docxPath = output;
    } else {
        std::remove(output.c_str());
        result.error = kLegacyConversionFailedMessage;
    }
    return result;
}

}  // namespace quillery
