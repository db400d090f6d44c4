// The user's options, kept in memory for the run and persisted in setting.opt (see settings.h).

#include "project/settings.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <string_view>

#include "project/book.h"
#include "project/book_form.h"
#include "project/kindlegen.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {

namespace {

// The file's lines, split at CR LF, a lone LF or a lone CR. A final line end opens no line.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::optional<int> ParseInt(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return {};
    return value;
}

// Reads the lines in order; past the end of the file every line reads empty.
class LineReader {
public:
    explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    const std::string& Next() { return next_ < lines_.size() ? lines_[next_++] : empty_; }
    size_t Count() const { return lines_.size(); }

private:
    std::vector<std::string> lines_;
    size_t next_ = 0;
    const std::string empty_;
};

bool ReadBool(LineReader& in) { return Trim(in.Next()) == "TRUE"; }

bool ReadInt(LineReader& in, int& value) {
    const auto parsed = ParseInt(in.Next());
    if (!parsed) return false;
    value = *parsed;
    return true;
}

// An integer line where an empty line stands for a default.
bool ReadIntOr(LineReader& in, int& value, int whenEmpty) {
    const std::string& line = in.Next();
    if (line.empty()) {
        value = whenEmpty;
        return true;
    }
    const auto parsed = ParseInt(line);
    if (!parsed) return false;
    value = *parsed;
    return true;
}

// Line 10: five digits, Scripts, Media, Forms, Images, Links; an empty line keeps the flags.
bool ReadElementFlags(LineReader& in, Settings& s) {
    const std::string& line = in.Next();
    if (line.empty()) return true;
    if (line.size() < 5) return false;
    bool* flags[] = {&s.removeScripts, &s.removeMedia, &s.removeForms, &s.removeImages,
                     &s.removeLinks};
    for (size_t i = 0; i < 5; ++i) {
        if (line[i] < '0' || line[i] > '9') return false;
        *flags[i] = line[i] != '0';
    }
    return true;
}

// Reads the lines in file order, stopping at the first line that cannot be read.
bool ReadAllLines(LineReader& in, Settings& s, const WorkFolders& folders) {
    s.bookFolder = in.Next();
    if (s.bookFolder.empty()) s.bookFolder = folders.defaultBookFolder;
    s.reservedText1 = in.Next();
    s.reservedText2 = in.Next();
    s.reservedText3 = in.Next();
    s.autoTitle = ReadBool(in);
    if (!ReadInt(in, s.titleMethod)) return false;
    s.saveToSourceFolder = ReadBool(in);
    s.removeHtmlElements = ReadBool(in);
    s.wordHtmlOptimise = ReadBool(in);
    if (!ReadElementFlags(in, s)) return false;
    s.reservedSwitch1 = ReadBool(in);
    s.adaptFontSize = ReadBool(in);
    s.generateTitlePage = ReadBool(in);
    s.headingAnchorsInSplit = ReadBool(in);
    s.splitWordHtml = ReadBool(in);
    s.reservedSwitch2 = ReadBool(in);
    s.removeWordToc = ReadBool(in);
    s.reservedSwitch3 = ReadBool(in);
    if (!ReadInt(in, s.reservedNumber)) return false;
    if (!ReadIntOr(in, s.baseFontSize, 12)) return false;
    s.editorPath = in.Next();
    s.kindleGenPath = in.Next();
    s.tocTitle = in.Next();
    if (!ReadInt(in, s.tocPosition)) return false;
    s.reservedSwitch4 = ReadBool(in);
    s.classifyFonts = ReadBool(in);
    if (!ReadIntOr(in, s.pictureResolution, 96)) return false;
    s.picturesAsPng = ReadBool(in);
    s.epubcheckJar = in.Next();
    s.writeEpub = Trim(in.Next()) != "FALSE";  // files of 29 lines or fewer: on
    return true;
}

std::string DefaultEpubcheckJar() {
    std::error_code ec;
    return fs::is_regular_file(kDefaultEpubcheckJar, ec) ? kDefaultEpubcheckJar : "";
}

// Where no validator is set, the one installed on the machine is used. An empty compiler
// path stays empty: it means the bundled compiler wherever the program folder is when a
// make runs (CompilerToRun), and is written back empty.
void FillToolDefaults(Settings& s) {
    if (s.epubcheckJar.empty()) s.epubcheckJar = DefaultEpubcheckJar();
}

