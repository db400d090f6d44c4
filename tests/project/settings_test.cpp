// The settings file: defaults, reading back, tolerated and refused lines, saving.

#include "project/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "project/book.h"
#include "project/book_form.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::TempDir;

std::string JoinLines(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

// The 28 lines of a file written with every default (no epubcheck line).
std::vector<std::string> DefaultLines(const std::string& bookFolder) {
    return {bookFolder, "tessaline", "",      "0",     "TRUE", "2",     "FALSE",
            "TRUE",     "TRUE",      "11100", "TRUE",  "TRUE", "FALSE", "FALSE",
            "TRUE",     "TRUE",      "TRUE",  "FALSE", "0",    "12",    "",
            "",         "Contents",  "1",     "TRUE",  "TRUE", "96",    "FALSE"};
}

std::string DefaultJar() { return fs::exists(kDefaultEpubcheckJar) ? kDefaultEpubcheckJar : ""; }

struct SettingsTest : ::testing::Test {
    TempDir dir;
    WorkFolders folders;
    Settings settings;
    SettingsTest() {
        folders.programFolder = folders.stateFolder = dir.path();
        folders.settingsFile = dir.path() + "setting.opt";
        folders.defaultBookFolder = dir.path() + "myBook/";
        ApplyDefaultSettings(settings, folders);
    }
    bool Load(const std::vector<std::string>& lines) {
        dir.Write("setting.opt", JoinLines(lines));
        return LoadSettings(settings, folders);
    }
};

TEST_F(SettingsTest, DefaultsWriteTheDocumentedFile) {
    std::vector<std::string> lines = DefaultLines(dir.path() + "myBook/");
    lines.insert(lines.end(), {DefaultJar(), "TRUE"});  // line 30: the ePub is written
    EXPECT_EQ(SettingsText(settings), JoinLines(lines));
    EXPECT_FALSE(LoadSettings(settings, folders));  // no file
    dir.Write("setting.opt", "");
    EXPECT_FALSE(LoadSettings(settings, folders));
}

// Every value differs from its default: a field read or written on the wrong line shows.
TEST_F(SettingsTest, AFileOfChangedValuesIsWrittenBackAsItWasRead) {
    // clang-format off
    const std::vector<std::string> lines = {
        "/home/w/Books/", "r1", "r2", "r3", "FALSE", "0", "TRUE", "FALSE", "TRUE", "01010",
        "FALSE", "FALSE", "TRUE", "TRUE", "FALSE", "FALSE", "FALSE", "TRUE", "5", "0",
        "/usr/bin/gedit", "/opt/kindlegen", "Inhalt", "7", "TRUE", "FALSE", "300", "TRUE",
        "/opt/epubcheck.jar", "FALSE"};
    // clang-format on
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(SettingsText(settings), JoinLines(lines));
    EXPECT_EQ(settings.pictureResolution, 300);
    EXPECT_FALSE(settings.writeEpub);
    EXPECT_TRUE(settings.removeMedia && settings.removeImages && !settings.removeLinks);
}

TEST_F(SettingsTest, BooleansAreTrueOnlyForExactCapitalsBlanksAside) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines[4] = "  TRUE\t";  // line 5
    lines[6] = "True";
    lines[7] = "true";
    lines[10] = "YES";
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ((std::vector<bool>{settings.autoTitle, settings.saveToSourceFolder,
                                 settings.removeHtmlElements, settings.reservedSwitch1}),
              (std::vector<bool>{true, false, false, false}));
}

// Lines 25 to 28 read as FALSE, FALSE, 96, FALSE when missing; line 29 as the default jar,
// line 30 (write the ePub) as TRUE.
TEST_F(SettingsTest, FilesOf24And28LinesLoad) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines.resize(24);
    ASSERT_TRUE(Load(lines));
    lines.insert(lines.end(), {"FALSE", "FALSE", "96", "FALSE", DefaultJar(), "TRUE"});
    EXPECT_EQ(SettingsText(settings), JoinLines(lines));
    lines = DefaultLines("/b/");
    lines[25] = "FALSE";
    ASSERT_TRUE(Load(lines));
    lines.insert(lines.end(), {DefaultJar(), "TRUE"});
    EXPECT_EQ(SettingsText(settings), JoinLines(lines));
    lines.pop_back();
    lines.back() = "/opt/my/epubcheck.jar";
    dir.Write("setting.opt", JoinLines(lines, "\n"));  // Unix line ends load too
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.epubcheckJar, "/opt/my/epubcheck.jar");
}

TEST_F(SettingsTest, FileCutAfterLine18FailsAndTheStartUpAppliesTheDefaults) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines[4] = "FALSE";  // line 5 differs from its default
    lines[13] = "TRUE";  // line 14 has no default
    lines.resize(18);
    EXPECT_FALSE(Load(lines));
    EXPECT_FALSE(settings.autoTitle);  // read before the failure
    EXPECT_FALSE(LoadSettingsOrDefaults(settings, folders));
    EXPECT_TRUE(settings.autoTitle);
    EXPECT_TRUE(settings.headingAnchorsInSplit);  // line 14 is not reset
    EXPECT_EQ(settings.bookFolder, dir.path() + "myBook/");
}

