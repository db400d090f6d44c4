// The installed language lists: the dictionary's line format and codes, and that every listed
// name maps to its language code through the program's own lookup.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "project/language.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery::testing {
namespace {

std::string LangFile(const std::string& name) { return ProgramFolder() + "lang/" + name; }

// The lines of a list file, each of which must end in CR LF.
std::vector<std::string> Lines(const std::string& name) {
    const std::string text = ReadTextFile(LangFile(name));
    EXPECT_TRUE(text.ends_with("\r\n")) << name << " is missing or its last line has no line end";
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find('\n'), std::string::npos) << name << ": bare line feed";
    }
    return lines;
}

bool IsLower(char c) { return std::islower(static_cast<unsigned char>(c)) != 0; }

// Name -> code of the dictionary lines "xx:Name".
std::map<std::string, std::string> Dictionary() {
    std::map<std::string, std::string> codes;
    std::set<std::string> seen;
    for (const std::string& line : Lines("lang.dic")) {
        const bool parses = line.size() > 3 && IsLower(line[0]) && IsLower(line[1]) &&
                            line[2] == ':' && line[3] != ' ' && line.back() != ' ';
        EXPECT_TRUE(parses) << "lang.dic: bad line '" << line << "'";
        if (!parses) continue;
        EXPECT_TRUE(seen.insert(line.substr(0, 2)).second)
            << "lang.dic: code listed twice: " << line;
        EXPECT_TRUE(codes.emplace(line.substr(3), line.substr(0, 2)).second)
            << "lang.dic: name listed twice: " << line;
    }
    return codes;
}

// The lookup takes the first occurrence of a name anywhere in its tables and in the dictionary
// text, so a name standing inside an earlier entry (Malay in Malayalam) would get a wrong code.
TEST(LanguageLists, TheDictionaryParsesAndEveryListedNameResolvesToItsCode) {
    const std::map<std::string, std::string> codes = Dictionary();
    EXPECT_GE(codes.size(), 180u);
    for (const auto& [name, code] : {std::pair<std::string, std::string>{"English", "en"},
                                     {"Welsh", "cy"},
                                     {"Malay", "ms"},
                                     {"Malayalam", "ml"}})
        EXPECT_EQ(codes.count(name) ? codes.at(name) : "", code) << name;
    const std::vector<std::string> all = Lines("all.lang"), common = Lines("common.lang");
    const std::set<std::string> all_names(all.begin(), all.end());
    EXPECT_GE(all.size(), 180u);
    EXPECT_EQ(all_names.size(), all.size()) << "all.lang lists a name twice";
    ASSERT_FALSE(common.empty());
    EXPECT_EQ(common.front(), "English");
    for (const std::string& name : common)
        EXPECT_TRUE(all_names.count(name)) << name << " is not in all.lang";
    for (const std::vector<std::string>* list : {&all, &common}) {
        for (const std::string& name : *list) {
            const std::string code = LanguageCode(name, LangFile("lang.dic"));
            EXPECT_TRUE(name == "English" || code != "en") << "no code for '" << name << "'";
            // The built-in list wins over the dictionary (it spells Hebrew "iw").
            const bool built_in =
                std::string(kBuiltInLanguages).find(":" + name) != std::string::npos;
            EXPECT_TRUE(built_in || !codes.count(name) || code == codes.at(name))
                << name << " gives " << code;
        }
    }
}

}  // namespace
}  // namespace quillery::testing
