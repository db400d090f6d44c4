// The book's language (see language.h).

#include "project/language.h"

#include <array>
#include <filesystem>
#include <utility>

#include "text/strings.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery {

const char* const kBuiltInLanguages =
    "ar:Arabic,hr:Croatian,cs:Czech,da:Danish,nl:Dutch,et:Estonian,fi:Finnish,ka:Georgian,"
    "de:German,el:Greek,iw:Hebrew,hu:Hungarian,is:Icelandic,ga:Irish,it:Italian,ja:Japanese,"
    "ko:Korean,la:Latin,lv:Latvian,lt:Lithuanian,mk:Macedonian,no:Norwegian,pl:Polish,"
    "pt:Portuguese,ro:Romanian,ru:Russian,sr:Serbian,sk:Slovak,sl:Slovenian,sv:Swedish,"
    "tr:Turkish,uk:Ukrainian,zh-CN:Chinese (Simplified),zh-TW:Chinese (Traditional)";

namespace {

constexpr std::array<std::pair<const char*, const char*>, 6> kCommonLanguages = {{
    {"english", "en"},
    {"french", "fr"},
    {"spanish", "es"},
    {"german", "de"},
    {"japanese", "ja"},
    {"korean", "ko"},
}};

// The code of the built-in list entry ("code:Name", entries joined by commas) whose name is
// exactly `name`: a whole entry, so "an" or "Sami" never match inside a longer name.
std::string BuiltInCode(std::string_view name) {
    const std::string_view list = kBuiltInLanguages;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string_view::npos) end = list.size();
        const std::string_view entry = list.substr(start, end - start);
        const std::size_t colon = entry.find(':');
        if (colon != std::string_view::npos && entry.substr(colon + 1) == name)
            return std::string(entry.substr(0, colon));
        start = end + 1;
    }
    return {};
}

// The code of the dictionary line (two-character code, one separator character, name) whose
// name is exactly `name`.
std::string DictionaryCode(std::string_view dictionary, std::string_view name) {
    std::size_t start = 0;
    while (start < dictionary.size()) {
        std::size_t end = dictionary.find('\n', start);
        if (end == std::string_view::npos) end = dictionary.size();
        std::string_view entry = dictionary.substr(start, end - start);
        if (entry.ends_with('\r')) entry.remove_suffix(1);
        if (entry.size() > 3 && entry.substr(3) == name) return std::string(entry.substr(0, 2));
        start = end + 1;
    }
    return {};
}

}  // namespace

std::string LanguageCode(std::string_view name, const std::string& dictionaryFile) {
    const std::string lower = LowerAscii(name);
    for (const auto& [common, code] : kCommonLanguages)
        if (lower == common) return code;

    if (name.empty()) return "en";
    if (std::string code = BuiltInCode(name); !code.empty()) return code;
    if (std::string code = DictionaryCode(ReadTextFile(dictionaryFile), name); !code.empty())
        return code;
    return "en";
}

LanguageFiles LanguageFilesFor(const WorkFolders& folders) {
    LanguageFiles files;
    files.all = folders.langFolder + "all.lang";
    files.common = folders.langFolder + "common.lang";
    files.user = folders.userLangFile;
    files.dictionary = folders.langFolder + "lang.dic";
    return files;
}

std::vector<std::string> ReadLanguageList(const std::string& file) {
    std::vector<std::string> names;
    const std::string text = ReadTextFile(file);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) names.push_back(std::move(line));
        start = end + 1;
    }
    return names;
}

void SaveLanguageList(const std::string& file, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += name + "\r\n";
    const fs::path parent = fs::path(file).parent_path();
    if (!parent.empty()) fs::create_directories(parent);
    WriteTextFileAtomic(file, text);
}

std::vector<std::string> InitialLanguageItems(const LanguageFiles& files) {
    std::error_code ec;
    if (fs::is_regular_file(files.user, ec)) return ReadLanguageList(files.user);
    if (fs::is_regular_file(files.common, ec)) return ReadLanguageList(files.common);
    return {"English", "French", "Spanish", "German"};
}

}  // namespace quillery
