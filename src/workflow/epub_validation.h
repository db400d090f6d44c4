#pragma once
// "&Validate This" and "Validate Other": check an ePub with the epubcheck jar ("java -jar"),
// tell the verdict in a message and append the validator's output to the log.

#include <string>
#include <string_view>

namespace quillery {

struct Book;
class UiPort;

inline constexpr const char* kMakeEpubFirstMessage = "Please make an ePub first.";
inline constexpr const char* kCannotFindMessage = "Can not find ";
inline constexpr const char* kSetEpubcheckMessage = "Please set the epubcheck path first.";
inline constexpr const char* kJarMissingMessage =
    "The epubcheck jar does not exist, please check the path.";
inline constexpr const char* kNoEpubGivenMessage = "Please specify an ePub file to check.";
inline constexpr const char* kEpubValidMessage = "The epub is valid.";
inline constexpr const char* kEpubErrorsMessage = "The epub contains errors, please check the log.";
inline constexpr const char* kValidationLogHeader = "-------------ePubCheck result--------------";

enum class ValidationVerdict {
    NotRun,          // a precondition failed: its message was shown, nothing was run
    Valid,           // the output says "No errors"
    ContainsErrors,  // anything else, an empty output included
};

struct ValidationResult {
    ValidationVerdict verdict = ValidationVerdict::NotRun;
    std::string output;  // the normalised validator output
    // True when the output is the validator's report (its verdict or its messages), false
    // when it could not run at all (no Java, a broken jar).
    bool validatorReported = false;
};

// The validator's output for the log: every occurrence of checkedFile removed, then every
// line end (CR LF, LF or CR) written as CR LF.
std::string NormaliseValidatorOutput(std::string output, const std::string& checkedFile);

// The command line: "java -jar " with the jar path and the ePub path, each quoted for the
// shell, so that blanks or quotes in either cannot break the run.
std::string ValidatorCommandLine(const std::string& jarPath, const std::string& epubPath);

// "&Validate This": checks the ePub of the book made last (MadeEpubPath).
ValidationResult ValidateThis(Book& book, const std::string& jarPath, UiPort& ui);

// "Validate Other": checks file, the ePub the user picked (its full name; empty when the
// picker gave none). Writes the "# checking" line before the output.
ValidationResult ValidateOther(Book& book, const std::string& file, const std::string& jarPath,
                               UiPort& ui);

}  // namespace quillery
