// The chapter normalisation touches tags only: values quoted, names lower-cased; text,
// comments, CDATA, script and style contents and every value keep their bytes.

#include "htmlimport/tag_normaliser.h"

#include <gtest/gtest.h>

#include "text_case.h"

namespace quillery {
namespace {

std::string Normalised(std::string_view s) {
    std::string html(s);
    NormaliseChapterMarkup(html);
    return html;
}

TEST(NormaliseChapterMarkup, TagsOnly) {
    // clang-format off
    const testing::TextCase cases[] = {
        {Normalised, "<P CLASS=Body>Text</P>", "<p class=\"Body\">Text</p>"},
        {Normalised, "<A HREF='X.HTM' Title=\"Go ON\">Next PAGE</A>",
                     "<a href='X.HTM' title=\"Go ON\">Next PAGE</a>"},
        // Text and values never change.
        {Normalised, "<p>If x=5 and E=mc2, THEN</p>", "<p>If x=5 and E=mc2, THEN</p>"},
        {Normalised, "<p title=\"when x=5 then\">a</p>", "<p title=\"when x=5 then\">a</p>"},
        {Normalised, "<IMG SRC=Pics/My%20Photo.JPG>", "<img src=\"Pics/My%20Photo.JPG\">"},
        {Normalised, "<img src=a.gif/>", "<img src=\"a.gif\"/>"},
        {Normalised, "<a href=#Top>up</a>", "<a href=\"#Top\">up</a>"},
        {Normalised, "<td width=50% bgcolor=#FFF nowrap>", "<td width=\"50%\" bgcolor=\"#FFF\" nowrap>"},
        {Normalised, "<p title=a\"b>", "<p title=\"a&quot;b\">"},
        // Declarations, comments, CDATA and raw text keep their bytes.
        {Normalised, "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"x.dtd\">\n<HTML>",
                     "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"x.dtd\">\n<html>"},
        {Normalised, "<!-- <P CLASS=X> --><![CDATA[<B>a=1</B>]]><?xml Version=\"1.0\"?>",
                     "<!-- <P CLASS=X> --><![CDATA[<B>a=1</B>]]><?xml Version=\"1.0\"?>"},
        {Normalised, "<SCRIPT>if (a<B) W(\"<P X=1>\");</SCRIPT><STYLE>P.A{COLOR:RED}</STYLE>",
                     "<script>if (a<B) W(\"<P X=1>\");</script><style>P.A{COLOR:RED}</style>"},
        // Inline SVG keeps the case of its names.
        {Normalised, "<SVG viewBox=\"0 0 10 10\"><linearGradient gradientUnits=x/></SVG><P>",
                     "<svg viewBox=\"0 0 10 10\"><linearGradient gradientUnits=\"x\"/></svg><p>"},
        // A "<" that starts no tag is text.
        {Normalised, "a < b, 3<4, <= and <3 <", "a < b, 3<4, <= and <3 <"},
        {Normalised, "<p class=x", "<p class=\"x\""},
    };
    // clang-format on
    testing::ExpectPasses(cases);
}

}  // namespace
}  // namespace quillery
