#pragma once
// The book's language: the names offered in the language box and the mapping from the
// chosen name to the language code written into content.opf.

#include <string>
#include <string_view>
#include <vector>

#include "project/work_folders.h"

namespace quillery {

// The built-in list: code, colon, name, entries joined by commas.
extern const char* const kBuiltInLanguages;

// The code for the name as typed (not trimmed): the six common names (English, French,
// Spanish, German, Japanese, Korean) in any letter case; else the code of the built-in list
// entry with exactly that name ("zh-CN"/"zh-TW" for the two Chinese entries); else the code
// of the first dictionary line (two-character code, one separator, name) with exactly that
// name; else "en". The name must be a whole entry's name: a part of one ("ar", "Sami", "an")
// matches nothing. A missing dictionary gives "en".
std::string LanguageCode(std::string_view name, const std::string& dictionaryFile);

// The language list files of the program.
struct LanguageFiles {
    std::string all;         // lang/all.lang: every language the user may pick
    std::string common;      // lang/common.lang: the default list
    std::string user;        // lang/user.lang: the user's own list (written by the program)
    std::string dictionary;  // lang/lang.dic
};
LanguageFiles LanguageFilesFor(const WorkFolders& folders);

// The lines of a list file, without empty lines; empty when the file is missing.
std::vector<std::string> ReadLanguageList(const std::string& file);
// Overwrites a list file with one name per line (CR LF), creating its folder.
void SaveLanguageList(const std::string& file, const std::vector<std::string>& names);
// The items of the language box at the first show: the user list if its file exists, else
// the common list if its file exists, else "English", "French", "Spanish", "German".
std::vector<std::string> InitialLanguageItems(const LanguageFiles& files);

}  // namespace quillery
