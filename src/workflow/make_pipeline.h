#pragma once
// The make pipeline: "Make Mobi" / "Publish" and the three smaller commands "Make Content",
// "Make TOC" and "Re-Compile". The pipeline reads the window's values only from the
// BookForm and talks to the user only through the UI port.

#include <string>

namespace quillery {

struct Book;
struct BookForm;
struct Settings;
class UiPort;

enum class MakeOutcome {
    Stopped,           // a precondition failed; its message was shown and nothing was written
    Made,              // the Mobi file was made and copied to its destination
    MadeWithWarnings,  // made, but the compiler left something out (its warnings are logged)
    Failed,            // the package was written but no Mobi file came out, or an error ended it
};

struct MakeResult {
    MakeOutcome outcome = MakeOutcome::Stopped;
    // True when the make got as far as the compiler: the window then shows the OPS copies in
    // the preview and rebuilds the Edit menu's sub-items of a web book (EditMenuEntriesOf).
    // A make stopped by a precondition or ended by a file error leaves both as they were.
    bool packageWritten = false;
};

// The messages of the make, exactly as the window shows them.
inline constexpr const char* kTitleMissingMessage = "Please specify the book title";
inline constexpr const char* kOutputMissingMessage = "Please indicate where to save the Mobi file";
inline constexpr const char* kTitlesMissingMessage = "Please specify chapter titles for each file";
inline constexpr const char* kCompileFailedMessage =
    "Error in compiling, Mobi creation failed, please check the log.";
inline constexpr const char* kRecompileFirstMessage = "This only function after Make Mobi.";
inline constexpr const char* kRecompiledMessage = "Mobi re-compiled successfully.";
// The save panel's status label after every make that passed its checks.
inline constexpr const char* kSavedStatus = "Your ePub book has been saved ";

// "Make Mobi" / "Publish": the compiler check, the preconditions (a title for every chapter
// in the grid, blanks alone counting as none), then the package, the stylesheets, the
// compiler and the report (in the log, through the UI port), which names the file really
// written and the compiler's warnings. The options are read from the form into the settings
// (not saved). An empty compiler path in the form runs the bundled compiler.
MakeResult MakeMobi(Book& book, const BookForm& form, Settings& settings, UiPort& ui);

// "Make Content": fill-metadata, then content.opf over what the OPS folder holds.
// "Make TOC": toc.ncx, and toc.htm where due.
// Both give false when a file error ended them; the error is shown and logged.
bool MakeContent(Book& book, const BookForm& form, UiPort& ui);
bool MakeToc(Book& book, UiPort& ui);
// "Re-Compile": compiles the OPS folder again; true when the Mobi file exists afterwards.
// A failed copy of the book is shown and logged, the old book left whole.
bool ReCompile(Book& book, const std::string& kindleGenPath, UiPort& ui);

}  // namespace quillery
