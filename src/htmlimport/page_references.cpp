// A chapter page's references to the files it uses (see page_references.h).

#include "htmlimport/page_references.h"

#include <algorithm>
#include <iterator>

#include "htmlimport/markup_scan.h"
#include "text/byte_search.h"
#include "text/css_references.h"
#include "text/strings.h"

namespace quillery {

namespace {

using markup::Edit;
using markup::Item;
using markup::ItemKind;

// Where an attribute's value lies in its tag: [begin, end) without the quotes.
struct ValueSpan {
    std::size_t begin;
    std::size_t end;
    char quote;  // '"', '\'' or 0 for an unquoted value
};

std::optional<ValueSpan> ValueOf(std::string_view tag, const markup::Attribute& attribute) {
    const std::size_t equals = tag.find('=', attribute.begin);
    if (equals == std::string_view::npos || equals >= attribute.end) return std::nullopt;
    std::size_t begin = equals + 1;
    while (begin < attribute.end &&
           (tag[begin] == ' ' || tag[begin] == '\t' || tag[begin] == '\n' || tag[begin] == '\r'))
        ++begin;
    if (begin >= attribute.end) return std::nullopt;
    const char quote = tag[begin];
    if (quote == '"' || quote == '\'') {
        if (attribute.end - begin < 2 || tag[attribute.end - 1] != quote) return std::nullopt;
        return ValueSpan{begin + 1, attribute.end - 1, quote};
    }
    return ValueSpan{begin, attribute.end, 0};
}

std::optional<ValueSpan> FindValue(std::string_view tag, std::string_view lowerName) {
    for (const markup::Attribute& attribute : markup::Attributes(tag)) {
        if (attribute.name == lowerName) return ValueOf(tag, attribute);
    }
    return std::nullopt;
}

bool IsStylesheetLink(std::string_view tag) {
    const std::optional<ValueSpan> rel = FindValue(tag, "rel");
    if (rel && LowerAscii(tag.substr(rel->begin, rel->end - rel->begin)).find("stylesheet") !=
                   std::string::npos)
        return true;
    const std::optional<ValueSpan> href = FindValue(tag, "href");
    return href && LowerAscii(tag.substr(href->begin, href->end - href->begin)).find(".css") !=
                       std::string::npos;
}

bool IsNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

// A URI reference as the value of a double-quoted attribute.
std::string AttributeText(std::string_view url) {
    return ReplaceAll(ReplaceAll(url, "&", "&amp;"), "\"", "%22");
}

class PageRewriter {
public:
    PageRewriter(std::string_view page, const PageReferenceRewrite& rewrite)
        : page_(page), rewrite_(rewrite) {}

    std::string Run() {
        for (const Item& item : markup::Scan(page_)) {
            if (item.kind == ItemKind::RawElement && item.name == "style") {
                StyleBlock(item);
            } else if (item.kind == ItemKind::StartTag) {
                const std::string_view tag = page_.substr(item.begin, item.end - item.begin);
                if (item.name == "img") {
                    if (UrlAttribute(item, tag, "src", PageReferenceKind::Picture)) continue;
                } else if (item.name == "link" && IsStylesheetLink(tag)) {
                    if (UrlAttribute(item, tag, "href", PageReferenceKind::Stylesheet)) continue;
                }
                OtherAttributes(item, tag);
                StyleAttribute(item, tag);
            }
        }
        return markup::ApplyEdits(page_, std::move(edits_));
    }

private:
    // True when the whole tag was removed.
    bool UrlAttribute(const Item& item, std::string_view tag, std::string_view name,
                      PageReferenceKind kind) {
        const std::optional<ValueSpan> value = FindValue(tag, name);
        if (!value || value->end == value->begin) return false;
        const std::string written(tag.substr(value->begin, value->end - value->begin));
        const std::optional<std::string> replacement =
            rewrite_(PageReference{kind, DecodeEntities(written)});
        if (!replacement) return false;
        if (replacement->empty()) {
            edits_.push_back(Edit{item.begin, item.end, {}});
            return true;
        }
        const std::string text = AttributeText(*replacement);
        edits_.push_back(Edit{item.begin + value->begin, item.begin + value->end,
                              value->quote == 0 ? "\"" + text + "\"" : text});
        return false;
    }

    void OtherAttributes(const Item& item, std::string_view tag) {
        static constexpr std::string_view kNames[] = {"href", "src", "data", "poster",
                                                      "background"};
        bool named = false;  // most tags have none of these: they are not parsed
        for (const std::string_view name : kNames)
            named = named || detail::FindForward(tag, name, 0, true) != detail::kNotFound;
        if (!named) return;
        const bool handled = item.name == "img" || (item.name == "link" && IsStylesheetLink(tag));
        for (const markup::Attribute& attribute : markup::Attributes(tag)) {
            if (std::find(std::begin(kNames), std::end(kNames), attribute.name) == std::end(kNames))
                continue;
            if (handled && (attribute.name == "src" || attribute.name == "href")) continue;
            const std::optional<ValueSpan> value = ValueOf(tag, attribute);
            if (!value || value->end == value->begin) continue;
            const std::string written(tag.substr(value->begin, value->end - value->begin));
            const std::optional<std::string> replacement =
                rewrite_(PageReference{PageReferenceKind::Other, DecodeEntities(written)});
            if (!replacement) continue;
            if (replacement->empty()) {
                edits_.push_back(
                    Edit{item.begin + attribute.begin, item.begin + attribute.end, {}});
            } else {
                const std::string text = AttributeText(*replacement);
                edits_.push_back(Edit{item.begin + value->begin, item.begin + value->end,
                                      value->quote == 0 ? "\"" + text + "\"" : text});
            }
        }
    }

