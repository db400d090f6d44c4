// The references of a stylesheet text: found outside comments and strings, rewritten in place.

#include "text/css_references.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

// "a.png" becomes "x/a.png", "gone.png" and "gone.css" are removed, the rest stays as written.
std::optional<std::string> Move(const CssReference& reference) {
    if (reference.url == "a.png") return "x/a.png";
    if (reference.url.starts_with("gone")) return std::string();
    return std::nullopt;
}

TEST(CssReferences, FoundAndRewrittenInPlace) {
    const struct {
        std::string css;
        std::vector<std::string> urls;  // "@" marks an import
        std::string rewritten;
    } cases[] = {
        {"p{background:url(a.png)}", {"a.png"}, "p{background:url(\"x/a.png\")}"},
        {"p{background:URL( 'a.png' ) no-repeat}",
         {"a.png"},
         "p{background:url(\"x/a.png\") no-repeat}"},
        {"@import \"b.css\";\n@import url(c.css) screen;",
         {"@b.css", "@c.css"},
         "@import \"b.css\";\n@import url(c.css) screen;"},
        {"@import 'gone.css';\np{}", {"@gone.css"}, "\np{}"},
        {"li{list-style:url(\"gone.png\") disc}", {"gone.png"}, "li{list-style:none disc}"},
        // Comments and strings hold no references; a name ending in "url(" is no url.
        {"/* url(a.png) */ p{content:\"url(a.png)\"} p{x-url(a.png)}", {}, ""},
        {"p{background:url(a.png", {}, ""},  // never closed
        {"@font-face{src:url(f.woff2) format(\"woff2\"),url(data:font/x;base64,AA)}",
         {"f.woff2", "data:font/x;base64,AA"},
         ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> urls;
        for (const CssReference& r : FindCssReferences(c.css))
            urls.push_back((r.import ? "@" : "") + r.url);
        EXPECT_EQ(urls, c.urls) << c.css;
        EXPECT_EQ(RewriteCssReferences(c.css, Move), c.rewritten.empty() ? c.css : c.rewritten)
            << c.css;
    }
}

TEST(CssReferences, TheQuoteWrittenAroundNewUrlsIsEscapedInside) {
    const auto to = [](std::string url) {
        return [url](const CssReference&) { return std::optional<std::string>(url); };
    };
    EXPECT_EQ(RewriteCssReferences("url(a)", to("it's.png"), '\''), "url('it\\'s.png')");
    EXPECT_EQ(RewriteCssReferences("url(a)", to("b.png"), '\''), "url('b.png')");
}

}  // namespace
}  // namespace quillery
