// The simple page tree builder against the HTML5 parser: for every page of the tables, both
// ways of building the tree write the same XHTML byte for byte, and the builder accepts
// exactly the pages it is meant to (a refusal is safe, an acceptance must be exact).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "epub/xhtml_conversion.h"
#include "messy_pages.h"
#include "temp_dir.h"
#include "text/text_file.h"

namespace quillery::epub {
namespace {

namespace fs = std::filesystem;

// Converts the page both ways; returns whether the builder took it.
bool ExpectSameXhtml(const std::string& html, const std::string& label) {
    XhtmlOptions options;
    options.fallbackTitle = "Fallback";
    options.language = "en";
    options.rewriteUrl = [](std::string_view url) {
        return url.starts_with("gone") ? std::string() : "text/" + std::string(url);
    };
    const XhtmlDocument fast = ConvertToXhtml(html, options);
    options.alwaysParseAsHtml = true;
    const XhtmlDocument parsed = ConvertToXhtml(html, options);
    EXPECT_TRUE(parsed.parsedAsHtml) << label;
    EXPECT_EQ(fast.text, parsed.text) << label << "\n" << html;
    EXPECT_EQ(fast.scripted, parsed.scripted) << label;
    EXPECT_EQ(fast.svg, parsed.svg) << label;
    return !fast.parsedAsHtml;
}

// A page with the usual frame around `body`, which is written as the body's content.
std::string Page(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n<title>T</title>\n</head>\n"
           "<body>\n" +
           body + "\n</body>\n</html>\n";
}

struct Case {
    const char* name;
    std::string html;
    bool simple;  // the builder must take the page
};

class SimplePages : public ::testing::TestWithParam<Case> {};

TEST_P(SimplePages, WriteWhatTheHtmlParserWritesAndAreTakenAsExpected) {
    const Case& c = GetParam();
    EXPECT_EQ(ExpectSameXhtml(c.html, c.name), c.simple);
}

// Pages the builder takes: every rule's accepted forms.
const Case kAccepted[] = {
    {"FrameWithOnlyWhitespaceAfterBody",
     "<html><head></head><body><p>x</p>\n</body>\n<!--c-->\n</html>\n<!--d-->\n", true},
    {"NoDoctypeNoDeclarationNoHtmlEndTag", "<html><head></head><body>x</body>", true},
    {"TextRightBeforeTheBodyEndJoinsTheWhitespaceAfter",
     "<html><head></head><body>x</body> \n</html>\t", true},
    {"CommentsBetweenTheParts",
     "<!--a--><?xml version='1.0'?><!-- b --><!DOCTYPE html><!--c--><html><!--d-->\n<head>"
     "<!--e--></head> <!--f--> <body><!--g-->x</body>",
     true},
    {"UpperCaseNamesAndEndTagsWithSpace", Page("<P CLASS=x ID=a><B>y</B ></P ><Hr>"), true},
    {"RepeatedAttributeKeepsTheFirst", Page("<p id=a ID=b class=c CLASS=d title>x</p>"), true},
    {"UnquotedQuotedAndBareValues",
     Page("<img src=a.png alt=b/><a href='x.htm' title = \"t\" hidden>y</a><br /><wbr/>"), true},
    {"PlainReferences",
     Page("<p title=\"&amp;&lt;&quot;&#65;\">&nbsp;&amp;&lt;&gt;&quot;&apos;&#233;&#x263A;"
          "&#X41;&#128512;&#9;&#10;</p>"),
     true},
    {"LineEndsBecomeLineFeeds", Page("<p title=\"a\r\nb\rc\">a\r\nb\rc\r</p>"), true},
    {"PreDropsOneLeadingLineFeed",
     Page("<pre>\nx</pre><pre>\r\ny</pre><pre>\n\nz</pre><pre>\r</pre><pre><b>\nb</b></pre>"),
     true},
    {"TablesWithWhitespaceAndComments",
     Page("<table>\n <caption>c</caption>\n <colgroup> <col span=2/><col> </colgroup>\n"
          " <thead><tr><th>h</th></tr></thead><!--x-->\n <tbody>\n  <tr>\n   <td><p>a</p>"
          "<table><tbody><tr><td>n</td></tr></tbody></table></td>\n  </tr>\n </tbody>\n"
          " <tfoot><tr><td>f</td></tr></tfoot>\n</table>"),
     true},
    {"NestedLists",
     Page("<ul>\n<li>a<ul><li>b</li></ul></li>\n<li><ol><li><p>c</p></li></ol></li></ul>"
          "<dl><dt>t</dt><dd><dl><dt>u</dt></dl></dd></dl>"),
     true},
    {"HeadingInsideAnElementOfAHeading", Page("<h1>a<span><h2>b</h2></span></h1>"), true},
    {"ParagraphThenDivisionThenParagraphInCell",
     Page("<p>a</p><div><p>b</p></div><table><tbody><tr><td><p>c</p></td></tr></tbody></table>"),
     true},
    {"BlocksInsidePhrasing", Page("<span><div>a</div></span><a href=x><div>b</div></a>"), true},
    {"RepeatedFormattingElements", Page("<b><b><b><b>x</b>y</b></b></b><i>z</i>"), true},
    {"HeadElementsAndStyleText",
     "<html><head>\n<meta charset=\"utf-8\"/><meta http-equiv=a content=b><base href=x>"
     "<link rel=stylesheet href=s.css /><title>A &amp; B</title>"
     "<style>p { background: url(i.png) } a</stylex b<c & &amp;\r\n</STYLE></head>"
     "<body><p>x<style>q{}</style><meta name=a><link rel=x href=y></p></body></html>",
     true},
    {"StyleOnlyWhitespace", "<html><head><style>\n </style></head><body></body></html>", true},
    {"EmptyTitleAndBody", "<html><head><title></title></head><body></body></html>", true},
    {"LanguageAndAnchors",
     "<html lang=de xml:lang=fr><head></head><body><a name=top>a</a><a name=x id=y>b</a>"
     "<p id=top>c</p><img src=gone.png alt=g><a href=gone.htm>d</a></body></html>",
     true},
    {"EveryListedElement",
     Page("<address>a</address><article><header>h</header><section><aside>s</aside><nav>n"
          "</nav></section><footer>f</footer></article><blockquote>q</blockquote><center>c"
          "</center><figure><img src=i.jpg><figcaption>f</figcaption></figure><h3>3</h3>"
          "<h4>4</h4><h5>5</h5><h6>6</h6><p><abbr>a</abbr><acronym>a</acronym><bdo dir=rtl>b"
          "</bdo><big>b</big><cite>c</cite><code>c</code><dfn>d</dfn><em>e</em><font size=5 "
          "color=red face=Arial>f</font><kbd>k</kbd><q>q</q><s>s</s><samp>s</samp><small>s"
          "</small><strike>s</strike><strong>s</strong><sub>s</sub><sup>s</sup><tt>t</tt>"
          "<u>u</u><var>v</var><del>d</del><ins>i</ins></p>"),
     true},
    {"Utf8Text", Page("<p>caf\xC3\xA9 \xE2\x80\x94 \xF0\x9F\x98\x80 \xEF\xBB\xBF</p>"), true},
    {"CommentThatEndsWithDashes", Page("<!-- a ---><!----><!--a--!-->x"), true},
};

// Pages the builder refuses: each breaks one rule.
const Case kRefused[] = {
    {"NoHead", "<html><body>x</body></html>", false},
    {"NoHtmlStartTag", "<head></head><body>x</body>", false},
    {"NoBodyEndTag", "<html><head></head><body>x", false},
    {"TextAfterTheBody", "<html><head></head><body>x</body>y", false},
    {"ElementAfterTheBody", "<html><head></head><body>x</body><p>y</p>", false},
    {"TextInTheHead", "<html><head>x</head><body></body></html>", false},
    {"LinkBetweenHeadAndBody", "<html><head></head><link rel=a href=b><body></body>", false},
    {"BodyElementInTheHead", "<html><head><p>x</p></head><body></body>", false},
    {"SecondDoctype", "<!DOCTYPE html><!DOCTYPE html><html><head></head><body></body>", false},
    {"ParagraphInParagraph", Page("<p>a<p>b</p></p>"), false},
    {"DivisionInParagraph", Page("<p>a<span><div>b</div></span></p>"), false},
    {"TableInParagraph", Page("<p><table><tbody></tbody></table></p>"), false},
    {"ListInParagraph", Page("<p><ul><li>a</li></ul></p>"), false},
    {"HeadingInHeading", Page("<h1><h2>x</h2></h1>"), false},
    {"AnchorInAnchor", Page("<a href=a><span><a href=b>x</a></span></a>"), false},
    {"ListItemOutsideList", Page("<div><li>x</li></div>"), false},
    {"DefinitionTermOutsideList", Page("<ul><dt>x</dt></ul>"), false},
    {"RowStraightInTable", Page("<table><tr><td>x</td></tr></table>"), false},
    {"CellStraightInSection", Page("<table><tbody><td>x</td></tbody></table>"), false},
    {"ColumnStraightInTable", Page("<table><col></table>"), false},
    {"TextInTable", Page("<table>x<tbody></tbody></table>"), false},
    {"ReferenceInTableWhitespace", Page("<table>&#32;<tbody></tbody></table>"), false},
    {"StyleInTable", Page("<table><style>p{}</style></table>"), false},
    {"CellOutsideTable", Page("<div><td>x</td></div>"), false},
    {"SelfClosingDivision", Page("<div/>x"), false},
    {"SelfClosingAnchor", Page("<a name=\"x\"/>y"), false},
    {"EndTagOfVoidElement", Page("a<br></br>"), false},
    {"MisnestedEndTags", Page("<b><i>x</b></i>"), false},
    {"EndTagClosingAnotherHeading", Page("<h1>x</h2>"), false},
    {"UnknownAndPrefixedElements", Page("<p>a<o:p></o:p></p>"), false},
    {"CustomElement", Page("<x-note>a</x-note>"), false},
    {"Script", Page("<script>a</script>"), false},
    {"Form", Page("<form><input></form>"), false},
    {"Svg", Page("<svg></svg>"), false},
    {"Nobr", Page("<nobr>a</nobr>"), false},
    {"BareAmpersand", Page("a & b"), false},
    {"OtherNamedReference", Page("&eacute;"), false},
    {"ReferenceWithoutSemicolon", Page("&amp b"), false},
    {"RemappedNumericReference", Page("&#128;"), false},
    {"NulReference", Page("&#0;"), false},
    {"SurrogateReference", Page("&#xD800;"), false},
    {"CarriageReturnReference", Page("&#13;"), false},
    {"ReferenceBeyondUnicode", Page("&#x110000;"), false},
    {"ControlCharacter",
     Page("a\x01"
          "b"),
     false},
    {"FormFeed",
     Page("a\x0C"
          "b"),
     false},
    {"C1Control",
     Page("a\xC2\x80"
          "b"),
     false},
    {"InvalidUtf8",
     Page("a\xFF"
          "b"),
     false},
    {"OverlongUtf8",
     Page("a\xC0\xAF"
          "b"),
     false},
    {"EncodedSurrogate",
     Page("a\xED\xA0\x80"
          "b"),
     false},
    {"Noncharacter",
     Page("a\xEF\xBF\xBE"
          "b"),
     false},
    {"Nul", std::string("<html><head></head><body>a\0b</body>", 35), false},
    {"AbruptComment", Page("<!-->x"), false},
    {"AbruptCommentWithDash", Page("<!--->x"), false},
    {"CommentEndedWithBang", Page("<!-- a --!>x"), false},
    {"UnterminatedComment", Page("<!-- a"), false},
    {"CData", Page("<![CDATA[x]]>"), false},
    {"ProcessingInstructionInBody", Page("<?php x ?>"), false},
    {"LessThanInText", Page("a < b"), false},
    {"PreStartingWithReference", Page("<pre>&#10;x</pre>"), false},
    {"AttributesWithoutWhitespace", Page("<p a=\"x\"b=\"y\">z</p>"), false},
    {"QuoteInUnquotedValue", Page("<p a=b\"c>z</p>"), false},
    {"EqualsWithoutValue", Page("<p a=>z</p>"), false},
    {"SlashInsideTag", Page("<p / a=b>z</p>"), false},
    {"AttributesOnEndTag", Page("<p>z</p a>"), false},
    {"MarkupInTitle", "<html><head><title>a<b>c</b></title></head><body></body>", false},
    {"TitleEndTagWithSpace", "<html><head><title>a</title ></head><body></body>", false},
    {"StyleEndTagWithSlash", "<html><head><style>a</style/></head><body></body>", false},
    {"UnterminatedStyle", "<html><head><style>a", false},
    {"SecondBody", Page("<body>x</body>"), false},
    {"BaseInBody", Page("<base href=x>"), false},
};

// The messy pages of the ePub readers' checks: old HTML is left to the parser.
const Case kMessyPages[] = {
    {"Html4UpperCaseUnquoted", testing::kMessyHtml4Page, false},
    {"Html4SecondPage", testing::kMessyHtml4SecondPage, false},
    {"AccentsInNames", testing::kAccentedNamePage, true},
    {"OfficeHtml", testing::kOfficePage, false},
    {"OfficeHtmlWithoutItsOwnTags",
     "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><head><title>Word</title>"
     "<style><!-- p.MsoNormal {margin:0} --></style></head><body lang=EN-GB>"
     "<div class=WordSection1><p class=MsoNormal align=center style='text-align:center'>"
     "<b>Title</b></p><p class=MsoNormal>Text&nbsp;with <span "
     "style='mso-spacerun:yes'>&nbsp;</span>spaces</p>"
     "<table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0><tbody><tr><td width=300 "
     "valign=top>A</td><td width=300>B</td></tr></tbody></table></div></body></html>",
     true},
    {"NoHeadOrBody", testing::kPageWithoutHeadOrBody, false},
};

INSTANTIATE_TEST_SUITE_P(Accepted, SimplePages, ::testing::ValuesIn(kAccepted),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Refused, SimplePages, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Messy, SimplePages, ::testing::ValuesIn(kMessyPages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimplePageFiles, TheExamplePagesAreTakenAndWrittenAlike) {
    const std::string folder = testing::ProgramFolder() + "examples/";
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".htm") continue;
        ++pages;
        EXPECT_TRUE(ExpectSameXhtml(ReadTextFile(entry.path().string()), entry.path().string()))
            << entry.path();
    }
    EXPECT_GE(pages, 6);
}

#ifdef QUILLERY_HAVE_WEBBOOK_GENERATOR
// The benchmark book's chapters must take the fast way, or the benchmark measures the parser.
TEST(SimplePageFiles, TheBenchmarkChaptersAreTakenAndWrittenAlike) {
    testing::TempDir dir;
    const std::string folder = dir.path() + "book/";
    const std::string command = "'" + testing::ProgramFolder() + "quillery_gen_webbook' '" +
                                folder + "' --chapters 12 --images 2 --package >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    int chapters = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".htm") continue;
        ++chapters;
        EXPECT_TRUE(ExpectSameXhtml(ReadTextFile(entry.path().string()), entry.path().string()))
            << entry.path();
    }
    EXPECT_EQ(chapters, 12);
}
#endif  // QUILLERY_HAVE_WEBBOOK_GENERATOR

}  // namespace
}  // namespace quillery::epub
