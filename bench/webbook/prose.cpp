// Deterministic filler prose for the generated web book (see prose.h).

#include "prose.h"

#include <array>
#include <string_view>

namespace quillery::bench {

namespace {

// A plain vocabulary with a few words that need more than one UTF-8 byte, so the book
// exercises multi-byte text the way real books do.
constexpr std::array<std::string_view, 96> kWords = {
    "the",        "a",       "harbour",  "light",   "keeper",  "evening",  "stone",   "wind",
    "river",      "garden",  "window",   "letter",  "morning", "road",     "village", "boat",
    "market",     "bread",   "candle",   "map",     "quiet",   "old",      "bright",  "narrow",
    "long",       "small",   "green",    "distant", "careful", "warm",     "walked",  "found",
    "remembered", "carried", "opened",   "watched", "waited",  "wrote",    "climbed", "turned",
    "slowly",     "again",   "together", "outside", "before",  "after",    "under",   "across",
    "beside",     "towards", "and",      "but",     "while",   "because",  "until",   "with",
    "without",    "through", "of",       "in",      "café",    "façade",   "naïve",   "rôle",
    "fiancée",    "déjà",    "crème",    "señor",   "Zoë",     "Ångström", "story",   "people",
    "house",      "door",    "table",    "friend",  "sister",  "captain",  "teacher", "traveller",
    "was",        "had",     "would",    "could",   "never",   "always",   "almost",  "perhaps",
    "only",       "still",   "north",    "south",   "winter",  "summer",   "island",  "valley"};

constexpr std::array<std::string_view, 12> kTitleWords = {
    "Harbour", "Lanterns", "Winter", "Letters", "Crossing", "Island",
    "Keeper",  "Market",   "Valley", "Storm",   "Return",   "Café"};

void AppendWord(Prng& rng, std::string& out, bool capitalise) {
    const std::string_view word = kWords[rng.Below(kWords.size())];
    const std::size_t start = out.size();
    out.append(word);
    if (capitalise && out[start] >= 'a' && out[start] <= 'z')
        out[start] = static_cast<char>(out[start] - 'a' + 'A');
}

}  // namespace

std::uint64_t Prng::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void AppendSentence(Prng& rng, std::string& out) {
    const std::uint32_t words = 6 + rng.Below(13);
    const std::uint32_t style = rng.Below(8);
    for (std::uint32_t i = 0; i < words; ++i) {
        if (i > 0) {
            if (style == 0 && i == words / 2)
                out.append(" \xE2\x80\x94 ");  // em dash
            else if (style == 1 && i == words / 2)
                out.append(", \xE2\x80\x9C");  // opening quote
            else if (style == 2 && i == 3)
                out.append(", ");
            else
                out.push_back(' ');
        }
        AppendWord(rng, out, i == 0);
    }
    out.append(style == 1 ? "\xE2\x80\x9D." : ".");  // closing quote
}

void AppendParagraphText(Prng& rng, std::string& out) {
    const std::uint32_t sentences = 3 + rng.Below(5);
    for (std::uint32_t i = 0; i < sentences; ++i) {
        if (i > 0) out.push_back(' ');
        AppendSentence(rng, out);
    }
}

std::string MakeTitle(Prng& rng) {
    std::string title = "The ";
    title.append(kTitleWords[rng.Below(kTitleWords.size())]);
    const std::uint32_t extra = rng.Below(3);
    for (std::uint32_t i = 0; i < extra; ++i) {
        title.append(i == 0 ? " of " : " and ");
        title.append(kTitleWords[rng.Below(kTitleWords.size())]);
    }
    return title;
}

}  // namespace quillery::bench
