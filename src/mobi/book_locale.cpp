// The book's language as the MOBI header and EXTH records hold it (see book_locale.h).

#include "mobi/book_locale.h"

#include <cctype>
#include <string_view>

namespace quillery::mobi {
namespace {

struct Language {
    const char* code;
    std::uint32_t primary;
};

// ISO 639-1 codes and their Windows primary language numbers.
constexpr Language kLanguages[] = {
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", 0x04}, {"cs", 0x05}, {"da", 0x06},
    {"de", 0x07}, {"el", 0x08}, {"en", 0x09}, {"es", 0x0A}, {"fi", 0x0B}, {"fr", 0x0C},
    {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12},
    {"nl", 0x13}, {"no", 0x14}, {"nb", 0x14}, {"nn", 0x14}, {"pl", 0x15}, {"pt", 0x16},
    {"rm", 0x17}, {"ro", 0x18}, {"ru", 0x19}, {"hr", 0x1A}, {"sr", 0x1A}, {"sk", 0x1B},
    {"sq", 0x1C}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F}, {"ur", 0x20}, {"id", 0x21},
    {"uk", 0x22}, {"be", 0x23}, {"sl", 0x24}, {"et", 0x25}, {"lv", 0x26}, {"lt", 0x27},
    {"tg", 0x28}, {"fa", 0x29}, {"vi", 0x2A}, {"hy", 0x2B}, {"az", 0x2C}, {"eu", 0x2D},
    {"mk", 0x2F}, {"tn", 0x32}, {"xh", 0x34}, {"zu", 0x35}, {"af", 0x36}, {"ka", 0x37},
    {"fo", 0x38}, {"hi", 0x39}, {"mt", 0x3A}, {"se", 0x3B}, {"ga", 0x3C}, {"ms", 0x3E},
    {"kk", 0x3F}, {"ky", 0x40}, {"sw", 0x41}, {"uz", 0x43}, {"tt", 0x44}, {"bn", 0x45},
    {"pa", 0x46}, {"gu", 0x47}, {"or", 0x48}, {"ta", 0x49}, {"te", 0x4A}, {"kn", 0x4B},
    {"ml", 0x4C}, {"as", 0x4D}, {"mr", 0x4E}, {"sa", 0x4F}, {"mn", 0x50}, {"cy", 0x52},
    {"gl", 0x56}, {"ne", 0x61}, {"fy", 0x62},
};

struct Region {
    const char* tag;  // lower-case, "-" separated
    std::uint32_t sublanguage;
};

constexpr Region kRegions[] = {
    {"en-us", 1},  {"en-gb", 2},  {"en-au", 3}, {"en-ca", 4}, {"en-nz", 5}, {"en-ie", 6},
    {"en-za", 7},  {"en-in", 16}, {"de-de", 1}, {"de-ch", 2}, {"de-at", 3}, {"de-lu", 4},
    {"fr-fr", 1},  {"fr-be", 2},  {"fr-ca", 3}, {"fr-ch", 4}, {"es-es", 3}, {"es-mx", 2},
    {"es-ar", 11}, {"pt-br", 1},  {"pt-pt", 2}, {"zh-tw", 1}, {"zh-cn", 2}, {"zh-hk", 3},
    {"zh-sg", 4},  {"it-it", 1},  {"it-ch", 2}, {"nl-nl", 1}, {"nl-be", 2}, {"sv-se", 1},
    {"sv-fi", 2},  {"ar-sa", 1},  {"ar-eg", 3}, {"ru-ru", 1}, {"ja-jp", 1}, {"ko-kr", 1},
};

}  // namespace

std::uint32_t LocaleNumber(const std::string& languageTag) {
    std::string tag;
    for (char c : languageTag)
        tag += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string_view primary = std::string_view(tag).substr(0, tag.find('-'));
    std::uint32_t language = 0;
    for (const auto& entry : kLanguages) {
        if (primary == entry.code) language = entry.primary;
    }
    if (language == 0) return 0;
    for (const auto& region : kRegions) {
        if (tag == region.tag) return language | (region.sublanguage << 10);
    }
    return language;
}

}  // namespace quillery::mobi
