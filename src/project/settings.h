#pragma once
// The user's options, kept in memory for the run and persisted in setting.opt: a fixed
// sequence of keyless lines ending in CR LF, read and written in the same order.

#include <stdexcept>
#include <string>
#include <vector>

#include "project/work_folders.h"

namespace quillery {

struct Book;
struct BookForm;

// The settings variables, one per line of setting.opt. At program start every value is
// empty, false or 0; LoadSettings or ApplyDefaultSettings fill them.
struct Settings {
    std::string bookFolder;           //  1 destination folder of made books, ends with "/"
    std::string reservedText1;        //  2 carried through unchanged
    std::string reservedText2;        //  3
    std::string reservedText3;        //  4
    bool autoTitle = false;           //  5 auto extract chapter titles
    int titleMethod = 0;              //  6 0 file name, 1 HTML title, 2 first heading
    bool saveToSourceFolder = false;  //  7
    bool removeHtmlElements = false;  //  8
    bool wordHtmlOptimise = false;    //  9
    bool removeScripts = false;       // 10 five flags: Scripts, Media, Forms, Images, Links
    bool removeMedia = false;
    bool removeForms = false;
    bool removeImages = false;
    bool removeLinks = false;
    bool reservedSwitch1 = false;        // 11
    bool adaptFontSize = false;          // 12
    bool generateTitlePage = false;      // 13
    bool headingAnchorsInSplit = false;  // 14 no default: kept across ApplyDefaultSettings
    bool splitWordHtml = false;          // 15
    bool reservedSwitch2 = false;        // 16
    bool removeWordToc = false;          // 17
    bool reservedSwitch3 = false;        // 18
    int reservedNumber = 0;              // 19 no default: kept across ApplyDefaultSettings
    int baseFontSize = 0;                // 20 points; 0 = "Auto"
    std::string editorPath;              // 21 external source editor
    std::string kindleGenPath;           // 22 the MOBI compiler
    std::string tocTitle;                // 23
    int tocPosition = 0;                 // 24 0 end, 1 beginning, n at position n
    bool reservedSwitch4 = false;        // 25
    bool classifyFonts = false;          // 26
    int pictureResolution = 0;           // 27 PPI of Word pictures
    bool picturesAsPng = false;          // 28 false: GIF
    std::string epubcheckJar;            // 29 the epubcheck jar run by "java -jar"
    bool writeEpub = false;              // 30 a make also writes the ePub; missing: TRUE
};

inline constexpr int kSettingsLineCount = 30;
inline constexpr const char* kDefaultEpubcheckJar = "/usr/share/java/epubcheck.jar";

// Reads folders.settingsFile. True when the file was read completely; false when it is
// missing or empty, or when reading fails part-way (a non-numeric integer line, an end of
// file before line 24): the values read up to the failure stay, and the caller then applies
// ApplyDefaultSettings. A file of 28 lines (without the epubcheck line) loads; line 29 then
// takes its default. An empty KindleGen line stays empty: the bundled compiler at use time.
bool LoadSettings(Settings& settings, const WorkFolders& folders);

// Sets every setting that has a default to it (lines 14 and 19 stay as they are) and resets
// the package root paths of folders (temp and OPS folder). The KindleGen default is empty
// (the bundled opf2mobi); the epubcheck default is kDefaultEpubcheckJar when present.
void ApplyDefaultSettings(Settings& settings, WorkFolders& folders);

// The start-up sequence: LoadSettings, and ApplyDefaultSettings when that fails. True when
// the file was loaded.
bool LoadSettingsOrDefaults(Settings& settings, WorkFolders& folders);

// The whole file text: every line in its form, each ending in CR LF.
std::string SettingsText(const Settings& settings);

// A value that the settings file cannot hold; what() is the message for the user.
struct SettingsValueError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
inline constexpr const char* kLineBreakInSettingMessage =
    "The settings were not saved: this value holds a line break, which the settings file "
    "cannot keep:\r\n";

// Writes folders.settingsFile (atomically) only when its present content differs from
// SettingsText; an unchanged file is not touched. True when the file was written. Throws
// SettingsValueError, and writes nothing, when a text value holds a line break (a folder
// name may); std::system_error when the file cannot be written.
bool SaveSettings(const Settings& settings, const WorkFolders& folders);

// The PPI selector's items, and the PPI read back from its text: the integer of the first
// three characters of the trimmed text; 96 when that is not a number.
const std::vector<std::string>& PpiItems();
int PpiFromText(const std::string& text);
// The selector text for a PPI: the first item starting with its decimal text, else the
// decimal text + " (Customized)".
std::string PpiText(int ppi);

// Copies the Import page into the settings: lines 17, 15, 27 and 28.
void ReadImportOptions(Settings& settings, const BookForm& form);
// Copies the Export and Advanced pages into the persisted settings: lines 13, 12, 20, 26,
// 8, 10, 7, then 1 (inBookPath, or when saving beside the source, the Word document's
// folder for a Word project, else the source folder), 23 and 24.
void ReadExportOptions(Settings& settings, const BookForm& form, const Book& book);
// "Save Settings": ReadImportOptions, ReadExportOptions, line 22 := inKGenPath, line 29 :=
// inEpubcheckJar, then SaveSettings. True when the file was written.
bool SaveSettingsFromForm(Settings& settings, const BookForm& form, const Book& book,
                          const WorkFolders& folders);

// Shows the settings in the controls (the first show of the main window).
void ShowSettingsInForm(const Settings& settings, BookForm& form);

}  // namespace quillery
