#pragma once
// The quillery command's options, parsed from its arguments. Every option mirrors one
// control of the main window; an option that is not given leaves the saved setting alone.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillery::cli {

enum class Command { Help, Make, Titles, Validate };

struct CliOptions {
    Command command = Command::Help;
    std::vector<std::string> inputs;

    // Book information (the General page).
    std::optional<std::string> title, author, subject, publisher, id, language, description;
    std::optional<std::string> cover;

    // Chapter titles (the Import page).
    std::optional<int> titleMethod;  // 0 file name, 1 HTML title, 2 first heading
    bool noAutoTitle = false;
    std::optional<std::string> titlesFile;  // one chapter title a line, in chapter order
    std::optional<std::string> markToc;     // file name of the chapter marked as the contents

    // Word documents (the Import page's Word options).
    bool noSplit = false;
    std::optional<int> ppi;
    bool png = false;
    bool headingAnchors = false;

    // Export page.
    bool titlePage = false;
    std::optional<int> tocPosition;
    std::optional<std::string> tocTitle;
    std::optional<std::string> indentEm, spacingEm, alignment;
    std::optional<int> lineHeightPercent;
    bool noAdaptFontSize = false;
    std::optional<int> baseFontSize;  // 0 = auto
    bool noClassifyFonts = false;
    std::optional<std::string> stylesheet;
    std::optional<std::string> removeKinds;  // "scripts,media,forms,images,links" or "none"

    // Output and compiler.
    std::optional<std::string> output;
    std::optional<std::string> kindlegen;
    int compressionLevel = 1;  // "Standard", what the Compiling Options dialog shows
    bool gif = false;
    bool western = false;
    bool yes = false;
    bool noWait = false;       // do not wait for another run using the work folders
    std::optional<bool> epub;  // --epub / --no-epub: write the ePub beside the Mobi book
};

// Parses the arguments (without the program name). Throws UsageError with a message
// naming the offending argument.
CliOptions ParseArguments(const std::vector<std::string>& args);

// A command line that cannot be used; what() says why.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The text printed by --help.
const char* HelpText();

}  // namespace quillery::cli
