// The Word HTML check (see word_html_check.h).

#include "wordimport/word_html_check.h"

#include "text/text_file.h"
#include "project/ui_port.h"

namespace quillery {
namespace {

constexpr std::size_t kCheckedBytes = 255;
constexpr std::string_view kGeneratorMark = "<meta name=Generator content=\"Microsoft Word ";
constexpr std::string_view kUtf8Charset = "charset=utf-8";

}  // namespace

std::optional<std::string_view> WordHtmlProblem(std::string_view text) {
    const std::string_view start = text.substr(0, kCheckedBytes);
    if (start.find(kGeneratorMark) == std::string_view::npos) return kNotWordHtmlMessage;
    if (start.find(kUtf8Charset) == std::string_view::npos) return kNotUtf8WordHtmlMessage;
    return std::nullopt;
}

bool CheckWordHtml(const std::string& path, UiPort& ui) {
    const std::optional<std::string_view> problem = WordHtmlProblem(ReadTextFile(path));
    if (!problem) return true;
    ui.ShowMessage(*problem);
    return false;
}

}  // namespace quillery
