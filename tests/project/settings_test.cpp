#include "project/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/book.h"
#include "project/book_form.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace quillery {
namespace {

using testing::TempDir;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
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

struct SettingsFixture : ::testing::Test {
    TempDir dir;
    WorkFolders folders;
    Settings settings;
    void SetUp() override {
        folders.programFolder = dir.path();
        folders.stateFolder = dir.path();
        folders.settingsFile = dir.path() + "setting.opt";
        folders.defaultBookFolder = dir.path() + "myBook/";
    }
    void WriteLines(const std::vector<std::string>& lines) {
        dir.Write("setting.opt", JoinLines(lines));
    }
};

TEST_F(SettingsFixture, DefaultsWriteTheDocumentedFile) {
    ApplyDefaultSettings(settings, folders);
    std::vector<std::string> lines = DefaultLines(dir.path() + "myBook/");
    lines.push_back(DefaultJar());
    EXPECT_EQ(SettingsText(settings), JoinLines(lines));
    EXPECT_EQ(folders.tempFolder, dir.path() + "temp/");
    EXPECT_EQ(folders.opsFolder, dir.path() + "temp/OPS/");
}

TEST_F(SettingsFixture, DefaultsKeepLines14And19) {
    settings.headingAnchorsInSplit = true;
    settings.reservedNumber = 7;
    settings.tocTitle = "changed";
    ApplyDefaultSettings(settings, folders);
    EXPECT_TRUE(settings.headingAnchorsInSplit);
    EXPECT_EQ(settings.reservedNumber, 7);
    EXPECT_EQ(settings.tocTitle, "Contents");
}

TEST_F(SettingsFixture, DefaultCompilerIsTheBundledOne) {
    dir.Write("opf2mobi", "#!/bin/sh\n");
    ApplyDefaultSettings(settings, folders);
    EXPECT_EQ(settings.kindleGenPath, dir.path() + "opf2mobi");
}

TEST_F(SettingsFixture, MissingOrEmptyFileDoesNotLoad) {
    EXPECT_FALSE(LoadSettings(settings, folders));
    dir.Write("setting.opt", "");
    EXPECT_FALSE(LoadSettings(settings, folders));
}

TEST_F(SettingsFixture, RoundTripKeepsEveryValue) {
    ApplyDefaultSettings(settings, folders);
    settings.bookFolder = "/home/w/Books/";
    settings.reservedText2 = "kept";
    settings.titleMethod = 0;
    settings.removeMedia = false;
    settings.removeLinks = true;
    settings.headingAnchorsInSplit = true;
    settings.reservedNumber = 5;
    settings.baseFontSize = 0;
    settings.editorPath = "/usr/bin/gedit";
    settings.kindleGenPath = "/opt/kindlegen";
    settings.tocTitle = "Inhalt";
    settings.tocPosition = 0;
    settings.pictureResolution = 300;
    settings.picturesAsPng = true;
    settings.epubcheckJar = "/opt/epubcheck.jar";
    ASSERT_TRUE(SaveSettings(settings, folders));
    Settings loaded;
    ASSERT_TRUE(LoadSettings(loaded, folders));
    EXPECT_EQ(SettingsText(loaded), SettingsText(settings));
    EXPECT_EQ(loaded.pictureResolution, 300);
    EXPECT_TRUE(loaded.removeLinks);
    EXPECT_FALSE(loaded.removeMedia);
}

TEST_F(SettingsFixture, BooleansAreTrueOnlyForExactCapitals) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines[4] = "  TRUE\t";  // line 5 with blanks around
    lines[6] = "True";      // line 7 mixed case
    lines[7] = "true";      // line 8 lower case
    lines[10] = "YES";      // line 11
    WriteLines(lines);
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_TRUE(settings.autoTitle);
    EXPECT_FALSE(settings.saveToSourceFolder);
    EXPECT_FALSE(settings.removeHtmlElements);
    EXPECT_FALSE(settings.reservedSwitch1);
}

TEST_F(SettingsFixture, TwentyFourLineFileLoads) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines.resize(24);
    WriteLines(lines);
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_FALSE(settings.reservedSwitch4);
    EXPECT_FALSE(settings.classifyFonts);
    EXPECT_EQ(settings.pictureResolution, 96);
    EXPECT_FALSE(settings.picturesAsPng);
    EXPECT_EQ(settings.tocPosition, 1);
    EXPECT_EQ(settings.epubcheckJar, DefaultJar());
}

