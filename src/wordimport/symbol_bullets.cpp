// Symbol bullets (see symbol_bullets.h).

#include "wordimport/symbol_bullets.h"

#include <array>
#include <string_view>

#include "text/strings.h"

namespace quillery {
namespace {

constexpr std::string_view kWingdings = "font-family:Wingdings";

struct SymbolBullet {
    std::string_view character;  // as Word writes it (one or two UTF-8 bytes)
    std::string_view replacement;
};

constexpr std::array<SymbolBullet, 8> kSymbolBullets{{
    {"l", "&bull;"},
    {"n", "&dagger;"},
    {"u", "&diams;"},
    {"w", "&diams;"},
    {"v", "&lowast;"},
    {"\xC3\x98", "&rsaquo;"},
    {"\xC2\xA7", "&bull;"},
    {"\xC2\xB2", "*"},
}};

// The bullet that starts at pos, when one of the table does and "&" or "<" follows it.
const SymbolBullet* BulletAt(std::string_view html, std::size_t pos) {
    for (const SymbolBullet& bullet : kSymbolBullets) {
        if (html.substr(pos, bullet.character.size()) != bullet.character) continue;
        const std::size_t after = pos + bullet.character.size();
        if (after < html.size() && (html[after] == '&' || html[after] == '<')) return &bullet;
    }
    return nullptr;
}

}  // namespace

void ReplaceSymbolBullets(std::string& html) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t mark = html.find(kWingdings, from);
        if (mark == std::string::npos) break;
        from = mark + kWingdings.size();
        const std::size_t tagEnd = html.find('>', from);
        if (tagEnd == std::string::npos) break;
        const SymbolBullet* bullet = BulletAt(html, tagEnd + 1);
        if (bullet == nullptr) continue;
        html.replace(tagEnd + 1, bullet->character.size(), bullet->replacement);
    }
    html = ReplaceAll(html, "style='font-family:Wingdings'", "");
    html = ReplaceAll(html, "font-family:Wingdings;", "");
}

}  // namespace quillery
