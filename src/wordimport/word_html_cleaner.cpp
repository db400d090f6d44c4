// The Word HTML cleaner (see word_html_cleaner.h).

#include "wordimport/word_html_cleaner.h"

#include <charconv>

#include "htmlimport/element_cleaner.h"
#include "text/regex.h"
#include "text/strings.h"
#include "text/text_file.h"
#include "wordimport/import_progress.h"
#include "wordimport/style_classes.h"
#include "wordimport/symbol_bullets.h"

namespace quillery {
namespace {

constexpr std::string_view kOptimizing = "Optimizing";
constexpr std::string_view kWordMark = "Microsoft Word ";

void ReportStatus(ImportProgress* progress) {
    if (progress != nullptr) progress->Status(kOptimizing);
}

// Inside tags (a "<" not followed by "!" up to the next ">") line feeds and tabs become
// spaces; text outside tags is unchanged.
void FlattenTags(std::string& html) {
    bool inTag = false;
    for (std::size_t i = 0; i < html.size(); ++i) {
        char& c = html[i];
        if (!inTag) {
            inTag = c == '<' && (i + 1 >= html.size() || html[i + 1] != '!');
        } else if (c == '>') {
            inTag = false;
        } else if (c == '\n' || c == '\t') {
            c = ' ';
        }
    }
}

// A run of two or more spaces becomes one; after ":" or ";" a run of three or more goes
// entirely.
void CollapseSpaces(std::string& html) {
    std::string out;
    out.reserve(html.size());
    for (std::size_t i = 0; i < html.size();) {
        if (html[i] != ' ') {
            out += html[i++];
            continue;
        }
        std::size_t run = 0;
        while (i + run < html.size() && html[i + run] == ' ') ++run;
        const bool afterSeparator = !out.empty() && (out.back() == ':' || out.back() == ';');
        if (!(afterSeparator && run >= 3)) out += ' ';
        i += run;
    }
    html = std::move(out);
}

// In every "<td " start tag, "height:" up to the next single quote inside the tag goes.
void RemoveCellHeights(std::string& html) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t cell = html.find("<td ", from);
        if (cell == std::string::npos) return;
        const std::size_t tagEnd = html.find('>', cell);
        if (tagEnd == std::string::npos) return;
        from = cell + 4;
        const std::size_t height = html.find("height:", cell);
        if (height == std::string::npos || height > tagEnd) continue;
        const std::size_t quote = html.find('\'', height);
        if (quote == std::string::npos || quote > tagEnd) continue;
        html.erase(height, quote - height);
    }
}

void BasicCleanup(std::string& html) {
    html = ReplaceAll(html, "\r", "");
    FlattenTags(html);
    CollapseSpaces(html);
    html = ReplaceAll(html, "style='page-break-after:avoid'", "");
    RegexDelete(html, R"( class=msonormal[\w\-]*)");
    RegexDelete(html, R"( class=MsoFootnoteReference)");
    RemoveCellHeights(html);
}

void RemoveOfficeMarkup(std::string& html) {
    RegexReplace(html, "<link.+?<title>", "<title>");
    RegexDelete(html, R"( style='mso\-[^']+')");
    RegexDelete(html, R"(;mso\-[^;']+)");
    RegexReplace(html, "<html [^>]+>", "<html>");
    for (std::string_view pattern :
         {R"(<!--\[if.+?<!\[endif\]-->)", R"(<(/)?!\[[^>]+>)", R"(<o\:[^>]+/>)", R"(<(/)?o:p>)",
          R"(<w:[^>]+/>)", R"(<w:[^>]+>.+?</w:[^>]+>)", R"(<xml>.+?</xml>)", R"(<v:.+?</v:[^>]+>)"})
        RegexDelete(html, pattern);
}

void RemoveFutileMarkup(std::string& html) {
    html = ReplaceAll(html, " valign=top", "");
    html = ReplaceAll(html, " align=justify", "");
    RegexDelete(html, R"( lang=[^\s>]+)");
    RegexDelete(html, "<font[^>]+>");
    RegexDelete(html, "</font>");
    RegexDelete(html, "page-break-after:avoid;");
    html = ReplaceAll(html, " nowrap", "");
}

}  // namespace

std::optional<int> WordGeneratorVersion(std::string_view html) {
    const int headStart = PosIn(html, "<head>");
    const int headEnd = headStart == 0 ? 0 : FindFrom(html, "</head>", headStart, false);
    if (headEnd == 0) return std::nullopt;
    const std::string head = MidStr(html, headStart + 6, headEnd - headStart - 6);
    std::optional<std::string> version;
    for (int meta = FindFrom(head, "<meta ", 1, true); meta != 0;
         meta = FindFrom(head, "<meta ", meta + 1, true)) {
        const int end = FindFrom(head, ">", meta, false);
        const std::string element =
            end == 0 ? StrFrom(head, meta) : MidStr(head, meta, end - meta + 1);
        if (PosIn(element, "charset=") != 0) continue;
        const int mark = PosIn(element, "Microsoft Word");
        if (mark == 0) continue;
        const int versionStart = PosIn(element, kWordMark);
        if (versionStart == 0) continue;
        const int from = versionStart + static_cast<int>(kWordMark.size());
        const int quote = FindFrom(element, "\"", from, false);
        version = quote == 0 ? StrFrom(element, from) : MidStr(element, from, quote - from);
    }
    if (!version) return std::nullopt;
    if (version->find("(filtered)") != std::string::npos) *version = version->substr(0, 2);
    int number = 0;
    const char* first = version->data();
    const char* last = first + version->size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || version->empty())
        throw WordHtmlVersionError("The Word generator version \"" + *version +
                                   "\" is not a number.");
    return number;
}

std::string CleanWordHtml(std::string_view text, ImportProgress* progress) {
    if (!WordGeneratorVersion(text)) return {};
    std::string html(text);
    BasicCleanup(html);
    ReportStatus(progress);
    RemoveOfficeMarkup(html);
    ReplaceSymbolBullets(html);
    ApplyStyleClasses(html);
    ReportStatus(progress);
    RemoveFutileMarkup(html);
    ReportStatus(progress);
    html = CleanEmptyElements(html);
    RegexReplace(html, R"(\n\s*\n)", "\n");
    return html;
}

void OptimiseWordHtmlFile(const std::string& path, ImportProgress& progress) {
    progress.Status(kOptimizing);
    const std::string cleaned = CleanWordHtml(ReadTextFile(path), &progress);
    if (!cleaned.empty()) WriteTextFile(path, cleaned);
    progress.ClearStatus();
}

}  // namespace quillery
