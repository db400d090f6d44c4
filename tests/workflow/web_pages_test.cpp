// Real-page cases through Import Web Pages and Make Mobi: every word, picture, stylesheet and
// anchor a page uses reaches the package, under the name the chapter uses.

#include <filesystem>
#include <map>

#include "pipeline_fixture.h"

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
};
void PrintTo(const RealPage& p, std::ostream* os) { *os << p.what; }

const std::string kPng = "\x89PNG\r\n\x1a\n";

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
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, WebPages, ::testing::Values(
    RealPage{"CaseBlindNames",
        {{"a.htm", "<html><head><title>A</title><LINK REL=stylesheet HREF=STYLE.CSS></head>"
                   "<body><p>Words</p><IMG SRC=img/A.png><img src=\"img/a.png\"></body></html>"},
         {"b.htm", "<html><head><title>B</title></head><body><p>More words</p></body></html>"},
         {"style.css", "p { margin: 0 }"}, {"IMG/a.PNG", kPng}, {"img/a.png", kPng}},
        {"a.htm", "b.htm"},
        {"STYLE.CSS", "img/A.png", "img/a.png"},
        {"href=\"STYLE.CSS\"", "href=\"img/A.png\"", "href=\"img/a.png\""},
        {}, {"<img src=\"img/A.png\">"}, {"does not exist"}},
    RealPage{"EncodedNamesAndFragments",
        {{"a.htm", "<html><head><title>A</title></head><body><p>x=5 and E=mc2</p>"
                   "<img src=\"My%20Photo%C3%A9.png#frag\"><img src=\"a%23b.png\">"
                   "<img data-src=\"lazy.png\" src=\"real.png\"></body></html>"},
         {"b.htm", "<html><head><title>B</title></head><body><p>B</p></body></html>"},
         {"My Photo\xC3\xA9.png", kPng}, {"a#b.png", kPng}, {"real.png", kPng}},
        {"a.htm", "b.htm"},
        {"My Photo\xC3\xA9.png", "a#b.png", "real.png"},
        {"href=\"My%20Photo\xC3\xA9.png\"", "href=\"a%23b.png\"", "href=\"real.png\""},
        {}, {}, {"lazy.png", "media-type=\"image/\""}},
    RealPage{"PicturesWithoutAUsableType",
        {{"a.htm", "<html><head><title>A</title></head><body><img src=\"photo\">"
                   "<img src=\"x.webp\"><img src=\"junk.bin\"></body></html>"},
         {"b.htm", "<html><head><title>B</title></head><body><p>B</p></body></html>"},
         {"photo", "\xFF\xD8\xFF\xE0" "data"}, {"x.webp", "RIFF0000WEBP"}, {"junk.bin", "junk"}},
        {"a.htm", "b.htm"},
        {"photo"},
        {"href=\"photo\" media-type=\"image/jpeg\""},
        {}, {}, {"media-type=\"image/\"", "x.webp", "junk.bin"}},
    RealPage{"TitlesShowWhatThePageShows",
        {{"a.htm", "<html><head><title>It&#8217;s &eacute;t&eacute;</title></head>"
                   "<body><p>A</p></body></html>"},
         {"b.htm", "<html><head><title>Caf\xE9 \x93" "B\x94</title></head><body><p>B</p></body></html>"}},
        {"a.htm", "b.htm"},
        {"toc.htm"},
        {},
        {"<text>It\xE2\x80\x99s \xC3\xA9t\xC3\xA9</text>",
         "<text>Caf\xC3\xA9 \xE2\x80\x9C" "B\xE2\x80\x9D</text>"},
        {}, {}},
    RealPage{"OneFileBookHasAWorkingContents",
        {{"one.htm", "<html><head><title>One</title></head><body><h1>One</h1>"
                     "<p><a name=\"part 1\"></a>Text <a href=\"#part 1\">again</a></p></body></html>"}},
        {"one.htm"},
        {"one.htm"},
        {"href=\"one.htm#toc\""},
        {"<content src=\"one.htm#part%201\" />"},
        {"<a id=\"toc\"></a>", "<a name=\"part 1\" id=\"part 1\">"}, {}}),
    [](const auto& info) { return std::string(info.param.what); });
// clang-format on

}  // namespace
}  // namespace quillery::testing
