#pragma once
// Turns a chapter of the book, as the make left it (HTML of any age and tidiness), into a
// well-formed XHTML content document for the ePub: parsed by an HTML5 parser (the tree a
// browser builds; a page simple enough to prove the tree gets it built directly, see
// simple_page_tree.h), entities resolved to characters, every id kept (an `<a name>` anchor
// becomes an id), presentational markup that XHTML no longer has expressed in CSS, and
// every link and picture reference passed through the caller's rewriter.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillery::epub {

struct XhtmlOptions {
    // The document title when the page has none (an empty title is not allowed).
    std::string fallbackTitle;
    // The book language for xml:lang and lang when the page gives none.
    std::string language;
    // Called with every URL of a link, picture, stylesheet or other reference; returns the
    // URL to write, or an empty text when the URL leads to a file the book does not hold:
    // a picture, stylesheet or object element is then left out, a link keeps its content
    // without the link. Left empty, URLs are written as they stand.
    std::function<std::string(std::string_view url)> rewriteUrl;
    // Always run the HTML5 parser, even for a page the simple page tree builder accepts.
    // Exists for the checks that both ways write the same XHTML.
    bool alwaysParseAsHtml = false;
};

struct XhtmlDocument {
    std::string text;
    bool scripted = false;      // holds a script or a form
    bool svg = false;           // holds inline SVG
    bool mathml = false;        // holds MathML
    bool parsedAsHtml = false;  // the HTML5 parser built the tree (the page was not simple)
};

XhtmlDocument ConvertToXhtml(std::string_view html, const XhtmlOptions& options);

}  // namespace quillery::epub