const char* Bool(bool value) { return value ? "TRUE" : "FALSE"; }

}  // namespace

bool LoadSettings(Settings& settings, const WorkFolders& folders) {
    const std::string text = ReadTextFile(folders.settingsFile);
    if (text.empty()) return false;
    LineReader in(SplitLines(text));
    if (!ReadAllLines(in, settings, folders)) return false;
    FillToolDefaults(settings);
    return true;
}

void ApplyDefaultSettings(Settings& s, WorkFolders& folders) {
    const bool headingAnchors = s.headingAnchorsInSplit;
    const int reservedNumber = s.reservedNumber;
    s = Settings{};
    s.headingAnchorsInSplit = headingAnchors;
    s.reservedNumber = reservedNumber;

    s.bookFolder = folders.defaultBookFolder;
    s.reservedText1 = std::string("tessaline");
    s.reservedText3 = std::string("0");
    s.autoTitle = true;
    s.titleMethod = 2;
    s.saveToSourceFolder = false;
    s.removeHtmlElements = true;
    s.wordHtmlOptimise = true;
    s.removeScripts = s.removeMedia = s.removeForms = true;
    s.removeImages = s.removeLinks = false;
    s.reservedSwitch1 = true;
    s.adaptFontSize = true;
    s.generateTitlePage = false;
    s.splitWordHtml = true;
    s.reservedSwitch2 = true;
    s.removeWordToc = true;
    s.reservedSwitch3 = false;
    s.baseFontSize = 12;
    s.tocTitle = std::string("Contents");
    s.tocPosition = 1;
    s.reservedSwitch4 = true;
    s.classifyFonts = true;
    s.pictureResolution = 96;
    s.picturesAsPng = false;
    s.writeEpub = true;
    FillToolDefaults(s);

    folders.tempFolder = folders.stateFolder + "temp/";
    folders.opsFolder = folders.tempFolder + "OPS/";
}

bool LoadSettingsOrDefaults(Settings& settings, WorkFolders& folders) {
    if (LoadSettings(settings, folders)) return true;
    ApplyDefaultSettings(settings, folders);
    return false;
}

std::string SettingsText(const Settings& s) {
    std::string text;
    const auto line = [&text](std::string_view value) {
        text.append(value);
        text.append("\r\n");
    };
    std::string flags;
    for (const bool flag :
         {s.removeScripts, s.removeMedia, s.removeForms, s.removeImages, s.removeLinks})
        flags += flag ? '1' : '0';

    line(s.bookFolder);
    line(s.reservedText1);
    line(s.reservedText2);
    line(s.reservedText3);
    line(Bool(s.autoTitle));
    line(std::to_string(s.titleMethod));
    line(Bool(s.saveToSourceFolder));
    line(Bool(s.removeHtmlElements));
    line(Bool(s.wordHtmlOptimise));
    line(flags);
    line(Bool(s.reservedSwitch1));
    line(Bool(s.adaptFontSize));
    line(Bool(s.generateTitlePage));
    line(Bool(s.headingAnchorsInSplit));
    line(Bool(s.splitWordHtml));
    line(Bool(s.reservedSwitch2));
    line(Bool(s.removeWordToc));
    line(Bool(s.reservedSwitch3));
    line(std::to_string(s.reservedNumber));
    line(std::to_string(s.baseFontSize));
    line(s.editorPath);
    line(s.kindleGenPath);
    line(s.tocTitle);
    line(std::to_string(s.tocPosition));
    line(Bool(s.reservedSwitch4));
    line(Bool(s.classifyFonts));
    line(std::to_string(s.pictureResolution));
    line(Bool(s.picturesAsPng));
    line(s.epubcheckJar);
    line(Bool(s.writeEpub));
    return text;
}

