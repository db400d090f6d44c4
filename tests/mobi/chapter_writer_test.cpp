// Chapters read as browsers read tag soup and written as the renderer's markup: styles,
// page breaks, links, pictures, encoding.

#include "mobi/chapter_writer.h"

#include <gtest/gtest.h>

#include <random>

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
    ChapterContext context;
    context.chapterPath = "text/one.html";
    context.styles = &sheet;
    context.pictureIndex = [&out](const std::string& path) {
        if (path == "images/missing.png") return 0;
        out.pictures.push_back(path);
        return static_cast<int>(out.pictures.size());
    };
    context.isChapter = [](const std::string& path) { return path != "text/three.html"; };
    context.diagnostics = &out.diagnostics;
    Kf7Text text(western);
    text.Anchor("text/two.html");
    WriteChapterBody(ParseHtml(html), context, text);
    text.ResolveLinks();
    out.text = text.bytes();
    return out;
}

TEST(ChapterWriter, WritesTheRenderersMarkup) {
    struct Case {
        const char* what;
        std::string html, css;
        bool western;
        std::string expected;
    };
    const Case cases[] = {
        {"paragraphs and list items close like browsers close them",
         "<BODY><P>one<P>two<UL><LI>a<LI>b</UL><p>three</BODY>", "", false,
         "<p>one</p><p>two</p><ul><li>a</li><li>b</li></ul><p>three</p>"},
        {"stray markup and XHTML self-closing", "<body>a < b <i>x</b> y</i><a id=\"z\"/>after<br>c",
         "", false, "a &lt; b <i>x y</i><a></a>after<br/>c"},
        {"entities; head, scripts and comments are no text",
         "<html><head><title>T</title><script>if (a<b) document.write('<p>x</p>')</script></head>"
         "<body><p>caf&eacute; &amp co &#8220;q&#x201d; &bogus; &#150;</p><!-- <p>no</p> -->",
         "", false,
         "<p>caf\xC3\xA9 &amp; co \xE2\x80\x9Cq\xE2\x80\x9D &amp;bogus; \xE2\x80\x93</p>"},
        {"cascade: specificity, order, style attribute, descendants",
         "<body><div><p id=first class='intro x' style='font-style: italic'>a</p></div><p>b</p>"
         "<blockquote><p><em>in</em></p></blockquote><em>out</em></body>",
         "/* c */ p { text-align: left; font-weight: bold }\n.intro { text-align: center }\n"
         "p { text-align: right }\n#first { text-indent: 2em } div > p.intro { font-size: 150% }\n"
         "@media print { p { text-align: justify } }\n a:hover { font-weight: bold } "
         "p[x] { color: red } blockquote em { text-decoration: underline }",
         false,
         "<div><p align=\"center\" width=\"2em\"><font size=\"5\"><b><i>a</i></b></font></p></div>"
         "<p align=\"right\"><b>b</b></p><blockquote><p align=\"right\"><b><em><u>in</u></em></b>"
         "</p></blockquote><em>out</em>"},
        {"style blocks hidden in comment markers", "<body><p class=MsoNormal>x</p></body>",
         "<!--\n p.MsoNormal { text-indent: .5in; margin: 0in }\n/* Page Definitions */\n"
         "@page WordSection1 { size: 8.5in 11.0in; }\ndiv.WordSection1 { page: WordSection1 }\n-->",
         false, "<p width=\"3em\">x</p>"},
        {"lengths and shorthands; absurd values are ignored",
         "<p style='margin: 12pt 0 0 0; text-indent: -16px; text-decoration: underline "
         "line-through; font-weight: 700; font-size: x-small'>m</p><p style='text-indent: "
         "-1e308em; font-size: 1e308em'>n</p><p style='font-size:300%'>o</p>",
         "", false,
         "<p width=\"-1em\" height=\"1em\"><font size=\"2\"><b><u><s>m</s></u></b></font></p>"
         "<p>n</p><p><font size=\"7\">o</font></p>"},
        {"page breaks before and after, never two in a row",
         "<body><h1 class=b>One</h1><p class=a>x</p><p class=b>y</p></body>",
         ".b{page-break-before:always} .a{page-break-after:always}", false,
         "<h1>One</h1><p>x</p><mbp:pagebreak/><p>y</p>"},
        {"western text", "<body><p>caf&eacute; \xE2\x82\xAC \xE2\x98\x83 &lt;tag&gt;</p></body>",
         "", true, "<p>caf\xE9 \x80 &#9731; &lt;tag&gt;</p>"},
        {"what the renderer cannot show goes, its text stays",
         "<body><section><span>kept</span><script>gone()</script><form>no</form><table><tbody>"
         "<tr><td colspan=2 onclick=x>cell</td></tr></tbody></table></section></body>",
         "", false, "<div>kept<table><tr><td colspan=\"2\">cell</td></tr></table></div>"},
        {"footnote references raised or lowered by their style become <sup> and <sub>",
         "<body><p>Word<a class=fn href='#n1'>1</a> H<span style='vertical-align: sub'>2</span>O"
         "<sup class=fn>3</sup> <span class=fn style='vertical-align: baseline'>4</span> "
         "<span style='vertical-align: top'>5</span></p><p id=n1>Note</p></body>",
         ".fn { vertical-align: super }", false,
         "<p>Word<a filepos=0000000080><sup>1</sup></a> H<sub>2</sub>O<sup>3</sup> 4 5</p>"
         "<p>Note</p>"},
        {"a picture inside inline SVG is kept as <img>, nothing else of the SVG",
         "<body><div><svg xmlns='http://www.w3.org/2000/svg' version='1.1' viewBox='0 0 600 800'>"
         "<title>Cover</title><g><image width='600' height='800' "
         "xlink:href='../images/cover.jpg'/></g><text>no</text></svg></div>"
         "<svg><svg:image href='../images/b.png'></svg:image></svg></body>",
         "", false, "<div><img recindex=\"00001\"/></div><img recindex=\"00002\"/>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Write(c.html, c.css, c.western).text, c.expected) << c.what;
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
    EXPECT_EQ(out.pictures, std::vector<std::string>{"images/p q.png"});
    EXPECT_EQ(out.diagnostics.Count(Severity::Warning), 1);
}

// True when every tag opened is closed in order (self-closing tags aside).
bool Balanced(const std::string& text, std::string& problem) {
    std::vector<std::string> open;
    for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at)) {
        const auto end = text.find('>', at);
        if (end == std::string::npos) return problem = "unterminated tag", false;
        const std::string tag = text.substr(at + 1, end - at - 1);
        at = end + 1;
        if (tag.empty() || tag.back() == '/') continue;
        const std::string name = tag.substr(tag[0] == '/', tag.find(' ') - (tag[0] == '/'));
        if (tag[0] != '/')
            open.push_back(name);
        else if (open.empty() || open.back() != name)
            return problem = "</" + name + "> closes " + (open.empty() ? "nothing" : open.back()),
                   false;
        else
            open.pop_back();
    }
    if (!open.empty()) problem = "<" + open.back() + "> left open";
    return open.empty();
}

