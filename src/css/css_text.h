#pragma once
// Small CSS text functions shared by the Word HTML cleaner and the stylesheet extraction.

#include <string>
#include <string_view>

namespace quillery {

// Replaces the quoted generic family names "sans-serif", "monospace", "mono" and "serif"
// (with their double quotes, letter case exact) by the bare words.
void UnquoteGenericFamilies(std::string& css);

// The text strictly between the braces of the first rule that follows the first occurrence
// of selector in css (plain, case-sensitive search); empty when the selector does not occur
// or no "{" ... "}" follows it. Works on texts of any length.
std::string DeclarationBlock(std::string_view selector, std::string_view css);

// Turns every run "margin-top:A; margin-right:B; margin-bottom:C; margin-left:D;" (white
// space allowed between the declarations) into "margin:A B C D;". Longhands in another
// order or with other declarations between them stay as they are.
void MarginShorthand(std::string& text);

}  // namespace quillery
