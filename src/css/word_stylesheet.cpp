// The Word stylesheet extraction (see word_stylesheet.h).

#include "css/word_stylesheet.h"

#include "css/css_text.h"
#include "text/paths.h"
#include "text/regex.h"
#include "text/text_file.h"

namespace quillery {
namespace {

constexpr std::string_view kStyleOpen = "<style";
constexpr std::string_view kStyleClose = "</style>";
constexpr std::string_view kDefinitionsMark = "Definitions";
constexpr std::string_view kScriptPattern = "<script.+?</script>";

// The line break before the end tag is not part of the block: a CR LF pair goes whole, so
// no stray CR is left, and a block without a final line break loses nothing.
void DropFinalLineBreak(std::string_view& content) {
    if (content.ends_with("\r\n"))
        content.remove_suffix(2);
    else if (content.ends_with('\n') || content.ends_with('\r'))
        content.remove_suffix(1);
}

}  // namespace

std::optional<WordStyleBlock> FindWordStyleBlock(std::string_view html) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = html.find(kStyleOpen, from);
        if (open == std::string_view::npos) return std::nullopt;
        const std::size_t tagEnd = html.find('>', open + kStyleOpen.size());
        if (tagEnd == std::string_view::npos) return std::nullopt;
        const std::size_t close = html.find(kStyleClose, tagEnd);
        if (close == std::string_view::npos) return std::nullopt;
        std::string_view content = html.substr(tagEnd + 1, close - tagEnd - 1);
        DropFinalLineBreak(content);
        if (content.find(kDefinitionsMark) != std::string_view::npos)
            return WordStyleBlock{open, close + kStyleClose.size(), std::string(content)};
        from = close;
    }
}

bool ExtractWordStylesheet(std::string& html, const std::string& htmlPath, Book& book) {
    RegexDelete(html, kScriptPattern);
    std::optional<WordStyleBlock> block = FindWordStyleBlock(html);
    if (!block) return false;

    std::string stylesheet = std::move(block->text);
    UnquoteGenericFamilies(stylesheet);
    stylesheet.append("\r\n");
    stylesheet.append(kWordLinkRule);
    WriteTextFile(FolderOf(htmlPath) + "style.css", stylesheet);

    book.stylesheets.assign(1, "style.css");
    html.replace(block->elementStart, block->elementEnd - block->elementStart, kWordStylesheetLink);
    return true;
}

}  // namespace quillery
