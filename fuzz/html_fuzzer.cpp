// Fuzzes the HTML reader and the chapter writer: the input is a chapter, parsed and
// translated with a small stylesheet, pictures and links.
#include <cstdint>
#include <string>

#include "mobi/chapter_writer.h"
#include "mobi/css_subset.h"
#include "mobi/html_document.h"
#include "mobi/kf7_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillery::mobi;
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const HtmlDocument document = ParseHtml(html);
    TextContent(document, 0);

    StyleSheet styles;
    styles.Add("p { text-indent: 1em } .c { font-weight: bold } div > p.c span { font-size: 2em }");
    for (const auto& block : document.styleBlocks) styles.Add(block);
    Diagnostics diagnostics;
    ChapterContext context;
    context.chapterPath = "text/ch1.htm";
    context.styles = &styles;
    context.pictureIndex = [](const std::string& path) { return path.size() % 3 == 0 ? 0 : 1; };
    context.isChapter = [](const std::string& path) { return path.size() % 2 == 0; };
    context.diagnostics = &diagnostics;
    for (const bool western : {false, true}) {
        Kf7Text text(western);
        text.AnchorAtNextContent(AnchorKey(context.chapterPath, ""));
        WriteChapterBody(document, context, text);
        text.ResolveLinks();
    }
    return 0;
}