    void StyleAttribute(const Item& item, std::string_view tag) {
        // Most tags have no style attribute: they are not parsed for one.
        if (detail::FindForward(tag, "style", 0, true) == detail::kNotFound) return;
        const std::optional<ValueSpan> value = FindValue(tag, "style");
        if (!value) return;
        const std::string_view css = tag.substr(value->begin, value->end - value->begin);
        if (detail::FindForward(css, "url(", 0, true) == detail::kNotFound) return;
        const char urlQuote = value->quote == '\'' ? '"' : '\'';
        std::string rewritten = RewriteCssReferences(
            css,
            [&](const CssReference& reference) {
                std::optional<std::string> url =
                    rewrite_(PageReference{PageReferenceKind::StyleUrl, reference.url});
                if (url) *url = ReplaceAll(*url, "&", "&amp;");  // inside an attribute
                return url;
            },
            urlQuote);
        if (rewritten != css) {
            edits_.push_back(Edit{item.begin + value->begin, item.begin + value->end,
                                  value->quote == 0 ? "\"" + rewritten + "\"" : rewritten});
        }
    }

    void StyleBlock(const Item& item) {
        const std::string_view element = page_.substr(item.begin, item.end - item.begin);
        const std::size_t open = element.find('>');
        const std::size_t close = LowerAscii(element).rfind("</style");
        if (open == std::string_view::npos || close == std::string::npos || close <= open) return;
        const std::string_view css = element.substr(open + 1, close - open - 1);
        const std::string rewritten = RewriteCssReferences(css, [&](const CssReference& reference) {
            return rewrite_(PageReference{
                reference.import ? PageReferenceKind::StyleImport : PageReferenceKind::StyleUrl,
                reference.url});
        });
        if (rewritten != css) {
            edits_.push_back(Edit{item.begin + open + 1, item.begin + close, rewritten});
        }
    }

    std::string_view page_;
    const PageReferenceRewrite& rewrite_;
    std::vector<Edit> edits_;
};

}  // namespace

std::string RewritePageReferences(std::string_view page, const PageReferenceRewrite& rewrite) {
    return PageRewriter(page, rewrite).Run();
}

std::vector<PageReference> FindPageReferences(std::string_view page) {
    std::vector<PageReference> found;
    RewritePageReferences(page, [&](const PageReference& reference) {
        found.push_back(reference);
        return std::optional<std::string>();
    });
    return found;
}

TagReferences QuickTagReferences(std::string_view page) {
    // Tag and attribute names are lower case in a normalised page; values and style texts
    // are looked at in their usual spellings.
    static constexpr std::string_view kOther[] = {"<style", "../",   "=\"..\"",    "url(", "URL(",
                                                  "Url(",   "file:", "FILE:",      "=\"/", "='/",
                                                  "= \"/",  "= '/",  "background="};
    TagReferences found;
    for (std::size_t at = page.find('<'); at != std::string_view::npos;
         at = page.find('<', at + 1)) {
        const std::size_t end = page.find('>', at);
        if (end == std::string_view::npos) break;
        const std::string_view tag = page.substr(at, end + 1 - at);
        if (tag.starts_with("</") || tag.starts_with("<!")) continue;  // no reference there
        // Each token holds one of these; most tags hold none (a "/" only to close them).
        if (!found.otherReferences &&
            (tag.find_first_of("(:") != std::string_view::npos || tag.find('/') + 2 < tag.size() ||
             tag.starts_with("<style") || tag.find("background=") != std::string_view::npos)) {
            for (const std::string_view token : kOther)
                found.otherReferences =
                    found.otherReferences || tag.find(token) != std::string_view::npos;
        }
        const bool picture = tag.starts_with("<img") && tag.size() > 4 && !IsNameByte(tag[4]);
        const bool link = tag.starts_with("<link") && tag.size() > 5 && !IsNameByte(tag[5]) &&
                          IsStylesheetLink(tag);
        if (!picture && !link) continue;
        const std::optional<ValueSpan> value = FindValue(tag, picture ? "src" : "href");
        if (!value || value->end == value->begin) continue;
        (picture ? found.pictures : found.stylesheets)
            .push_back(DecodeEntities(tag.substr(value->begin, value->end - value->begin)));
    }
    return found;
}

std::string RemoveStylesheetLinks(std::string_view page) {
    std::vector<Edit> edits;
    for (const Item& item : markup::Scan(page)) {
        if (item.kind == ItemKind::StartTag && item.name == "link" &&
            IsStylesheetLink(page.substr(item.begin, item.end - item.begin)))
            edits.push_back(Edit{item.begin, item.end, {}});
    }
    return markup::ApplyEdits(page, std::move(edits));
}

std::string AddStylesheetLink(std::string_view page, std::string_view href) {
    const std::string link =
        "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + AttributeText(href) + "\"/>";
    const std::string lower = LowerAscii(page);
    // The tag named, not a longer name starting alike ("<header" is not "<head").
    const auto findTag = [&](std::string_view start) {
        std::size_t at = lower.find(start);
        while (at != std::string::npos && at + start.size() < lower.size() &&
               std::string_view(" \t\r\n>/").find(lower[at + start.size()]) ==
                   std::string_view::npos)
            at = lower.find(start, at + 1);
        return at;
    };
    std::size_t at = findTag("</head");
    for (const std::string_view start : {"<head", "<html"}) {
        if (at != std::string::npos) break;
        const std::size_t tag = findTag(start);
        const std::size_t end = tag == std::string::npos ? tag : lower.find('>', tag);
        if (end != std::string::npos) at = end + 1;
    }
    if (at == std::string::npos) at = 0;
    std::string out(page.substr(0, at));
    out += link;
    out.append(page.substr(at));
    return out;
}

}  // namespace quillery
