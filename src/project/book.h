#pragma once
// The Book project: the in-memory state of the one book being made (chapter list, metadata,
// package inputs, option flags, output location, the build log). One instance is shared by
// the importers, the make pipeline, the package writers and the front-ends.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "project/compile_flags.h"
#include "project/work_folders.h"

namespace quillery {

// The book's metadata as it goes into content.opf. Values are XML-escaped once, when they
// enter the record (fill-metadata); the defaults are stored as given.
struct BookMetadata {
    std::string title;
    std::string creator;
    std::string date;  // "yyyy-mm-dd", set when content.opf is written
    std::string subject;
    std::string publisher;
    std::string uid;
    std::string lang;
    std::string description;
};

// The paragraph style options (first line indent, alignment, spacing, line height).
struct ParagraphOptions {
    bool indent = false;
    int indentEm = 2;  // 0..5
    bool align = false;
    std::string alignment = "Justified";  // "Justified", "Left", "Right"
    bool gap = false;
    std::string gapEm = "0";  // "0" .. "1.5"
    bool lineHeight = false;
    int lineHeightPercent = 120;  // 100..200
};

// Which kinds of HTML element "Remove HTML Elements" strips from the chapter copies.
struct RemoveElementOptions {
    bool enabled = true;
    bool scripts = true;
    bool media = true;
    bool forms = true;
    bool images = false;
    bool links = false;
};

// The option flags the make reads, copied from the controls at the start of every make.
struct BookOptions {
    bool generateTitlePage = false;
    bool replaceStylesheet = false;
    bool adaptFontSize = true;
    bool relativeSevenLevels = false;
    int baseFontSize = 12;  // 0 = "Auto"
    bool classifyFonts = true;
    ParagraphOptions paragraph;
    RemoveElementOptions removeElements;
    bool saveToSourceFolder = false;
    bool splitWordHtml = true;
};

enum class PreviewSource { Nothing = 0, Imported = 1, Made = 2 };

// The names of the files a make adds to the package beside the chapters. They are the usual
// ones unless a file of the book already has that name: then the added file takes a free
// name ("toc-2.htm"), so that it never replaces the user's file. Empty picture and
// stylesheet names stand for the file's own name.
struct PackageNames {
    std::string coverPage = "coverpage.htm";
    std::string titlePage = "titlepage.htm";
    std::string tocPage = "toc.htm";
    std::string coverPicture;
    std::string replacementStylesheet;
    // The name of the stylesheet written for chapters that link none, so that the paragraph
    // style reaches them; chosen by each make.
    std::string bookStylesheet;
    // Package entries whose file is not source folder + entry: files from outside the source
    // folder copied in under a free name, the replacement stylesheet, and converted pictures,
    // which the make writes into the OPS folder itself (entry -> full path).
    std::map<std::string, std::string> copiedFrom;
    // Files whose references the make rewrote, by the full normalised path the references
    // name: files outside the source folder and pictures converted to PNG. The value is the
    // package entry they lead to, empty when the file was left out.
    std::map<std::string, std::string> movedReferences;
};

// One chapter of the book: a file of the source folder with its title and size, and its text
// while a make runs.
struct Chapter {
    std::string file;                  // relative to sourceFolder, "/" separated
    std::optional<std::string> title;  // none until proposed or typed; XML-escaped in a make
    std::int64_t size = 0;             // bytes
    std::string content;               // the whole chapter text, only during a make
};

struct Book {
    WorkFolders folders;

    // The chapter list, in reading order.
    std::vector<Chapter> chapters;
    std::string sourceFolder;  // ends with "/"

    BookMetadata metadata;

    // Package inputs.
    std::string coverPath;                 // full path of the cover picture; empty = none
    std::string replacementStylesheet;     // full path; empty = none
    std::vector<std::string> images;       // relative paths of the pictures the chapters use
    std::vector<std::string> stylesheets;  // relative paths of the linked stylesheets
    std::vector<std::string> fonts;        // relative paths of the fonts the stylesheets use
    PackageNames packageNames;
    int tocPosition = 0;
    bool tocMarked = false;
    std::string tocFileName;
    std::string tocTitle = "Content";

