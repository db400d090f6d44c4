#pragma once
// Symbol bullets: Word writes list bullets as a letter in a Wingdings span; the cleaner turns
// the known ones into entities and drops the Wingdings declarations.

#include <string>

namespace quillery {

// For each "font-family:Wingdings" (exact case), the character right after the ">" that ends
// its tag becomes an entity when a "&" or "<" follows it (l and the section sign: &bull;,
// n: &dagger;, u and w: &diams;, v: &lowast;, Ø: &rsaquo;, ²: "*"). Then every
// "style='font-family:Wingdings'" and every "font-family:Wingdings;" is removed.
void ReplaceSymbolBullets(std::string& html);

}  // namespace quillery
