// Real-page cases through Import Web Pages and Make Mobi: every word, picture, stylesheet and
// anchor a page uses reaches the package, under the name the chapter uses.

#include <filesystem>
#include <map>

#include "pipeline_fixture.h"
#include "test_pictures.h"

namespace fs = std::filesystem;

namespace quillery::testing {
namespace {

struct RealPage {
    const char* what;
    std::map<std::string, std::string> files;  // source-relative name -> content
    std::vector<std::string> chapters;         // the files imported, in order
    std::vector<std::string> inOps;            // files the package must hold
    std::vector<std::string> inOpf;            // texts content.opf must hold
    std::vector<std::string> inNcx;            // texts toc.ncx must hold
    std::vector<std::string> inChapter;        // texts the first chapter copy must hold
    std::vector<std::string> notInOpf;         // texts content.opf must never hold
    std::vector<std::pair<std::string, std::string>> opsFileHolds;  // package file, text
    std::vector<std::string> notInChapter;  // texts the first chapter copy must never hold
    bool paragraphStyle = false;            // "First Line Indent" on
};
void PrintTo(const RealPage& p, std::ostream* os) { *os << p.what; }

const std::string kPng = "\x89PNG\r\n\x1a\n";

// A small red picture in a format readers do not take.
std::string Picture(const std::string& format) {
    gdImagePtr image = gdImageCreateTrueColor(4, 3);
    gdImageFilledRectangle(image, 0, 0, 3, 2, gdTrueColor(255, 0, 0));
    return mobi::testing::EncodeAndDestroy(image, format);
}

class WebPages : public PipelineTest, public ::testing::WithParamInterface<RealPage> {};

TEST_P(WebPages, ReachThePackageWhole) {
    const RealPage& page = GetParam();
    for (const auto& [name, content] : page.files) dir.Write("pages/" + name, content);
    std::vector<std::string> chosen;
    for (const std::string& chapter : page.chapters)
        chosen.push_back(dir.path() + "pages/" + chapter);
    form.chkAutoTitle = true;
    form.selTitleMethod = 1;  // the pages' own titles
    ASSERT_TRUE(ImportWebPages(book, form, ui, chosen, false).imported);
    form.chkIndent = page.paragraphStyle;
    form.inTitle = "Real Page";
    form.lblDesName = "Real Page.mobi";
    form.lblDesPath = output;
    ASSERT_EQ(Make().outcome, MakeOutcome::Made) << book.log;
    for (const std::string& file : page.inOps) EXPECT_TRUE(InOps(file)) << file << "\n" << book.log;
    const std::string opf = Ops("content.opf");
    for (const std::string& text : page.inOpf) EXPECT_TRUE(Has(opf, text)) << text << "\n" << opf;
    for (const std::string& text : page.notInOpf)
        EXPECT_FALSE(Has(opf, text)) << text << "\n" << opf;
    const std::string ncx = Ops("toc.ncx");
    for (const std::string& text : page.inNcx) EXPECT_TRUE(Has(ncx, text)) << text << "\n" << ncx;
    const std::string chapter = Ops(page.chapters[0]);
    for (const std::string& text : page.inChapter)
        EXPECT_TRUE(Has(chapter, text)) << text << "\n" << chapter;
    for (const std::string& text : page.notInChapter)
        EXPECT_FALSE(Has(chapter, text)) << text << "\n" << chapter;
    for (const auto& [file, text] : page.opsFileHolds)
        EXPECT_TRUE(Has(Ops(file), text)) << file << ": " << text << "\n" << Ops(file);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, WebPages, ::testing::Values(
    RealPage{"PictureNamesInAnyCaseEncodedOrWithoutAUsableType",
        {{"a.htm", "<html><head><title>A</title><LINK REL=stylesheet HREF=STYLE.CSS></head>"
                   "<body><p>x=5 and E=mc2</p><IMG SRC=img/A.png><img src=\"img/a.png\">"
                   "<img src=\"My%20Photo%C3%A9.png#frag\"><img src=\"a%23b.png\">"
                   "<img data-src=\"lazy.png\" src=\"real.png\"><img src=\"photo\">"
                   "<img src=\"x.webp\"><img src=\"junk.bin\"></body></html>"},
         {"b.htm", "<html><head><title>B</title></head><body><p>More words</p></body></html>"},
         {"style.css", "p { margin: 0 }"}, {"IMG/a.PNG", kPng}, {"img/a.png", kPng},
         {"My Photo\xC3\xA9.png", kPng}, {"a#b.png", kPng}, {"real.png", kPng},
         {"photo", "\xFF\xD8\xFF\xE0" "data"}, {"x.webp", "RIFF0000WEBP"}, {"junk.bin", "junk"}},
        {"a.htm", "b.htm"},
        {"STYLE.CSS", "img/A.png", "img/a.png", "My Photo\xC3\xA9.png", "a#b.png", "real.png",
         "photo"},
        {"href=\"STYLE.CSS\"", "href=\"img/A.png\"", "href=\"img/a.png\"",
         "href=\"My%20Photo\xC3\xA9.png\"", "href=\"a%23b.png\"", "href=\"real.png\"",
         "href=\"photo\" media-type=\"image/jpeg\""},
        {}, {"<img src=\"img/A.png\">"},
        {"does not exist", "lazy.png", "media-type=\"image/\"", "x.webp", "junk.bin"}, {}, {}},
    RealPage{"TitlesShowWhatThePageShows",
        {{"a.htm", "<html><head><title>It&#8217;s &eacute;t&eacute;</title></head>"
                   "<body><p>A</p></body></html>"},
         {"b.htm", "<html><head><title>Caf\xE9 \x93" "B\x94</title></head><body><p>B</p></body></html>"}},
        {"a.htm", "b.htm"},
        {"toc.htm"},
        {},
        {"<text>It\xE2\x80\x99s \xC3\xA9t\xC3\xA9</text>",
         "<text>Caf\xC3\xA9 \xE2\x80\x9C" "B\xE2\x80\x9D</text>"},
        {}, {}, {}, {}},
    RealPage{"OneFileBookHasAWorkingContents",
        {{"one.htm", "<html><head><title>One</title></head><body><h1>One</h1>"
                     "<p><a name=\"part 1\"></a>Text <a href=\"#part 1\">again</a></p></body></html>"}},
        {"one.htm"},
        {"one.htm"},
        {"href=\"one.htm#toc\""},
        {"<content src=\"one.htm#part%201\" />"},
        {"<a id=\"toc\"></a>", "<a name=\"part 1\" id=\"part 1\">"}, {}, {}, {}},
    RealPage{"ResourcesInStyleTextAndOutsideTheFolderAreCopiedIn",
        {{"a.htm", "<html><head><title>A</title><link rel=stylesheet href=\"../shared/site.css\">"
                   "<style>@import url(css/extra.css);\n"
                   "p { background: url('img/p.gif') } /* url(img/no.png) */</style>"
                   "</head><body><p>Words</p><img src=\"../images/x.png\"><img src=\"x.png\">"
                   "<img src=\"../../up.png\"><img src=\"/etc/abs.png\"><img src=\"../notes.txt\">"
                   "<a href=\"../index.htm\">up</a><a href=\"b.htm#x\">in</a><img src=\"file:///x.png\">"
                   "<div style=\"background:url(img/d%20d.png)\">Words</div></body></html>"},
         {"b.htm", "<html><head><title>B</title></head><body><p>B</p></body></html>"},
         {"x.png", kPng}, {"../images/x.png", kPng + "outside"}, {"../notes.txt", "text"},
         {"../../up.png", kPng},
         {"../shared/site.css", "@import \"more.css\";\nbody { background: url(bg.png) }\n"
                                "@font-face { src: url('../fonts/F.ttf') }"},
         {"../shared/more.css", "h1 { color: red }"}, {"../shared/bg.png", kPng},
         {"../fonts/F.ttf", std::string("\0\1\0\0font", 8)},
         {"css/extra.css", "li { list-style-image: url(../img/li.png) }"},
         {"img/p.gif", "GIF89a"}, {"img/d d.png", kPng}, {"img/li.png", kPng}},
        {"a.htm", "b.htm"},
        {"site.css", "more.css", "bg.png", "F.ttf", "x.png", "x-2.png", "css/extra.css",
         "img/p.gif", "img/d d.png", "img/li.png"},
        {"href=\"site.css\"", "href=\"more.css\"", "href=\"bg.png\" media-type=\"image/png\"",
         "href=\"F.ttf\" media-type=\"font/ttf\"", "href=\"x-2.png\"", "href=\"css/extra.css\"",
         "href=\"img/p.gif\"", "href=\"img/d%20d.png\"", "href=\"img/li.png\""},
        {}, {"href=\"site.css\"", "<img src=\"x-2.png\">", "<img src=\"x.png\">", "<a>up</a>",
             "<a href=\"b.htm#x\">in</a>", "url(img/d%20d.png)"},
        {"../", "notes.txt", "up.png", "abs.png", "no.png"},
        {{"site.css", "url(\"F.ttf\")"}, {"site.css", "url(bg.png)"},
         {"css/extra.css", "url(../img/li.png)"}},
        {"../", "abs.png", "up.png", "notes.txt", "file:"}},
    // A chapter without a stylesheet gets one for the paragraph style.
    RealPage{"PicturesReadersDoNotTakeBecomePngAndParagraphStyleReachesEveryChapter",
        {{"a.htm", "<html><head><title>A</title></head><body><p>Words</p><img src=\"p.bmp\">"
                   "<img src=\"p.TIF\"><div style=\"background:url(w.webp)\">x</div>"
                   "<img src=\"../up.webp\"></body></html>"},
         {"b.htm", "<html><head><title>B</title><link rel=\"stylesheet\" href=\"own.css\">"
                   "</head><body><p>B</p></body></html>"},
         {"own.css", "p { color: navy }"}, {"style.css", "h1 { color: red }"},
         {"p.bmp", Picture("bmp")}, {"p.TIF", Picture("tiff")}, {"w.webp", Picture("webp")},
         {"../up.webp", Picture("webp")}},
        {"a.htm", "b.htm"},
        {"p.png", "p-2.png", "w.png", "up.png", "style-2.css", "own.css"},
        {"href=\"p.png\" media-type=\"image/png\"", "href=\"p-2.png\" media-type=\"image/png\"",
         "href=\"w.png\" media-type=\"image/png\"", "href=\"up.png\" media-type=\"image/png\"",
         "href=\"style-2.css\"", "href=\"own.css\""},
        {}, {"<img src=\"p.png\">", "<img src=\"p-2.png\">", "url('w.png')", "<img src=\"up.png\">",
             "<link rel=\"stylesheet\" type=\"text/css\" href=\"style-2.css\"/></head>"},
        {".bmp", ".TIF", ".webp", "image/bmp", "href=\"style.css\""},
        {{"p.png", kPng}, {"p-2.png", kPng}, {"w.png", kPng},
         {"style-2.css", "p{text-indent:2em;}"}, {"own.css", "p{text-indent:2em;}"},
         {"b.htm", "href=\"own.css\""}},
        {".bmp", ".TIF", ".webp"}, true}),
    [](const auto& info) { return std::string(info.param.what); });
// clang-format on

}  // namespace
}  // namespace quillery::testing