TEST_F(SettingsFixture, FileCutAfterLine18FailsAndDefaultsApply) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines[4] = "FALSE";  // line 5 differs from its default
    lines[13] = "TRUE";  // line 14 has no default
    lines.resize(18);
    WriteLines(lines);
    EXPECT_FALSE(LoadSettings(settings, folders));
    EXPECT_FALSE(settings.autoTitle);  // read before the failure
    EXPECT_TRUE(settings.headingAnchorsInSplit);
    ApplyDefaultSettings(settings, folders);
    EXPECT_TRUE(settings.autoTitle);
    EXPECT_TRUE(settings.headingAnchorsInSplit);  // line 14 is not reset
    EXPECT_EQ(settings.bookFolder, dir.path() + "myBook/");
}

TEST_F(SettingsFixture, StartUpFallsBackToTheDefaults) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines[4] = "FALSE";
    lines[5] = "x";  // line 6 cannot be read
    WriteLines(lines);
    EXPECT_FALSE(LoadSettingsOrDefaults(settings, folders));
    EXPECT_TRUE(settings.autoTitle);
    EXPECT_EQ(settings.bookFolder, dir.path() + "myBook/");
    lines[5] = "1";
    WriteLines(lines);
    EXPECT_TRUE(LoadSettingsOrDefaults(settings, folders));
    EXPECT_FALSE(settings.autoTitle);
    EXPECT_EQ(settings.titleMethod, 1);
    EXPECT_EQ(settings.bookFolder, "/b/");
}

TEST_F(SettingsFixture, NonNumericIntegerLineFails) {
    for (const size_t index : {size_t{5}, size_t{18}, size_t{19}, size_t{23}, size_t{26}}) {
        std::vector<std::string> lines = DefaultLines("/b/");
        lines[index] = "twelve";
        WriteLines(lines);
        Settings s;
        EXPECT_FALSE(LoadSettings(s, folders)) << "line " << index + 1;
    }
}

TEST_F(SettingsFixture, EmptyFontSizeAndPpiLinesTakeTheirDefaults) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines[19] = "";
    lines[26] = "";
    WriteLines(lines);
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.baseFontSize, 12);
    EXPECT_EQ(settings.pictureResolution, 96);
}

TEST_F(SettingsFixture, EmptyBookFolderTakesTheDefault) {
    WriteLines(DefaultLines(""));
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.bookFolder, dir.path() + "myBook/");
}

TEST_F(SettingsFixture, ElementFlags) {
    std::vector<std::string> lines = DefaultLines("/b/");
    lines[9] = "01021";
    WriteLines(lines);
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_FALSE(settings.removeScripts);
    EXPECT_TRUE(settings.removeMedia);
    EXPECT_FALSE(settings.removeForms);
    EXPECT_TRUE(settings.removeImages);
    EXPECT_TRUE(settings.removeLinks);

    // An empty line keeps the flags as they were.
    lines[9] = "";
    WriteLines(lines);
    Settings kept;
    kept.removeForms = true;
    ASSERT_TRUE(LoadSettings(kept, folders));
    EXPECT_TRUE(kept.removeForms);
    EXPECT_FALSE(kept.removeScripts);

    // Too short or not digits: the line cannot be read.
    for (const char* bad : {"111", "11x00"}) {
        lines[9] = bad;
        WriteLines(lines);
        Settings s;
        EXPECT_FALSE(LoadSettings(s, folders)) << bad;
    }
}

TEST_F(SettingsFixture, TwentyEightLineFileLoadsWithTheEpubcheckDefault) {
    WriteLines(DefaultLines("/b/"));
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.epubcheckJar, DefaultJar());
    EXPECT_EQ(settings.bookFolder, "/b/");
    EXPECT_EQ(settings.reservedText1, "tessaline");
    EXPECT_EQ(settings.tocTitle, "Contents");

    std::vector<std::string> lines = DefaultLines("/b/");
    lines.push_back("/opt/my/epubcheck.jar");
    WriteLines(lines);
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.epubcheckJar, "/opt/my/epubcheck.jar");
}

TEST_F(SettingsFixture, EmptyCompilerLineTakesTheBundledCompiler) {
    dir.Write("opf2mobi", "#!/bin/sh\n");
    WriteLines(DefaultLines("/b/"));
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.kindleGenPath, dir.path() + "opf2mobi");
}

TEST_F(SettingsFixture, UnixLineEndsAlsoLoad) {
    std::string text;
    for (const std::string& line : DefaultLines("/b/")) text += line + "\n";
    dir.Write("setting.opt", text);
    ASSERT_TRUE(LoadSettings(settings, folders));
    EXPECT_EQ(settings.tocPosition, 1);
    EXPECT_EQ(settings.tocTitle, "Contents");
}

