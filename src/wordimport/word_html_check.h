#pragma once
// The Word HTML check: whether a file the user picked is HTML saved by Word in UTF-8, judged
// by the first 255 bytes (the generator mark and the charset).

#include <optional>
#include <string>
#include <string_view>

namespace quillery {

class UiPort;

inline constexpr std::string_view kNotWordHtmlMessage =
    "Invalid Word HTML: Not MS Word generated HTML.";
inline constexpr std::string_view kNotUtf8WordHtmlMessage =
    "Invalid Word HTML: Please re-save webpage in utf-8 code.";

// The message that rejects text (the file's content), or nothing when it passes: the first
// 255 bytes must hold `<meta name=Generator content="Microsoft Word ` and "charset=utf-8"
// (both exact case).
std::optional<std::string_view> WordHtmlProblem(std::string_view text);

// Reads the file and checks it; shows the message and returns false when it fails.
bool CheckWordHtml(const std::string& path, UiPort& ui);

}  // namespace quillery
