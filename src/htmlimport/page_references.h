#pragma once
// The references of a chapter page to the files it uses, found and rewritten in place: the
// src of img tags, the href of stylesheet links, and the url(...) and @import references of
// its <style> blocks and style attributes. Also the stylesheet links themselves: whether a
// page has any, removing them, adding one.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillery {

enum class PageReferenceKind {
    Picture,      // the src of an img tag
    Stylesheet,   // the href of a link to a stylesheet
    StyleUrl,     // a url(...) of a <style> block or style attribute
    StyleImport,  // an @import of a <style> block
    Other,        // the href, src, data, poster or background of any other tag (a link to a
                  // page, a script, an embedded object, a body background)
};

struct PageReference {
    PageReferenceKind kind;
    std::string url;  // as written, with "&amp;" and "&nbsp;" of an attribute decoded
};

// Nothing keeps the reference as written; a text (a URI reference, percent-encoded) replaces
// it; an empty text removes it: the img or link tag goes, a url(...) becomes "none", an
// @import rule goes, any other attribute goes (a link keeps its text without its target).
using PageReferenceRewrite = std::function<std::optional<std::string>(const PageReference&)>;

std::string RewritePageReferences(std::string_view page, const PageReferenceRewrite& rewrite);

// The references in order of appearance.
std::vector<PageReference> FindPageReferences(std::string_view page);

// A quick look for the make's fast path, one pass over the tags (comments and scripts not
// told apart): the src of every img tag, the href of every stylesheet link, and whether any
// tag has a <style> element, a url(...), a file: URL, a reference climbing out of its folder
// ("../") or an absolute one (a value starting with "/"), or a background attribute.
struct TagReferences {
    std::vector<std::string> pictures;
    std::vector<std::string> stylesheets;
    bool otherReferences = false;
};
TagReferences QuickTagReferences(std::string_view page);

// The page without its stylesheet links (link tags whose rel names "stylesheet" or whose href
// names a ".css" file).
std::string RemoveStylesheetLinks(std::string_view page);

// The page with a stylesheet link to href (a URI reference) added before "</head>" (any case),
// else after the <head> or <html> start tag, else at its start.
std::string AddStylesheetLink(std::string_view page, std::string_view href);

}  // namespace quillery
