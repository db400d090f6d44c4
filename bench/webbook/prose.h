#pragma once
// Deterministic filler prose for the generated web book: a small fixed-seed random source and
// sentence, paragraph and title makers that produce UTF-8 text safe to put into XHTML as is
// (no "<", ">" or "&").

#include <cstdint>
#include <string>

namespace quillery::bench {

// SplitMix64: tiny, fast and identical on every platform, so a given seed always gives the
// same book.
class Prng {
public:
    explicit Prng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // A number in [0, bound); bound must be positive.
    std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }

private:
    std::uint64_t state_;
};

// Appends one sentence (capitalised, 6 to 18 words, ending in ".") to out.
void AppendSentence(Prng& rng, std::string& out);
// Appends the text of one paragraph (3 to 7 sentences, no markup) to out.
void AppendParagraphText(Prng& rng, std::string& out);
// A short capitalised title of two to four words.
std::string MakeTitle(Prng& rng);

}  // namespace quillery::bench
