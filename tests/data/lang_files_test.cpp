// The installed language lists: the dictionary's entries, the line format of the lists and
// that every listed name maps to a language code by the program's lookup rules.

#include "markup_scan.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace quillery::testing {
namespace {

// The lookup the program applies to a language name: six common names (any letter case),
// then the built-in list, then the dictionary text. nullopt when none of them knows the name
// (the program then falls back to "en").
const char* kBuiltInList =
    "ar:Arabic,hr:Croatian,cs:Czech,da:Danish,nl:Dutch,et:Estonian,fi:Finnish,ka:Georgian,de:German,"
    "el:Greek,iw:Hebrew,hu:Hungarian,is:Icelandic,ga:Irish,it:Italian,ja:Japanese,ko:Korean,la:Latin,"
    "lv:Latvian,lt:Lithuanian,mk:Macedonian,no:Norwegian,pl:Polish,pt:Portuguese,ro:Romanian,ru:Russian,"
    "sr:Serbian,sk:Slovak,sl:Slovenian,sv:Swedish,tr:Turkish,uk:Ukrainian,zh-CN:Chinese (Simplified),"
    "zh-TW:Chinese (Traditional)";

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::optional<std::string> ResolveLanguage(const std::string& name, const std::string& dictionary) {
    static const std::pair<const char*, const char*> kCommon[] = {
        {"english", "en"}, {"french", "fr"}, {"spanish", "es"}, {"german", "de"}, {"japanese", "ja"}, {"korean", "ko"}};
    for (const auto& [common, code] : kCommon)
        if (Lower(name) == common) return std::string(code);
    if (name.empty()) return std::nullopt;
    const std::string builtin = kBuiltInList;
    if (const std::size_t p = builtin.find(name); p != std::string::npos) {
        const std::string code = builtin.substr(p - 3, 2);
        return code == "CN" || code == "TW" ? "zh-" + code : code;
    }
    if (const std::size_t p = dictionary.find(name); p != std::string::npos && p >= 3)
        return dictionary.substr(p - 3, 2);
    return std::nullopt;
}

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
    const std::string dictionary = LangFile("lang.dic");
    std::map<std::string, std::string> by_name;
    for (const DicEntry& e : DictionaryEntries()) by_name[e.name] = e.code;
    const std::vector<std::string> names = CrLfLines(LangFile(file), file);
    ASSERT_FALSE(names.empty()) << file << " is empty or missing";
    std::set<std::string> seen;
    for (const std::string& name : names) {
        EXPECT_FALSE(name.empty()) << file << ": empty line";
        EXPECT_TRUE(name.empty() || (name.front() != ' ' && name.back() != ' ')) << file << ": blanks around '" << name << "'";
        EXPECT_TRUE(seen.insert(name).second) << file << ": listed twice: " << name;
        const std::optional<std::string> code = ResolveLanguage(name, dictionary);
        ASSERT_TRUE(code.has_value()) << file << ": no code for " << name;
        // The built-in list wins over the dictionary; it spells Hebrew "iw".
        const bool built_in = std::string(kBuiltInList).find(":" + name) != std::string::npos;
        if (!built_in && by_name.count(name)) {
            EXPECT_EQ(*code, by_name[name]) << name;
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
    const std::string dictionary = LangFile("lang.dic");
    EXPECT_EQ(ResolveLanguage("Chinese (Simplified)", dictionary), "zh-CN");
    EXPECT_EQ(ResolveLanguage("Chinese (Traditional)", dictionary), "zh-TW");
    EXPECT_EQ(ResolveLanguage("Hebrew", dictionary), "iw");
    EXPECT_EQ(ResolveLanguage("Norwegian Nynorsk", dictionary), "nn");
    EXPECT_EQ(ResolveLanguage("Klingon", dictionary), std::nullopt);
}

}  // namespace
}  // namespace quillery::testing
