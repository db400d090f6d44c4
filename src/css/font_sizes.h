#pragma once
// Font size adaptation: rewrites the sizes in the font declarations of one stylesheet text.
// E-book readers size text relative to the reader's chosen size, so absolute point sizes
// become em sizes; for the large KindleGen build, which shows point sizes at half size,
// pixel sizes become points and points are doubled instead. Text outside font
// declarations is never changed.

#include <stdexcept>
#include <string>

namespace quillery {

// A font size in a font declaration that is not a valid decimal number (e.g. "1..2pt"),
// raised by the em conversion. number() is the size as written with its unit ("1..2pt"),
// declaration() the declaration it stands in ("font-size:1..2pt"), shortened when long.
class FontSizeError : public std::runtime_error {
public:
    FontSizeError(std::string number, std::string declaration);
    const std::string& number() const { return number_; }
    const std::string& declaration() const { return declaration_; }

private:
    std::string number_;
    std::string declaration_;
};

// Every "pt" size in a lower-case "font" declaration becomes its value divided by
// baseFontSize (0 = "Auto" = 12) in two significant digits followed by "em":
// "font-size:14.0pt;" -> "font-size:1.2em;". A zero size stays as it is.
// Throws FontSizeError when a size is not a valid number.
void ConvertPointsToEm(std::string& css, int baseFontSize);

// Every "px" size in a "font" declaration (any letter case) becomes value * 3 / 4, rounded
// to the nearest whole number (halves to even), followed by "pt": "font-size:16px" ->
// "font-size:12pt". A size that is not a valid number is left as it is.
void ConvertPixelsToPoints(std::string& css);

// Every "pt" size in a "font" declaration (any letter case) is doubled, in two significant
// digits, keeping its unit: "FONT-SIZE:12PT" -> "FONT-SIZE:24PT". A size that is not a
// valid number is left as it is.
void DoublePointSizes(std::string& css);

// A number in two significant digits, ties away from zero, trailing zeros and a trailing
// "." dropped, "." as decimal separator whatever the locale: 0.8333 -> "0.83",
// 1.25 -> "1.3", 24 -> "24", 144 -> "140".
std::string FormatTwoSignificantDigits(double value);

}  // namespace quillery
