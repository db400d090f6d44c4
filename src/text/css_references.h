#pragma once
// The references of a stylesheet text (a stylesheet file, a <style> block or a style
// attribute): every url(...) token and the quoted form of @import, found outside comments and
// strings, and rewritten by a caller's function so they follow files renamed or moved.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillery {

struct CssReference {
    std::size_t begin;  // 0-based offsets of the whole token: url(...) or the quoted string
    std::size_t end;
    std::string url;  // the reference as written: quotes and surrounding blanks removed
    bool import;      // the token is the target of an @import rule
};

// The references in order of appearance. CSS escapes inside a url are kept as written.
std::vector<CssReference> FindCssReferences(std::string_view css);

// What the rewrite function decides for one reference: nothing keeps the token byte for byte;
// a text replaces it by url("TEXT") (the url of an @import likewise); an empty text removes
// the reference: a url(...) becomes "none", an @import rule goes whole. `quote` is the quote
// character written around new urls (a single quote inside a double-quoted style attribute).
using CssReferenceRewrite = std::function<std::optional<std::string>(const CssReference&)>;

std::string RewriteCssReferences(std::string_view css, const CssReferenceRewrite& rewrite,
                                 char quote = '"');

}  // namespace quillery
