// Random markup soup through every text pass of the HTML import: nothing may crash, and the
// element removal must leave none of the removed kinds behind.

#include <gtest/gtest.h>

#include <random>

#include "htmlimport/chapter_titles.h"
#include "htmlimport/element_cleaner.h"
#include "htmlimport/element_removal.h"
#include "text/strings.h"

namespace quillery {
namespace {

// clang-format off
const std::vector<std::string> kTokens = {
    "<p>", "</p>", "<P CLASS=Body>", "<b>", "</b>", "<span class=x>", "</span>", "<h1>",
    "</h1>", "<H2 id=a>", "</h2>", "<a href=\"#n\">", "<a name=\"n\">", "<A HREF='x.htm' ID=i>",
    "</a>", "<script>", "</script>", "<SCRIPT src=\"s.js\"/>", "<noscript>", "</noscript>",
    "<img src=\"a.gif\"/>", "<IMG SRC=b.png>", "<video controls>", "</video>", "<object>",
    "</object>", "<embed src=e>", "<iframe src=f>", "</iframe>", "<audio>", "</audio>",
    "<form action=x>", "</form>", "<input type=text>", "<select>", "<option>1", "</select>",
    "<textarea>", "</textarea>", "<button>", "</button>", "<body>", "</body>", "<title>",
    "</title>", "<div id=d/>", "word", "Caf\xC3\xA9", "\xE9", "&nbsp;", "&amp;", " ", "\n", ">",
    "\"", "'", "=", "x=5 ", "<",
};
// clang-format on

// Random tokens; without the last token ("<" standing alone) unless stray brackets are
// wanted: a "<" right before a letter opens a tag that runs to the next ">", swallowing any
// tag in between, exactly as a browser reads it.
std::string Soup(std::mt19937& random, bool strayBrackets) {
    std::uniform_int_distribution<std::size_t> length(0, 60);
    std::uniform_int_distribution<std::size_t> pick(0, kTokens.size() - (strayBrackets ? 1 : 2));
    std::string soup;
    for (std::size_t n = length(random); n > 0; --n) soup += kTokens[pick(random)];
    return soup;
}

TEST(Robustness, RandomMarkupThroughEveryPass) {
    std::mt19937 random(20261206);
    RemoveElementOptions all;
    all.images = true;
    all.links = true;
    for (int round = 0; round < 4000; ++round) {
        const bool strayBrackets = round % 2 == 1;
        const std::string soup = Soup(random, strayBrackets);
        SCOPED_TRACE(::testing::PrintToString(soup));

        EXPECT_EQ(ConvertTagCase(soup, false).size(), soup.size());
        std::string normalised = soup;
        NormaliseChapterMarkup(normalised);
        CleanEmptyElements(soup);
        ExtractBody(soup);
        ExtractDefinitionsStyle(soup);
        StripTags(soup);
        HtmlTitleOf(soup);
        TitleDisplayText(FirstHeadingTitleOf(soup));

        std::string removed = soup;
        RemoveHtmlElements(removed, all);
        EXPECT_LE(removed.size(), soup.size());
        if (strayBrackets) continue;
        const std::string lower = LowerAscii(removed);
        for (const char* gone :
             {"<script", "<noscript", "<img", "<video", "<object", "<embed", "<iframe", "<audio",
              "<form", "<input", "<select", "<textarea", "<button", "href="}) {
            EXPECT_EQ(lower.find(gone), std::string::npos)
                << gone << " in " << ::testing::PrintToString(removed);
        }
    }
}

}  // namespace
}  // namespace quillery
