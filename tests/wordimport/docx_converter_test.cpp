// The .docx converter: the HTML it writes has the structure of Word's filtered HTML that the
// cleaner and the section split rely on, one feature at a time.
#include "wordimport/docx_converter.h"

#include <gtest/gtest.h>

#include "docx_builder.h"
#include "temp_dir.h"
#include "text/file_utils.h"
#include "text/text_file.h"
#include "wordimport/docx_numbering.h"
#include "wordimport/word_html_check.h"

namespace quillery {
namespace {

using testing::DocxBuilder;
using testing::TempDir;

WordHtmlDocument Render(const DocxBuilder& builder, DocxConversionOptions options = {}) {
    TempDir dir;
    builder.Write(dir.path() + "doc.docx");
    // A quote in the title must not end a picture reference.
    return RenderDocx(dir.path() + "doc.docx", "My \"Book\"", options);
}

std::string RenderBody(const std::string& body) {
    DocxBuilder builder;
    builder.body = body;
    return Render(builder).html;
}

TEST(DocxConverter, HeadHasTheWordMarksAndEverySectionIsADivisionEmptyOnesToo) {
    const std::string html =
        RenderBody(DocxBuilder::Paragraph("One") + DocxBuilder::SectionBreak() +
                   DocxBuilder::SectionBreak() + DocxBuilder::Paragraph("Three"));
    EXPECT_EQ(WordHtmlProblem(html), std::nullopt);
    const std::string start = html.substr(0, 255);
    EXPECT_NE(start.find("<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">"),
              std::string::npos);
    EXPECT_NE(start.find("<meta name=Generator content=\"Microsoft Word 15 (filtered)\">"),
              std::string::npos);
    for (const char* part :
         {"/* Font Definitions */", "/* Style Definitions */", "/* Page Definitions */",
          "p.MsoNormal, li.MsoNormal, div.MsoNormal", "div.WordSection1\r\n\t{page:WordSection1;}",
          "<body lang=EN-GB", "<p class=MsoNormal>One</p>", "<div class=WordSection1>",
          "<div class=WordSection2>", "<div class=WordSection3>"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
    EXPECT_EQ(html.find("<div class=WordSection4>"), std::string::npos);
    const std::string pageBreak = "<br clear=all style='page-break-before:always'>";
    std::size_t breaks = 0;
    for (std::size_t at = html.find(pageBreak); at != std::string::npos;
         at = html.find(pageBreak, at + 1))
        ++breaks;
    EXPECT_EQ(breaks, 2u);
    EXPECT_LT(html.find("</div>"), html.find("<br clear=all"));
}

TEST(DocxConverter, EveryFeatureIsWrittenAsWordWritesIt) {
    const std::string kRun = "<w:r><w:rPr>";
    const struct {
        const char* name;
        std::string body, expected;
    } cases[] = {
        {"HeadingByStyleOutlineLevel", DocxBuilder::Paragraph("Part", "Kapitel"), "<h2>Part</h2>"},
        {"HeadingByDirectOutlineLevel",
         "<w:p><w:pPr><w:outlineLvl w:val=\"2\"/></w:pPr><w:r><w:t>Deep</w:t></w:r></w:p>",
         "<h3>Deep</h3>"},
        {"TitleClass", DocxBuilder::Paragraph("Book", "Title"), "<p class=MsoTitle>Book</p>"},
        {"DirectAlignmentAndIndent",
         "<w:p><w:pPr><w:ind w:left=\"720\" w:firstLine=\"360\"/><w:jc w:val=\"center\"/>"
         "</w:pPr><w:r><w:t>x</w:t></w:r></w:p>",
         "<p class=MsoNormal align=center style='margin-left:36.0pt;text-indent:18.0pt;"
         "text-align:center'>x</p>"},
        {"BuiltInClassName", DocxBuilder::Paragraph("Body", "BodyText"),
         "<p class=MsoBodyText>Body</p>"},
        {"BoldItalicUnderlineStrike",
         kRun + "<w:b/><w:i/><w:u w:val=\"single\"/><w:strike/></w:rPr><w:t>x</w:t></w:r>",
         "<b><i><u><s>x</s></u></i></b>"},
        {"SuperscriptAndSubscript",
         kRun + "<w:vertAlign w:val=\"superscript\"/></w:rPr><w:t>2</w:t></w:r>" + kRun +
             "<w:vertAlign w:val=\"subscript\"/></w:rPr><w:t>3</w:t></w:r>",
         "<sup>2</sup><sub>3</sub>"},
        {"SpanStyle",
         kRun + "<w:rFonts w:ascii=\"Arial\"/><w:color w:val=\"C00000\"/><w:sz "
                "w:val=\"28\"/></w:rPr><w:t>x</w:t></w:r>",
         "<span style='font-size:14.0pt;font-family:\"Arial\",sans-serif;color:#C00000'>"
         "x</span>"},
        {"Bookmark",
         "<w:p><w:bookmarkStart w:id=\"1\" w:name=\"here\"/><w:r><w:t>x</w:t></w:r></w:p>",
         "<a name=\"here\"></a>x"},
        {"InternalLink",
         "<w:p><w:hyperlink w:anchor=\"here\"><w:r><w:t>go</w:t></w:r></w:hyperlink></w:p>",
         "<a href=\"#here\">go</a>"},
        {"TrackedChangesAccepted",
         "<w:p><w:r><w:t xml:space=\"preserve\">kept </w:t></w:r><w:ins><w:r><w:t>added"
         "</w:t></w:r></w:ins><w:del><w:r><w:delText>gone</w:delText></w:r></w:del>"
         "<w:commentRangeStart w:id=\"0\"/><w:r><w:commentReference w:id=\"0\"/></w:r>"
         "</w:p>",
         "<p class=MsoNormal>kept added</p>"},
        {"FieldResultWithoutInstruction",
         "<w:p><w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> PAGE "
         "</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r><w:r>"
         "<w:t>7</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r></w:p>",
         "<p class=MsoNormal>7</p>"},
        {"TableGridWithCellWidth",
         "<w:tbl><w:tblPr><w:tblStyle w:val=\"TableGrid\"/></w:tblPr><w:tr><w:tc>"
         "<w:tcPr><w:tcW w:w=\"4515\" w:type=\"dxa\"/></w:tcPr><w:p><w:r><w:t>cell"
         "</w:t></w:r></w:p></w:tc></w:tr></w:tbl>",
         "<td width=301 valign=top style='width:225.8pt;"},
        {"HiddenTextLeftOut",
         "<w:p><w:r><w:t>shown</w:t></w:r><w:r><w:rPr><w:vanish/></w:rPr><w:t>hidden"
         "</w:t></w:r></w:p>",
         "<p class=MsoNormal>shown</p>"},
        {"TextBoxTextKept",
         "<w:p><w:r><w:t xml:space=\"preserve\">Before </w:t></w:r><w:r><w:drawing>"
         "<wp:anchor><a:graphic><a:graphicData><wps:wsp xmlns:wps=\"urn:wps\"><wps:txbx>"
         "<w:txbxContent><w:p><w:r><w:t>boxed</w:t></w:r></w:p></w:txbxContent>"
         "</wps:txbx></wps:wsp></a:graphicData></a:graphic></wp:anchor></w:drawing></w:r>"
         "</w:p>",
         "<p class=MsoNormal>Before boxed<br></p>"},
        {"ColumnAndRowSpans",
         "<w:tbl><w:tr><w:tc><w:tcPr><w:gridSpan w:val=\"2\"/><w:vMerge "
         "w:val=\"restart\"/></w:tcPr><w:p><w:r><w:t>big</w:t></w:r></w:p></w:tc></w:tr>"
         "<w:tr><w:tc><w:tcPr><w:gridSpan w:val=\"2\"/><w:vMerge/></w:tcPr><w:p/></w:tc>"
         "</w:tr></w:tbl>",
         "<td colspan=2 rowspan=2 valign=top"},
        {"EmptyParagraph", "<w:p/>", "<p class=MsoNormal>&nbsp;</p>"},
        {"EscapedText", DocxBuilder::Paragraph("a < b & c"),
         "<p class=MsoNormal>a &lt; b &amp; c</p>"},
    };
    for (const auto& c : cases) {
        // A bare run is put in a paragraph of its own.
        const std::string html =
            RenderBody(c.body.starts_with("<w:r>") ? "<w:p>" + c.body + "</w:p>" : c.body);
        EXPECT_NE(html.find(c.expected), std::string::npos) << c.name << "\n" << html;
    }
}

TEST(DocxConverter, ListNumbersAndSymbolBulletsAreWrittenAsText) {
    DocxBuilder builder;
    builder.numbering =
        "<w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/>"
        "<w:numFmt w:val=\"decimal\"/><w:lvlText w:val=\"%1.\"/><w:pPr><w:ind w:left=\"720\" "
        "w:hanging=\"360\"/></w:pPr></w:lvl><w:lvl w:ilvl=\"1\"><w:start w:val=\"1\"/>"
        "<w:numFmt w:val=\"lowerLetter\"/><w:lvlText w:val=\"%1.%2)\"/></w:lvl></w:abstractNum>"
        "<w:abstractNum w:abstractNumId=\"1\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"bullet\"/>"
        "<w:lvlText w:val=\"\xEF\x82\xA7\"/><w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr>"
        "</w:lvl></w:abstractNum>"
        "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"1\"/></w:num>"
        "<w:num w:numId=\"3\"><w:abstractNumId w:val=\"0\"/><w:lvlOverride w:ilvl=\"0\">"
        "<w:startOverride w:val=\"1\"/></w:lvlOverride></w:num>";
    auto item = [](const std::string& numId, int level, const std::string& text) {
        return "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"" + std::to_string(level) +
               "\"/><w:numId w:val=\"" + numId + "\"/></w:numPr></w:pPr><w:r><w:t>" + text +
               "</w:t></w:r></w:p>";
    };
    // A deeper level restarts under a new parent; a start override restarts the list; numId 0
    // is no list.
    builder.body = item("1", 0, "first") + item("1", 0, "second") + item("1", 1, "inner") +
                   item("1", 0, "third") + item("1", 1, "again") + item("2", 0, "dot") +
                   item("3", 0, "anew") + item("0", 0, "plain");
    const std::string html = Render(builder).html;
    EXPECT_NE(html.find("style='margin-left:36.0pt;text-indent:-18.0pt'><span>1.<span"),
              std::string::npos);
    EXPECT_NE(html.find("<span>2.<span"), std::string::npos);
    EXPECT_NE(html.find("<span>2.a)<span"), std::string::npos);
    EXPECT_NE(html.find("<span>3.<span"), std::string::npos);
    EXPECT_NE(html.find("<span>3.a)<span"), std::string::npos);
    EXPECT_NE(html.find("<span>1.<span", html.find("dot")), std::string::npos);
    EXPECT_NE(html.find("<p class=MsoNormal>plain</p>"), std::string::npos) << html;
    EXPECT_NE(html.find("<span style='font-family:Wingdings'>\xC2\xA7<span"), std::string::npos);
}

TEST(DocxConverter, PicturesAreNumberedScaledByPpiAndStoredAsTheChosenFormat) {
    struct Case {
        bool png;
        int ppi;
        const char* expected;
        const char* signature;
    } cases[] = {
        {false, 96, "<img width=96 height=48 src=\"My%20%22Book%22_files/image001.gif\"", "GIF8"},
        {true, 96, "<img width=96 height=48 src=\"My%20%22Book%22_files/image001.png\"", "\x89PNG"},
        {true, 192, "<img width=192 height=96 src=\"My%20%22Book%22_files/image001.png\"",
         "\x89PNG"},
    };
    for (const Case& c : cases) {
        DocxBuilder builder;
        const std::string id = builder.AddMedia("image1.png", testing::SmallPng());
        std::string emf(80, '\0');
        emf.replace(40, 4, " EMF");
        // One inch by half an inch, shown twice: one file; a metafile is left out with a log line.
        builder.body = "<w:p>" + DocxBuilder::Picture(id, 914400, 457200) +
                       DocxBuilder::Picture(builder.AddMedia("image2.emf", emf), 9144, 9144) +
                       DocxBuilder::Picture(id, 914400, 457200) + "</w:p>";
        DocxConversionOptions options;
        options.picturesAsPng = c.png;
        options.pixelsPerInch = c.ppi;
        const WordHtmlDocument document = Render(builder, options);
        EXPECT_NE(document.html.find(c.expected), std::string::npos) << document.html;
        ASSERT_EQ(document.pictures.size(), 1u);
        EXPECT_EQ(document.pictures[0].data.rfind(c.signature, 0), 0u);
        const std::size_t second = document.html.find("<img", document.html.find("<img") + 1);
        EXPECT_EQ(document.html.find("<img", second + 1), std::string::npos);  // none for the EMF
        ASSERT_EQ(document.log.size(), 1u);
        EXPECT_NE(document.log[0].find("word/media/image2.emf"), std::string::npos);
    }
}

}  // namespace
}  // namespace quillery

namespace quillery::docx {
namespace {

TEST(ListNumbers, FormatsAsWordCountsThem) {
    struct Case {
        int value;
        const char* format;
        const char* expected;
    } cases[] = {
        {4, "decimal", "4"},       {4, "lowerRoman", "iv"},   {1994, "upperRoman", "MCMXCIV"},
        {1, "lowerLetter", "a"},   {28, "upperLetter", "BB"}, {7, "decimalZero", "07"},
        {12, "decimalZero", "12"}, {3, "none", ""},           {5000, "lowerLetter", "5000"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatListNumber(c.value, c.format), c.expected);
}

}  // namespace
}  // namespace quillery::docx