TEST_F(SettingsFixture, UnchangedSaveLeavesTheFileAlone) {
    ApplyDefaultSettings(settings, folders);
    ASSERT_TRUE(SaveSettings(settings, folders));
    const fs::file_time_type old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(folders.settingsFile, old);
    EXPECT_FALSE(SaveSettings(settings, folders));
    EXPECT_EQ(fs::last_write_time(folders.settingsFile), old);

    settings.tocTitle = "Chapters";
    EXPECT_TRUE(SaveSettings(settings, folders));
    EXPECT_NE(fs::last_write_time(folders.settingsFile), old);
    EXPECT_NE(Slurp(folders.settingsFile).find("\r\nChapters\r\n"), std::string::npos);
}

TEST_F(SettingsFixture, SaveLeavesNoTemporaryFileBehind) {
    ApplyDefaultSettings(settings, folders);
    SaveSettings(settings, folders);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"setting.opt"});
}

TEST(Ppi, ShownAsAListItemOrCustomized) {
    EXPECT_EQ(PpiText(96), "96");
    EXPECT_EQ(PpiText(167), "167 (Classical Kindles)");
    EXPECT_EQ(PpiText(300), "300 (Customized)");
    EXPECT_EQ(PpiText(1200), "1200 (Customized)");
}

TEST(Ppi, ReadBackFromTheFirstThreeCharacters) {
    EXPECT_EQ(PpiFromText("96"), 96);
    EXPECT_EQ(PpiFromText("  212 (Kindle Paper White)"), 212);
    EXPECT_EQ(PpiFromText("300 (Customized)"), 300);
    EXPECT_EQ(PpiFromText("1200 (Customized)"), 120);
    EXPECT_EQ(PpiFromText("abc"), 96);
    EXPECT_EQ(PpiFromText(""), 96);
    EXPECT_EQ(PpiFromText("72"), 72);
}

TEST_F(SettingsFixture, PpiOf300And1200ThroughTheForm) {
    BookForm form;
    Book book;
    ApplyDefaultSettings(settings, folders);
    settings.pictureResolution = 300;
    ShowSettingsInForm(settings, form);
    EXPECT_EQ(form.selPPI, "300 (Customized)");
    ReadImportOptions(settings, form);
    EXPECT_EQ(settings.pictureResolution, 300);

    settings.pictureResolution = 1200;
    ShowSettingsInForm(settings, form);
    ReadImportOptions(settings, form);
    EXPECT_EQ(settings.pictureResolution, 120);
}

TEST_F(SettingsFixture, ShowAndReadBackAreInverse) {
    ApplyDefaultSettings(settings, folders);
    settings.bookFolder = "/books/";
    settings.baseFontSize = 0;
    settings.tocPosition = 4;
    settings.removeImages = true;
    const std::string before = SettingsText(settings);
    BookForm form;
    ShowSettingsInForm(settings, form);
    EXPECT_EQ(form.selBaseFontSize, 0);
    EXPECT_EQ(form.inBookPath, "/books/");
    Settings back = settings;
    ReadImportOptions(back, form);
    ReadExportOptions(back, form, Book{});
    EXPECT_EQ(SettingsText(back), before);
}

TEST_F(SettingsFixture, SavingBesideTheSourceStoresTheSourceFolderAsBookFolder) {
    ApplyDefaultSettings(settings, folders);
    BookForm form;
    ShowSettingsInForm(settings, form);
    Book book;
    book.sourceFolder = "/home/w/site/";
    book.wordDocumentFolder = "/home/w/docs/";
    form.chkSaveSamePath = true;
    ReadExportOptions(settings, form, book);
    EXPECT_TRUE(settings.saveToSourceFolder);
    EXPECT_EQ(settings.bookFolder, "/home/w/site/");
    book.wordImport = true;
    ReadExportOptions(settings, form, book);
    EXPECT_EQ(settings.bookFolder, "/home/w/docs/");
    form.chkSaveSamePath = false;
    form.inBookPath = "/home/w/kindle/";
    ReadExportOptions(settings, form, book);
    EXPECT_EQ(settings.bookFolder, "/home/w/kindle/");
}

TEST_F(SettingsFixture, SaveSettingsFromFormTakesTheToolPaths) {
    ApplyDefaultSettings(settings, folders);
    BookForm form;
    ShowSettingsInForm(settings, form);
    form.inKGenPath = "/opt/kg";
    form.inEpubcheckJar = "/opt/ec.jar";
    form.chkPNG = true;
    EXPECT_TRUE(SaveSettingsFromForm(settings, form, Book{}, folders));
    Settings loaded;
    ASSERT_TRUE(LoadSettings(loaded, folders));
    EXPECT_EQ(loaded.kindleGenPath, "/opt/kg");
    EXPECT_EQ(loaded.epubcheckJar, "/opt/ec.jar");
    EXPECT_TRUE(loaded.picturesAsPng);
    EXPECT_FALSE(SaveSettingsFromForm(settings, form, Book{}, folders));
}

}  // namespace
}  // namespace quillery