TEST_F(SettingsTest, UnreadableLinesFailAndEmptyOnesTakeTheirDefaults) {
    // clang-format off
    const struct { size_t index; const char* text; } bad[] = {
        {5, "x"}, {18, "twelve"}, {19, "twelve"}, {23, "twelve"}, {26, "twelve"}, {9, "111"},
        {9, "11x00"}};
    // clang-format on
    for (const auto& b : bad) {
        std::vector<std::string> lines = DefaultLines("/b/");
        lines[b.index] = b.text;
        EXPECT_FALSE(Load(lines)) << "line " << b.index + 1 << ": " << b.text;
    }
    std::vector<std::string> lines = DefaultLines("");
    lines[19] = lines[26] = "";
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(settings.bookFolder, dir.path() + "myBook/");
    EXPECT_EQ(settings.baseFontSize, 12);
    EXPECT_EQ(settings.pictureResolution, 96);
}

TEST_F(SettingsTest, UnchangedSaveLeavesTheFileAloneAndNoTemporaryFileBehind) {
    ASSERT_TRUE(SaveSettings(settings, folders));
    const fs::file_time_type old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(folders.settingsFile, old);
    EXPECT_FALSE(SaveSettings(settings, folders));
    EXPECT_EQ(fs::last_write_time(folders.settingsFile), old);
    settings.tocTitle = "Chapters";
    EXPECT_TRUE(SaveSettings(settings, folders));
    EXPECT_NE(fs::last_write_time(folders.settingsFile), old);
    EXPECT_NE(ReadTextFile(folders.settingsFile).find("\r\nChapters\r\n"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// A PPI of 300 is kept; one of 1200 reads back from its text's first three characters as 120.
TEST_F(SettingsTest, PpiIsShownAsAListItemOrCustomizedAndReadBackFromItsText) {
    EXPECT_EQ(PpiText(167), "167 (Classical Kindles)");
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"96", 96}, {"  212 (Kindle Paper White)", 212}, {"72", 72}, {"abc", 96}, {"", 96}};
    // clang-format on
    for (const auto& [text, ppi] : cases) EXPECT_EQ(PpiFromText(text), ppi) << text;
    BookForm form;
    for (const auto& [ppi, shown, read] :
         {std::tuple{300, "300 (Customized)", 300}, std::tuple{1200, "1200 (Customized)", 120}}) {
        settings.pictureResolution = ppi;
        ShowSettingsInForm(settings, form);
        EXPECT_EQ(form.selPPI, shown);
        ReadImportOptions(settings, form);
        EXPECT_EQ(settings.pictureResolution, read);
    }
}

// Saving with "Save to the same folder as source" on stores the source folder as line 1.
TEST_F(SettingsTest, SavingBesideTheSourceStoresTheSourceFolderAsBookFolder) {
    BookForm form;
    ShowSettingsInForm(settings, form);
    Book book;
    book.sourceFolder = "/home/w/site/";
    form.chkSaveSamePath = true;
    ReadExportOptions(settings, form, book);
    EXPECT_TRUE(settings.saveToSourceFolder);
    EXPECT_EQ(SettingsText(settings).substr(0, 15), "/home/w/site/\r\n");
}

// A folder name may hold a line break; saved, it would shift every later line of the file.
TEST_F(SettingsTest, AValueHoldingALineBreakIsRefusedAndTheFileKept) {
    ASSERT_TRUE(SaveSettings(settings, folders));
    const std::string before = ReadTextFile(folders.settingsFile);
    for (std::string* value : {&settings.bookFolder, &settings.editorPath, &settings.tocTitle}) {
        const std::string kept = *value;
        *value = "/home/w/odd\nfolder/";
        EXPECT_THROW(SaveSettings(settings, folders), SettingsValueError);
        *value = kept;
    }
    EXPECT_EQ(ReadTextFile(folders.settingsFile), before);
}

// No compiler set: the file keeps an empty line 22, loaded and saved back empty, so that a
// moved program folder still finds its bundled compiler.
TEST_F(SettingsTest, AnEmptyCompilerLineStaysEmpty) {
    EXPECT_EQ(settings.kindleGenPath, "");
    dir.Write("opf2mobi", "#!/bin/sh\n");  // a bundled compiler in the program folder
    ASSERT_TRUE(SaveSettings(settings, folders));
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.kindleGenPath, "");
    BookForm form;
    ShowSettingsInForm(settings, form);
    EXPECT_EQ(form.inKGenPath, "");
    Book book;
    EXPECT_FALSE(SaveSettingsFromForm(settings, form, book, folders));  // nothing changed
}

}  // namespace
}  // namespace quillery
