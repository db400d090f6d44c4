#pragma once
// Pages of the kinds real books bring, shared by the ePub conversion's tests (both ways to
// the tree) and the ePub readers' tests (whole books made of them): HTML 4 in capitals with
// unquoted attributes, accents and blanks in names, office HTML.

namespace quillery::testing {

inline constexpr const char* kMessyHtml4Page =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
    "\"http://www.w3.org/TR/html4/loose.dtd\">\n<HTML><HEAD><TITLE>One</TITLE></HEAD>\n"
    "<BODY BGCOLOR=#FFFFFF TEXT=black><CENTER><H1 ALIGN=center>Chapter&nbsp;One</H1></CENTER>\n"
    "<P CLASS=note>Caf&eacute; &amp; croissants &mdash; the <FONT FACE=Arial SIZE=+1>best</FONT>"
    " start.\n<P>Some <B><I>misnested</B></I> tags and an <A NAME=mark1>anchor</A>.\n"
    "<TABLE BORDER=2 CELLPADDING=3 WIDTH=\"100%\"><TR><TD VALIGN=top NOWRAP>cell<TD "
    "BGCOLOR=yellow>two</TABLE>\n<UL TYPE=square><LI>one<LI>two</UL>\n"
    "<P>See <A HREF=\"chapter%20two.htm#sec2\">part two</A>.<BR CLEAR=all><HR SIZE=1 NOSHADE>\n"
    "</BODY></HTML>\n";

// Links back to kMessyHtml4Page as "Chapter One.htm".
inline constexpr const char* kMessyHtml4SecondPage =
    "<html><head><title>Two</title></head><body><h2><a name=\"sec2\"></a>Section two</h2>\n"
    "<p>Entities: &lt;tag&gt; &copy; &hellip; &#8212; &#x263A; and <tt>code</tt>, "
    "<strike>old</strike>.\n<div><p>Para in div<div>div in p</div></div>\n"
    "<p>Back to <a href=\"Chapter%20One.htm#mark1\">one</a>.</body></html>\n";

// Saved as "été 1.htm", beside "hiver 2.htm" and "my style.css".
inline constexpr const char* kAccentedNamePage =
    "<html><head><meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
    "<title>\xC3\x89t\xC3\xA9</title><link rel=stylesheet href=\"my style.css\"></head>"
    "<body><h1 id=top>L'\xC3\xA9t\xC3\xA9</h1><p>Voir <a href=\"hiver%202.htm\">l'hiver</a>."
    "</p></body></html>";

inline constexpr const char* kOfficePage =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><head><title>Word</title>"
    "<style><!-- p.MsoNormal {margin:0} --></style></head><body lang=EN-GB>"
    "<div class=WordSection1><p class=MsoNormal align=center style='text-align:center'>"
    "<b>Title<o:p></o:p></b></p><p class=MsoNormal>Text&nbsp;with <span "
    "style='mso-spacerun:yes'>&nbsp;</span>spaces<o:p></o:p></p>"
    "<table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0><tr><td width=300 "
    "valign=top>A</td><td width=300>B</td></tr></table></div></body></html>";

inline constexpr const char* kPageWithoutHeadOrBody =
    "<p>Second page without head or body.<p>Last.";

}  // namespace quillery::testing
