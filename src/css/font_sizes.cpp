// Font size adaptation (see font_sizes.h).

#include "css/font_sizes.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "css/font_declaration_scan.h"

namespace quillery {
namespace {

constexpr std::string_view kSizeChars = "0123456789.";
constexpr int kAutoBaseFontSize = 12;
// Longest declaration text quoted in an error message.
constexpr std::size_t kQuotedDeclarationMax = 80;

// The value of a size written with digits and at most one ".", with at least one digit
// ("12", "10.5", ".5", "5."); nullopt for anything else ("1..2", ".") or a value out of
// range. The decimal separator is always ".", whatever the locale.
std::optional<double> ParseSize(std::string_view number) {
    std::size_t digits = 0;
    std::size_t points = 0;
    for (char c : number) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    // from_chars does not take a leading or trailing "." everywhere: give it a full form.
    std::string text(number);
    if (text.front() == '.') text.insert(text.begin(), '0');
    if (text.back() == '.') text.pop_back();
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string QuotedDeclaration(std::string_view declaration) {
    if (declaration.size() <= kQuotedDeclarationMax) return std::string(declaration);
    return std::string(declaration.substr(0, kQuotedDeclarationMax)) + "...";
}

}  // namespace

FontSizeError::FontSizeError(std::string number, std::string declaration)
    : std::runtime_error("the font size \"" + number + "\" in \"" + declaration +
                         "\" is not a valid number"),
      number_(std::move(number)),
      declaration_(std::move(declaration)) {}

std::string FormatTwoSignificantDigits(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return "0";
    const bool negative = value < 0;
    // Fifteen significant digits, as many as a double holds faithfully, so that a value
    // meant as a decimal tie (1.25, 0.875) rounds as one.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    // buffer: d.dddddddddddddde[+-]xx
    int leading = (buffer[0] - '0') * 10 + (buffer[2] - '0');
    int exponent = std::atoi(buffer + 17);
    if (buffer[3] >= '5') ++leading;  // ties away from zero
    if (leading == 100) {
        leading = 10;
        ++exponent;
    }
    // The value is leading * 10^(exponent - 1), leading in 10..99. Plain decimal notation
    // always: a reader's stylesheet parser need not understand "1.4E2pt".
    const std::string digits = std::to_string(leading);
    std::string text;
    if (exponent >= 1) {
        text = digits + std::string(static_cast<std::size_t>(exponent - 1), '0');
    } else {
        if (exponent == 0)
            text = digits.substr(0, 1) + "." + digits.substr(1);
        else
            text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return negative ? "-" + text : text;
}

void ConvertPointsToEm(std::string& css, int baseFontSize) {
    const double base = baseFontSize > 0 ? baseFontSize : kAutoBaseFontSize;
    const auto toEm = [base](std::string_view number,
                             std::string_view declaration) -> std::optional<std::string> {
        std::optional<double> value = ParseSize(number);
        if (!value) throw FontSizeError(std::string(number) + "pt", QuotedDeclaration(declaration));
        if (*value == 0) return std::nullopt;
        return FormatTwoSignificantDigits(*value / base) + "em";
    };
    css = css_detail::RewriteFontSizes(css, {.unit = "pt",
                                             .ignoreCase = false,
                                             .numberChars = kSizeChars,
                                             .keepUnit = false,
                                             .replace = toEm});
}

void ConvertPixelsToPoints(std::string& css) {
    const auto toPoints = [](std::string_view number,
                             std::string_view) -> std::optional<std::string> {
        std::optional<double> value = ParseSize(number);
        if (!value) return std::nullopt;
        // Rounding to nearest with halves to the even neighbour (the default mode).
        const double points = std::nearbyint(*value / 4 * 3);
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", points);
        return std::string(buffer) + "pt";
    };
    css = css_detail::RewriteFontSizes(css, {.unit = "px",
                                             .ignoreCase = true,
                                             .numberChars = kSizeChars,
                                             .keepUnit = false,
                                             .replace = toPoints});
}

void DoublePointSizes(std::string& css) {
    const auto doubled = [](std::string_view number,
                            std::string_view) -> std::optional<std::string> {
        std::optional<double> value = ParseSize(number);
        if (!value) return std::nullopt;
        return FormatTwoSignificantDigits(*value * 2);
    };
    css = css_detail::RewriteFontSizes(css, {.unit = "pt",
                                             .ignoreCase = true,
                                             .numberChars = kSizeChars,
                                             .keepUnit = true,
                                             .replace = doubled});
}

}  // namespace quillery
