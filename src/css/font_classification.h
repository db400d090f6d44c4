#pragma once
// Font-family classification: a font the reader does not have falls back to a generic
// family, so every font-family declaration that names no generic family gets one appended.

#include <string>

namespace quillery {

// After the value of every "font-family:" declaration (letter case ignored) that does not
// contain "serif", inserts "," and a generic family: "monospace" for Courier fonts,
// "sans-serif" for well-known sans-serif fonts (Arial, Verdana, Helvetica, ...), "serif"
// otherwise. "font-family:Arial;" -> "font-family:Arial,sans-serif;".
void ClassifyFontFamilies(std::string& css);

}  // namespace quillery
