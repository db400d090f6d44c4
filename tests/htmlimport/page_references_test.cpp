// A chapter page's references to the files it uses, rewritten in place; its stylesheet links.

#include "htmlimport/page_references.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

// "a.png" moves to "up/a b.png"; whatever names "gone" is removed; the rest stays.
std::optional<std::string> Move(const PageReference& reference) {
    if (reference.url == "a.png") return "up/a%20b.png";
    if (reference.url.find("gone") != std::string::npos) return std::string();
    return std::nullopt;
}

TEST(PageReferences, RewrittenWhereThePageUsesAFile) {
    const struct {
        std::string page;
        std::string rewritten;
    } cases[] = {
        {"<p>a.png</p><img alt=\"a\" src=\"a.png\">",
         "<p>a.png</p><img alt=\"a\" src=\"up/a%20b.png\">"},
        {"<img src=a.png>", "<img src=\"up/a%20b.png\">"},
        {"<p>x</p><img src=\"gone.png\"><link rel=\"stylesheet\" href=\"gone.css\">", "<p>x</p>"},
        // data-src is not src; a link that is no stylesheet is another reference.
        {"<img data-src=\"gone.png\" src=\"b.png\"><link rel=\"next\" href=\"gone.htm\">",
         "<img data-src=\"gone.png\" src=\"b.png\"><link rel=\"next\">"},
        {"<div style=\"background:url(a.png)\">", "<div style=\"background:url('up/a%20b.png')\">"},
        {"<div style='background:url(gone.png) red'>", "<div style='background:none red'>"},
        {"<style>@import \"gone.css\";p{background:url(a.png)}</style>",
         "<style>p{background:url(\"up/a%20b.png\")}</style>"},
        // Any other reference: the attribute goes, the element and its text stay.
        {"<a href=\"gone.htm\">up</a><a href=\"b.htm#x\">in</a><body background=gone.gif>",
         "<a>up</a><a href=\"b.htm#x\">in</a><body>"},
        {"<object data=\"a.png\">", "<object data=\"up/a%20b.png\">"},
        // Comments and scripts are not markup.
        {"<!-- <img src=\"a.png\"> --><script>x='<img src=\"a.png\">'</script>", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RewritePageReferences(c.page, Move), c.rewritten.empty() ? c.page : c.rewritten)
            << c.page;
    }
}

TEST(PageReferences, FoundWithTheirKindAndAttributeEntitiesDecoded) {
    const auto found = FindPageReferences(
        "<link rel=stylesheet href=\"s.css\"><style>@import url(i.css);</style>"
        "<img src=\"Fish &amp; Chips.png\"><p style=\"background:url(p.gif)\">");
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].kind, PageReferenceKind::Stylesheet);
    EXPECT_EQ(found[1].kind, PageReferenceKind::StyleImport);
    EXPECT_EQ(found[1].url, "i.css");
    EXPECT_EQ(found[2].url, "Fish & Chips.png");
    EXPECT_EQ(found[3].kind, PageReferenceKind::StyleUrl);
}

TEST(PageReferences, StylesheetLinksRemovedAndAdded) {
    EXPECT_EQ(
        RemoveStylesheetLinks("<head><LINK REL=\"Stylesheet\" href=\"a\"><link href=\"b.CSS\">"
                              "<link rel=\"icon\" href=\"i.png\"></head>"),
        "<head><link rel=\"icon\" href=\"i.png\"></head>");
    const std::string link = "<link rel=\"stylesheet\" type=\"text/css\" href=\"a%20b.css\"/>";
    const struct {
        std::string page;
        std::string withLink;
    } cases[] = {
        {"<html><head><title>t</title></HEAD><body>",
         "<html><head><title>t</title>" + link + "</HEAD><body>"},
        {"<html><body><header>x</header>", "<html>" + link + "<body><header>x</header>"},
        {"<p>bare</p>", link + "<p>bare</p>"},
    };
    for (const auto& c : cases) EXPECT_EQ(AddStylesheetLink(c.page, "a%20b.css"), c.withLink);
}

// Over a normalised page (lower-case names).
TEST(PageReferences, TheQuickLookFindsPicturesStylesheetLinksAndWhatElseMayNeedWork) {
    const TagReferences found = QuickTagReferences(
        "<img src=\"a&amp;b.png\"><img alt=x><imgx src=n.png><link rel=icon href=i.png>"
        "<link rel=stylesheet href=s.css><link href='t.CSS'><p>../ url( in text</p>");
    EXPECT_EQ(found.pictures, std::vector<std::string>{"a&b.png"});
    EXPECT_EQ(found.stylesheets, (std::vector<std::string>{"s.css", "t.CSS"}));
    EXPECT_FALSE(found.otherReferences);
    for (const char* page :
         {"<a href=\"../x.htm\">", "<p style=\"background:url(x.png)\">", "<style>p{}</style>",
          "<a href=\"/x\">", "<img src='file:x'>", "<body background=\"x.gif\">"})
        EXPECT_TRUE(QuickTagReferences(page).otherReferences) << page;
}

}  // namespace
}  // namespace quillery
