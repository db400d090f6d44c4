// The installed language lists: the dictionary's entries, the line format of the lists and
// that every listed name maps to a language code by the program's lookup rules.

#include "markup_scan.h"
#include "project/language.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillery::testing {
namespace {

std::string DictionaryFile() { return ProgramFolder() + "lang/lang.dic"; }

std::string LangFile(const std::string& name) { return ReadWholeFile(ProgramFolder() + "lang/" + name); }

// Lines of a CR LF text; fails the test on a bare line feed or a missing final line end.
std::vector<std::string> CrLfLines(const std::string& text, const std::string& file) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            ADD_FAILURE() << file << ": last line has no line end";
            lines.push_back(text.substr(start));
            break;
        }
        if (lf == start || text[lf - 1] != '\r') ADD_FAILURE() << file << ": bare line feed at byte " << lf;
        lines.push_back(text.substr(start, lf - start - (lf > start && text[lf - 1] == '\r' ? 1 : 0)));
        start = lf + 1;
    }
    return lines;
}

struct DicEntry {
    std::string code, name;
};

std::vector<DicEntry> DictionaryEntries() {
    std::vector<DicEntry> entries;
    for (const std::string& line : CrLfLines(LangFile("lang.dic"), "lang.dic")) {
        EXPECT_GE(line.size(), 4u) << "short line: '" << line << "'";
        if (line.size() < 4) continue;
        EXPECT_EQ(line[2], ':') << "no separator: " << line;
        entries.push_back({line.substr(0, 2), line.substr(3)});
    }
    return entries;
}

TEST(LanguageDictionary, EveryLineIsATwoLetterCodeSeparatorAndName) {
    const std::vector<DicEntry> entries = DictionaryEntries();
    ASSERT_GE(entries.size(), 180u);
    std::set<std::string> codes, names;
    for (const DicEntry& e : entries) {
        EXPECT_TRUE(std::islower(static_cast<unsigned char>(e.code[0])) && std::islower(static_cast<unsigned char>(e.code[1])))
            << "code '" << e.code << "'";
        EXPECT_FALSE(e.name.empty());
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(e.name[0]))) << e.name;
        EXPECT_EQ(e.name.find_first_of(":,\r\n"), std::string::npos) << e.name;
        EXPECT_NE(e.name.back(), ' ') << e.name;
        EXPECT_TRUE(codes.insert(e.code).second) << "code listed twice: " << e.code;
        EXPECT_TRUE(names.insert(e.name).second) << "name listed twice: " << e.name;
    }
}

TEST(LanguageDictionary, HoldsTheWellKnownCodes) {
    std::map<std::string, std::string> by_name;
    for (const DicEntry& e : DictionaryEntries()) by_name[e.name] = e.code;
    EXPECT_EQ(by_name["English"], "en");
    EXPECT_EQ(by_name["Welsh"], "cy");
    EXPECT_EQ(by_name["Persian"], "fa");
    EXPECT_EQ(by_name["Chinese"], "zh");
    EXPECT_EQ(by_name["Zulu"], "zu");
    EXPECT_EQ(by_name["Malay"], "ms");
    EXPECT_EQ(by_name["Malayalam"], "ml");
}

// The program takes the first occurrence of a name anywhere in the dictionary text, so a
// name that also appears inside an earlier entry (Malay in Malayalam) would get the wrong code.
TEST(LanguageDictionary, EveryNameFindsItsOwnEntryFirst) {
    const std::string text = LangFile("lang.dic");
    for (const DicEntry& e : DictionaryEntries()) {
        const std::size_t p = text.find(e.name);
        ASSERT_NE(p, std::string::npos);
        EXPECT_EQ(text.substr(p - 3, 2), e.code) << e.name << " is found inside another entry first";
    }
}

void ExpectListResolves(const std::string& file) {
    std::map<std::string, std::string> by_name;
    for (const DicEntry& e : DictionaryEntries()) by_name[e.name] = e.code;
    const std::vector<std::string> names = CrLfLines(LangFile(file), file);
    ASSERT_FALSE(names.empty()) << file << " is empty or missing";
    std::set<std::string> seen;
    for (const std::string& name : names) {
        EXPECT_FALSE(name.empty()) << file << ": empty line";
        EXPECT_TRUE(name.empty() || (name.front() != ' ' && name.back() != ' ')) << file << ": blanks around '" << name << "'";
        EXPECT_TRUE(seen.insert(name).second) << file << ": listed twice: " << name;
        // An unknown name falls back to "en"; only English itself may end there.
        const std::string code = LanguageCode(name, DictionaryFile());
        if (name != "English") {
            EXPECT_NE(code, "en") << file << ": no code for " << name;
        }
        // The built-in list wins over the dictionary; it spells Hebrew "iw".
        const bool built_in = std::string(kBuiltInLanguages).find(":" + name) != std::string::npos;
        if (!built_in && by_name.count(name)) {
            EXPECT_EQ(code, by_name[name]) << name;
        }
    }
}

TEST(LanguageLists, AllLanguagesResolveToCodes) { ExpectListResolves("all.lang"); }
TEST(LanguageLists, CommonLanguagesResolveToCodes) { ExpectListResolves("common.lang"); }

TEST(LanguageLists, CommonLanguagesAreAmongAllLanguagesAndStartWithEnglish) {
    const std::vector<std::string> all = CrLfLines(LangFile("all.lang"), "all.lang");
    const std::vector<std::string> common = CrLfLines(LangFile("common.lang"), "common.lang");
    ASSERT_FALSE(common.empty());
    EXPECT_EQ(common.front(), "English");
    for (const std::string& name : common) EXPECT_NE(std::find(all.begin(), all.end(), name), all.end()) << name;
    EXPECT_GE(all.size(), 180u);
}

TEST(LanguageLists, ChineseVariantsAndHebrewUseTheBuiltInCodes) {
    EXPECT_EQ(LanguageCode("Chinese (Simplified)", DictionaryFile()), "zh-CN");
    EXPECT_EQ(LanguageCode("Chinese (Traditional)", DictionaryFile()), "zh-TW");
    EXPECT_EQ(LanguageCode("Hebrew", DictionaryFile()), "iw");
    EXPECT_EQ(LanguageCode("Norwegian Nynorsk", DictionaryFile()), "nn");
    EXPECT_EQ(LanguageCode("Klingon", DictionaryFile()), "en");
}

}  // namespace
}  // namespace quillery::testing
