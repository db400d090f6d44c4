#include "mobi/chapter_writer.h"

#include <gtest/gtest.h>

namespace quillery::mobi {
namespace {

struct Written {
    std::string text;
    Diagnostics diagnostics;
    std::vector<std::string> pictures;
};

Written Write(const std::string& html, const std::string& css = {}, bool western = false) {
    Written out;
    StyleSheet sheet;
    sheet.Add(css);
    const auto doc = ParseHtml(html);
    ChapterContext context;
    context.chapterPath = "text/one.html";
    context.styles = &sheet;
    context.pictureIndex = [&out](const std::string& path) {
        if (path == "images/missing.png") return 0;
        out.pictures.push_back(path);
        return static_cast<int>(out.pictures.size());
    };
    context.isChapter = [](const std::string& path) {
        return path == "text/one.html" || path == "text/two.html";
    };
    context.diagnostics = &out.diagnostics;
    Kf7Text text(western);
    text.Anchor("text/two.html");
    WriteChapterBody(doc, context, text);
    for (const auto& unresolved : text.ResolveLinks())
        out.text += "[unresolved " + unresolved.target + "]";
    out.text = text.bytes() + out.text;
    return out;
}

TEST(ChapterWriter, CarriesStylesOverAsRendererMarkup) {
    const auto out = Write(
        "<body><p class=c>Centred</p><P CLASS=i>Indented<span class=b>bold</span></P>"
        "<h2 class=big>Big</h2><div class=u>under</div></body>",
        ".c{text-align:center;margin-top:1.5em} .i{text-indent:1.5em;font-style:italic}"
        " .b{font-weight:bold} .big{font-size:2em} "
        ".u{text-decoration:underline;font-size:smaller}");
    EXPECT_EQ(out.text,
              "<p align=\"center\" height=\"1.5em\">Centred</p><p "
              "width=\"1.5em\"><i>Indented<b>bold</b></i></p>"
              "<h2>Big</h2><div><font size=\"2\"><u>under</u></font></div>");
}

TEST(ChapterWriter, PageBreaksComeBeforeAndAfterButNeverTwiceInARow) {
    const auto out = Write("<body><h1 class=b>One</h1><p class=a>x</p><p class=b>y</p></body>",
                           ".b{page-break-before:always} .a{page-break-after:always}");
    EXPECT_EQ(out.text, "<h1>One</h1><p>x</p><mbp:pagebreak/><p>y</p>");
}

TEST(ChapterWriter, LinksBecomeFileposAndPicturesRecindex) {
    const auto out = Write(
        "<body><p id=here><a href='two.html'>next</a> <a href=\"#here\">self</a> "
        "<a href=\"http://example.org/?a=1&amp;b=2\">web</a> <a href=\"three.html\">gone</a>"
        "<img src=\"../images/p%20q.png\" alt='A \"q\"'><img "
        "src=../images/missing.png></p></body>");
    EXPECT_EQ(out.text,
              "<p><a filepos=0000000000>next</a> <a filepos=0000000000>self</a> "
              "<a href=\"http://example.org/?a=1&amp;b=2\">web</a> <a>gone</a>"
              "<img recindex=\"00001\" alt=\"A &quot;q&quot;\"/></p>");
    ASSERT_EQ(out.pictures.size(), 1u);
    EXPECT_EQ(out.pictures[0], "images/p q.png");
    EXPECT_EQ(out.diagnostics.Count(Severity::Warning), 1);
}

TEST(ChapterWriter, WesternTextUsesReferencesOutsideTheCodePage) {
    const auto out =
        Write("<body><p>caf&eacute; \xE2\x82\xAC \xE2\x98\x83 &lt;tag&gt;</p></body>", {}, true);
    EXPECT_EQ(out.text, "<p>caf\xE9 \x80 &#9731; &lt;tag&gt;</p>");
}

TEST(ChapterWriter, DropsWhatTheRendererCannotShowButKeepsItsText) {
    const auto out = Write(
        "<body><section><span>kept</span><script>gone()</script><form>no</form>"
        "<table><tbody><tr><td colspan=2 "
        "onclick=x>cell</td></tr></tbody></table></section></body>");
    EXPECT_EQ(out.text, "<div>kept<table><tr><td colspan=\"2\">cell</td></tr></table></div>");
}

}  // namespace
}  // namespace quillery::mobi