    BookOptions options;

    // Output location: folder (ends with "/") and file name; fullOutputPath = folder + name.
    std::string outputFolder;
    std::string outputFileName;
    std::string fullOutputPath;

    PreviewSource previewSource = PreviewSource::Nothing;
    bool wordImport = false;
    bool kindleGenSizeFlag = false;  // the compiler file is larger than 2,048,000 bytes
    CompileFlags compileFlags;       // the "Compiling Options" dialog, for the run only
    bool wordSplit = false;          // the Word HTML was split on section breaks
    std::string wordDocumentFolder;  // for the output-location rule of a Word project
    std::string wordDocumentPath;    // the document a Word project was imported from

    // The build log: one growing text, lines ending in CR LF.
    std::string log;
    void AppendLog(std::string_view line) {
        log.append(line);
        log.append("\r\n");
    }
};

struct BookForm;
class UiPort;

// Fill-metadata: the book information boxes into book.metadata, trimmed and XML-escaped
// (EncodeEntities); empty author, publisher and ID become "Anonymous Author", "Unknown
// publisher" and "None"; the language name becomes its code (LanguageCode with the
// dictionary lang/lang.dic of book.folders). The date is left to the content.opf writer.
void FillMetadataFromForm(Book& book, const BookForm& form);

// Copies the option flags, the TOC title and the TOC position (the item index of
// selTocIndex) from the form into the Book project, as every make does first.
void CopyOptionsFromForm(Book& book, const BookForm& form);

// The output location of a make: output file name := lblDesName, output folder :=
// lblDesPath (given a trailing "/"), full output path := folder + name.
void TakeOutputLocation(Book& book, const BookForm& form);

// The title proposed after a web-page import: the base name (text before the last ".") of
// the single chapter file, else the last component of the source folder.
std::string TitleAfterWebImport(const std::vector<Chapter>& chapters,
                                const std::string& sourceFolder);

// After a web-page import (book.files and book.sourceFolder filled): inTitle := the proposed
// title; when saving beside the source, lblDesPath := the source folder; lblDesName :=
// title + ".mobi"; the Word-import flag is cleared.
void ApplyWebImportLocation(Book& book, BookForm& form);

// After a Word import of documentPath: remembers the document's folder and sets the
// Word-import flag; when saving beside the source, lblDesPath := the document's folder;
// lblDesName := the document's base name + ".mobi".
void ApplyWordImportLocation(Book& book, BookForm& form, const std::string& documentPath);

// The save-path choice: "Save to the same folder as source" (sameAsSource) shows the Word
// document's folder for a Word project, else the source folder; "Save to my default Kindle
// Book folder" shows inBookPath (DefaultBookFolder).
void ChooseSaveFolder(const Book& book, BookForm& form, bool sameAsSource);
// The default book folder as the settings hold it, a relative one taken in the state folder.
std::string DefaultBookFolder(const std::string& inBookPath, const WorkFolders& folders);

inline constexpr const char* kImportFirstMessage = "Please import webpages or document first";
// Commands that need chapters (Make Mobi, "Change"): true when files are imported; otherwise
// shows kImportFirstMessage, focuses "btnImportHtml" and gives false.
bool CheckFilesImported(const Book& book, UiPort& ui);
// "Change": without imported files shows "Please import webpages or document first",
// focuses "btnImportHtml" and gives false. Otherwise true: the caller opens the save dialog
// at lblDesPath + lblDesName and passes the chosen path to TakeChosenOutputPath.
bool CanChangeOutputLocation(const Book& book, UiPort& ui);
void TakeChosenOutputPath(BookForm& form, const std::string& chosenPath);

// The path the Mobi file is finally written to: the full output path with its extension
// replaced by ".mobi".
std::string FinalMobiPath(const Book& book);

// Before an import fills the lists: empties the OPS and doctmp folders and clears the image
// list and the chapters' titles.
void ResetForNewImport(Book& book);

// The chapters' file names, in reading order.
std::vector<std::string> ChapterFiles(const Book& book);

}  // namespace quillery