bool SaveSettings(const Settings& settings, const WorkFolders& folders) {
    // Every value is one line of the file: a line break inside one would shift every line
    // after it and corrupt the whole file.
    for (const std::string* value :
         {&settings.bookFolder, &settings.reservedText1, &settings.reservedText2,
          &settings.reservedText3, &settings.editorPath, &settings.kindleGenPath,
          &settings.tocTitle, &settings.epubcheckJar}) {
        if (value->find_first_of("\r\n") != std::string::npos)
            throw SettingsValueError(std::string(kLineBreakInSettingMessage) + *value);
    }
    const std::string text = SettingsText(settings);
    if (ReadTextFile(folders.settingsFile) == text) return false;
    const fs::path parent = fs::path(folders.settingsFile).parent_path();
    if (!parent.empty()) fs::create_directories(parent);
    WriteTextFileAtomic(folders.settingsFile, text);
    return true;
}

const std::vector<std::string>& PpiItems() {
    static const std::vector<std::string> items = {"72",
                                                   "96",
                                                   "120",
                                                   "167 (Classical Kindles)",
                                                   "212 (Kindle Paper White)",
                                                   "215 (Kindle Fire HD 7)",
                                                   "254 (Kindle Fire HD 8.9)"};
    return items;
}

int PpiFromText(const std::string& text) {
    const auto parsed = ParseInt(Trim(text).substr(0, 3));
    return parsed && *parsed > 0 ? *parsed : 96;
}

std::string PpiText(int ppi) {
    const std::string number = std::to_string(ppi);
    for (const std::string& item : PpiItems())
        if (item.substr(0, 3) == number) return item;
    return number + " (Customized)";
}

void ReadImportOptions(Settings& s, const BookForm& form) {
    s.removeWordToc = form.chkDelWordTOC;
    s.splitWordHtml = form.chkSplit;
    s.pictureResolution = PpiFromText(form.selPPI);
    s.picturesAsPng = form.chkPNG;
}

void ReadExportOptions(Settings& s, const BookForm& form, const Book& book) {
    s.generateTitlePage = form.chkAutoTitlePage;
    s.adaptFontSize = form.chkEmFontSize;
    s.baseFontSize = form.selBaseFontSize > 0 ? form.selBaseFontSize : 0;
    s.classifyFonts = form.chkClassifyFont;
    s.removeHtmlElements = form.chkHTMLC;
    s.removeScripts = form.chkJS;
    s.removeMedia = form.chkMedia;
    s.removeForms = form.chkForm;
    s.removeImages = form.chkImg;
    s.removeLinks = form.chkLink;
    s.saveToSourceFolder = form.chkSaveSamePath;
    if (!s.saveToSourceFolder)
        s.bookFolder = form.inBookPath;
    else
        s.bookFolder = book.wordImport ? book.wordDocumentFolder : book.sourceFolder;
    s.tocTitle = form.inTocTitle;
    s.tocPosition = form.selTocIndex;
}

bool SaveSettingsFromForm(Settings& settings, const BookForm& form, const Book& book,
                          const WorkFolders& folders) {
    ReadImportOptions(settings, form);
    ReadExportOptions(settings, form, book);
    settings.kindleGenPath = form.inKGenPath;
    settings.epubcheckJar = form.inEpubcheckJar;
    return SaveSettings(settings, folders);
}

void ShowSettingsInForm(const Settings& s, BookForm& form) {
    form.chkAutoTitle = s.autoTitle;
    form.selTitleMethod = s.titleMethod >= 0 && s.titleMethod <= 2 ? s.titleMethod : -1;
    form.chkSaveSamePath = s.saveToSourceFolder;
    form.chkAutoTitlePage = s.generateTitlePage;
    form.chkDelWordTOC = s.removeWordToc;
    form.chkEmFontSize = s.adaptFontSize;
    form.selBaseFontSize = s.baseFontSize;
    form.chkClassifyFont = s.classifyFonts;
    form.selPPI = PpiText(s.pictureResolution);
    form.chkPNG = s.picturesAsPng;
    form.chkHTMLC = s.removeHtmlElements;
    form.chkJS = s.removeScripts;
    form.chkMedia = s.removeMedia;
    form.chkForm = s.removeForms;
    form.chkImg = s.removeImages;
    form.chkLink = s.removeLinks;
    form.chkSplit = s.splitWordHtml;
    form.inExEditor = s.editorPath;
    form.inBookPath = s.bookFolder;
    form.inKGenPath = s.kindleGenPath;
    form.inEpubcheckJar = s.epubcheckJar;
    form.inTocTitle = s.tocTitle;
    form.selTocIndex = s.tocPosition;
}

}  // namespace quillery
