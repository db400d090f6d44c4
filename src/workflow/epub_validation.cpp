// ePub validation with epubcheck (see epub_validation.h).

#include "workflow/epub_validation.h"

#include "project/book.h"
#include "project/command_runner.h"
#include "project/ui_port.h"
#include "text/file_utils.h"
#include "text/paths.h"
#include "text/strings.h"
#include "workflow/epub_output.h"

namespace quillery {

namespace {

// The jar checks shared by both commands; true when the validator may run.
bool JarUsable(const std::string& jarPath, UiPort& ui) {
    return FileSettingUsable(jarPath, kSetEpubcheckMessage, kJarMissingMessage, ui);
}

bool Reported(const std::string& output) {
    return output.find("No errors") != std::string::npos ||
           output.find("ERROR(") != std::string::npos ||
           output.find("FATAL(") != std::string::npos ||
           output.find("WARNING(") != std::string::npos;
}

// Runs the validator on file and shows the verdict; the log is the caller's.
ValidationResult Run(const std::string& file, const std::string& jarPath, UiPort& ui) {
    ValidationResult result;
    result.output =
        NormaliseValidatorOutput(RunCommand(ValidatorCommandLine(jarPath, file), "/"), file);
    result.validatorReported = Reported(result.output);
    if (result.output.find("No errors") != std::string::npos) {
        result.verdict = ValidationVerdict::Valid;
        ui.ShowMessage(kEpubValidMessage);
    } else {
        result.verdict = ValidationVerdict::ContainsErrors;
        ui.ShowMessage(kEpubErrorsMessage);
        ui.ShowPage(Page::Log);
    }
    return result;
}

void AppendOutput(Book& book, const ValidationResult& result, UiPort& ui) {
    book.AppendLog(kValidationLogHeader);
    book.log += result.output;
    ui.ShowBuildLog(book.log);
}

}  // namespace

std::string NormaliseValidatorOutput(std::string output, const std::string& checkedFile) {
    if (!checkedFile.empty()) output = ReplaceAll(output, checkedFile, "");
    std::string text;
    text.reserve(output.size() + output.size() / 32);
    for (std::size_t i = 0; i < output.size(); ++i) {
        const char c = output[i];
        if (c == '\r') {
            if (i + 1 < output.size() && output[i + 1] == '\n') ++i;
            text += "\r\n";
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

std::string ValidatorCommandLine(const std::string& jarPath, const std::string& epubPath) {
    return "java -jar " + ShellQuote(jarPath) + " " + ShellQuote(epubPath);
}

ValidationResult ValidateThis(Book& book, const std::string& jarPath, UiPort& ui) {
    if (book.outputFileName.empty()) {
        ui.ShowMessage(kMakeEpubFirstMessage);
        return {};
    }
    const std::string epub = MadeEpubPath(book);
    if (!FileExists(epub)) {
        ui.ShowMessage(kCannotFindMessage + FileNamePart(epub));
        return {};
    }
    if (!JarUsable(jarPath, ui)) return {};
    const ValidationResult result = Run(epub, jarPath, ui);
    AppendOutput(book, result, ui);
    return result;
}

ValidationResult ValidateOther(Book& book, const std::string& file, const std::string& jarPath,
                               UiPort& ui) {
    if (file.empty()) {
        ui.ShowMessage(kNoEpubGivenMessage);
        return {};
    }
    if (!FileExists(file)) {
        ui.ShowMessage(kCannotFindMessage + file);
        return {};
    }
    if (!JarUsable(jarPath, ui)) return {};
    const ValidationResult result = Run(file, jarPath, ui);
    book.AppendLog("# checking \"" + file + "\" ...");
    AppendOutput(book, result, ui);
    return result;
}

}  // namespace quillery
