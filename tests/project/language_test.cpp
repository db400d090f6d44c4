#include "project/language.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace quillery {
namespace {

using testing::TempDir;

TEST(LanguageCode, CommonNamesInAnyCase) {
    for (const char* name : {"English", "english", "ENGLISH", "eNgLiSh"})
        EXPECT_EQ(LanguageCode(name, ""), "en") << name;
    EXPECT_EQ(LanguageCode("french", ""), "fr");
    EXPECT_EQ(LanguageCode("SPANISH", ""), "es");
    EXPECT_EQ(LanguageCode("German", ""), "de");
    EXPECT_EQ(LanguageCode("japanese", ""), "ja");
    EXPECT_EQ(LanguageCode("Korean", ""), "ko");
}

TEST(LanguageCode, BuiltInList) {
    EXPECT_EQ(LanguageCode("Chinese (Simplified)", ""), "zh-CN");
    EXPECT_EQ(LanguageCode("Chinese (Traditional)", ""), "zh-TW");
    EXPECT_EQ(LanguageCode("Hebrew", ""), "iw");
    EXPECT_EQ(LanguageCode("Norwegian", ""), "no");
    EXPECT_EQ(LanguageCode("Slovak", ""), "sk");
    EXPECT_EQ(LanguageCode("Slovenian", ""), "sl");
    EXPECT_EQ(LanguageCode("Arabic", ""), "ar");
    EXPECT_EQ(LanguageCode("Ukrainian", ""), "uk");
}

TEST(LanguageCode, BuiltInListIsCaseSensitive) {
    TempDir dir;
    EXPECT_EQ(LanguageCode("hebrew", dir.path() + "lang.dic"), "en");
}

TEST(LanguageCode, NamesNotFoundGiveEnglish) {
    TempDir dir;
    const std::string missing = dir.path() + "lang.dic";
    EXPECT_EQ(LanguageCode("", missing), "en");
    EXPECT_EQ(LanguageCode("English ", missing), "en");
    EXPECT_EQ(LanguageCode("Klingon", missing), "en");
    // A match at the very start of the list has no code before it.
    EXPECT_EQ(LanguageCode("ar", missing), "en");
}

TEST(LanguageCode, Dictionary) {
    TempDir dir;
    const std::string dic =
        dir.Write("lang.dic", "Welsh\r\ncy:Welsh\r\nbr:Breton\r\nfy Frisian\r\n");
    EXPECT_EQ(LanguageCode("Breton", dic), "br");
    EXPECT_EQ(LanguageCode("Frisian", dic), "fy");
    // The first occurrence counts: "Welsh" stands at position 1, so no code precedes it.
    EXPECT_EQ(LanguageCode("Welsh", dic), "en");
    // The built-in tables come first.
    const std::string dic2 = dir.Write("lang2.dic", "xx:English\r\nyy:Hebrew\r\n");
    EXPECT_EQ(LanguageCode("English", dic2), "en");
    EXPECT_EQ(LanguageCode("Hebrew", dic2), "iw");
    // A name with a trailing blank is not a common name, but the dictionary may hold it.
    const std::string dic3 = dir.Write("lang3.dic", "en:English \r\nfr:French \r\n");
    EXPECT_EQ(LanguageCode("French ", dic3), "fr");
}

TEST(LanguageLists, ReadLinesWithoutLineEnds) {
    TempDir dir;
    const std::string file = dir.Write("lang/common.lang", "English\r\nFrench\r\n\r\nGerman");
    EXPECT_EQ(ReadLanguageList(file), (std::vector<std::string>{"English", "French", "German"}));
    EXPECT_TRUE(ReadLanguageList(dir.path() + "lang/none.lang").empty());
}

TEST(LanguageLists, InitialItemsPreferUserThenCommonThenDesign) {
    TempDir dir;
    WorkFolders folders;
    folders.langFolder = dir.path() + "data/lang/";
    folders.userLangFile = dir.path() + "state/lang/user.lang";
    const LanguageFiles files = LanguageFilesFor(folders);
    EXPECT_EQ(files.all, dir.path() + "data/lang/all.lang");
    EXPECT_EQ(files.dictionary, dir.path() + "data/lang/lang.dic");

    EXPECT_EQ(InitialLanguageItems(files),
              (std::vector<std::string>{"English", "French", "Spanish", "German"}));
    dir.Write("data/lang/common.lang", "Dutch\r\nEnglish\r\n");
    EXPECT_EQ(InitialLanguageItems(files), (std::vector<std::string>{"Dutch", "English"}));
    SaveLanguageList(files.user, {"Latin", "Greek"});
    std::ifstream in(files.user, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "Latin\r\nGreek\r\n");
    EXPECT_EQ(InitialLanguageItems(files), (std::vector<std::string>{"Latin", "Greek"}));
}

}  // namespace
}  // namespace quillery