TEST(ChapterWriter, HostileAndRandomMarkupAlwaysComesOutBalanced) {
    // Pieces of markup, separated by "|".
    const std::string pieceList =
        "<p>|</p>|<P CLASS=a>|<li>|</ul>|<ul>|<table>|<td>|<tr>|</table>|<b>|</b>|<i>|</i>|"
        "<span class=b>|</span>|<a href=#x>|</a>|<img src=p.png>|<br>|<!--|-->|<script>|&#9731;|"
        "&#x|&|<|>|'|=| |text |\xE2\x98|<h1 id=x>|</h1>|<div style='page-break-before:always'>|"
        "</div>|<pre>|<![CDATA[|</body>";
    std::vector<std::string> pieces;
    for (std::size_t at = 0, bar = 0; bar < pieceList.size(); at = bar + 1) {
        bar = std::min(pieceList.find('|', at), pieceList.size());
        pieces.push_back(pieceList.substr(at, bar - at));
    }
    const std::string css = ".a { font-weight: bold; text-align: center } .b { font-size: 2em }";
    std::vector<std::string> inputs = {
        "", "<p>text<a href=\"", "<!-- never closed", "<script>x", "<p a='b", "&#x", "<"};
    for (int i = 0; i < 100000; ++i) inputs[0] += "<div>";  // absurd nesting
    std::mt19937 random(11);
    for (int round = 0; round < 100; ++round) {
        std::string html;
        for (int i = static_cast<int>(random() % 200); i > 0; --i)
            html += pieces[random() % pieces.size()];
        inputs.push_back(html);
    }
    for (const auto& html : inputs) {
        const std::string text = Write(html, css, html.size() % 2 == 0).text;
        std::string problem;
        ASSERT_TRUE(Balanced(text, problem)) << problem << "\nfrom: " << html.substr(0, 2000);
    }
}

}  // namespace
}  // namespace quillery::mobi
