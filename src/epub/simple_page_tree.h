#pragma once
// A fast way to the tree of a page the HTML5 parser would build, for pages simple enough to
// prove it: one pass over the page that builds gumbo's own node structures (GumboNode,
// GumboElement, GumboText, GumboAttribute) in the thread's parser arena, so that the XHTML
// serializer writes them unchanged. Most pages made by tools are well-formed XHTML and
// qualify; the moment a page leaves the narrow subset below, the builder gives up ("not
// simple") and the page goes through the HTML5 parser.
//
// The subset, each rule keeping the page clear of something the HTML5 tree builder would
// do on its own:
// - an optional XML declaration, comments and one DOCTYPE, then an explicit <html>, <head>
//   ... </head> and <body> ... </body>, then only whitespace, comments and </html>;
// - tag and attribute names in ASCII, any case; attribute values quoted, or unquoted
//   without quotes, '<', '=' or '`'; a repeated attribute keeps its first value; "/>" only
//   on void elements, and no end tag for them;
// - every end tag closes the current element (nothing is closed implicitly);
// - text in valid UTF-8 without control characters, DEL, C1 controls or noncharacters, and
//   only the references &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric ones with ';';
// - the head holds title, meta, link, base, style, whitespace and comments; the body a
//   list of common HTML elements (see simple_page_rules.h), under the rules that keep
//   the tree builder from closing, opening or moving any element.

#include <gumbo.h>

#include <string_view>

#include "epub/parser_arena.h"

namespace quillery::epub {

// The html element of the page's tree, allocated in `arena` (valid until its next reset),
// or nullptr when the page is not simple. The document node is not built: the html
// element's parent is null, and comments and the DOCTYPE before it are left out.
const GumboNode* BuildSimplePageTree(std::string_view page, ParserArena& arena);

}  // namespace quillery::epub
