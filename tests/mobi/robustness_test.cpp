// Random and hostile markup: the reader and writer never crash and always write balanced tags.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mobi/chapter_writer.h"
#include "mobi/css_subset.h"

namespace quillery::mobi {
namespace {

// True when every tag opened in the KF7 text is closed in order (void tags aside).
bool Balanced(const std::string& text, std::string& problem) {
    std::vector<std::string> open;
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string::npos) {
        const auto end = text.find('>', at);
        if (end == std::string::npos) {
            problem = "unterminated tag at " + std::to_string(at);
            return false;
        }
        const std::string tag = text.substr(at + 1, end - at - 1);
        at = end + 1;
        if (tag.empty() || tag.back() == '/') continue;
        const bool closing = tag[0] == '/';
        const std::string name =
            tag.substr(closing ? 1 : 0, tag.find(' ') == std::string::npos
                                            ? std::string::npos
                                            : tag.find(' ') - (closing ? 1 : 0));
        if (!closing) {
            open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            problem = "</" + name + "> closes " +
                      (open.empty() ? std::string("nothing") : "<" + open.back() + ">");
            return false;
        } else {
            open.pop_back();
        }
    }
    if (!open.empty()) problem = "<" + open.back() + "> left open";
    return open.empty();
}

TEST(Robustness, RandomMarkupNeverBreaksTheReaderOrTheWriter) {
    static const char* pieces[] = {"<p>",
                                   "</p>",
                                   "<P CLASS=a>",
                                   "<li>",
                                   "</ul>",
                                   "<ul>",
                                   "<table>",
                                   "<td>",
                                   "<tr>",
                                   "</table>",
                                   "<b>",
                                   "</b>",
                                   "<i>",
                                   "</i>",
                                   "<span class=b>",
                                   "</span>",
                                   "<a href=#x>",
                                   "</a>",
                                   "<a name=x>",
                                   "<img src=p.png>",
                                   "<br>",
                                   "<!--",
                                   "-->",
                                   "<script>",
                                   "</script>",
                                   "&amp;",
                                   "&#9731;",
                                   "&#x",
                                   "&",
                                   "<",
                                   ">",
                                   "\"",
                                   "'",
                                   "=",
                                   " ",
                                   "text ",
                                   "\xE2\x98",
                                   "\xFF",
                                   "<h1 id=x>",
                                   "</h1>",
                                   "<div style='page-break-before:always'>",
                                   "</div>",
                                   "<mbp:pagebreak/>",
                                   "<pre>",
                                   "</pre>",
                                   "<![CDATA[",
                                   "]]>",
                                   "<body>",
                                   "</body>"};
    StyleSheet sheet;
    sheet.Add(
        ".a { font-weight: bold; text-align: center } .b { font-style: italic; font-size: 2em }");
    std::mt19937 random(11);
    for (int round = 0; round < 400; ++round) {
        std::string html;
        const int count = static_cast<int>(random() % 200);
        for (int i = 0; i < count; ++i) html += pieces[random() % (sizeof pieces / sizeof *pieces)];
        Diagnostics diagnostics;
        ChapterContext context;
        context.chapterPath = "c.html";
        context.styles = &sheet;
        context.pictureIndex = [](const std::string&) { return 1; };
        context.isChapter = [](const std::string& path) { return path == "c.html"; };
        context.diagnostics = &diagnostics;
        Kf7Text text(round % 2 == 0);
        WriteChapterBody(ParseHtml(html), context, text);
        text.ResolveLinks();
        std::string problem;
        ASSERT_TRUE(Balanced(text.bytes(), problem))
            << problem << "\nfrom: " << html << "\nto: " << text.bytes();
    }
}

TEST(Robustness, HostileStylesheetsAreReadWithoutHarm) {
    for (const char* css :
         {"{{{{", "}}}}", "p {", "@media {", "p { font-size: 1e308em; text-indent: -1e308em }",
          "a,,b{x:y}", ". { } # { }", "p > > p { font-weight: bold }", "/* open comment"}) {
        StyleSheet sheet;
        sheet.Add(css);
        const auto doc = ParseHtml("<p>x</p>");
        const auto style = sheet.StyleFor(
            doc, doc.node(doc.body).children.empty() ? 0 : doc.node(doc.body).children[0]);
        (void)style;
    }
    MarkupStyle style;
    style.Apply("font-size", "1e308em");
    style.Apply("text-indent", "-1e308em");
    EXPECT_FALSE(style.fontSize.has_value());
    EXPECT_FALSE(style.textIndentEm.has_value());
    style.Apply("font-size", "300%");
    EXPECT_EQ(style.fontSize.value_or(0), 7);
}

}  // namespace
}  // namespace quillery::mobi
