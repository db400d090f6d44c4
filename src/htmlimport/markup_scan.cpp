// A flat scan of the markup of a page for the element removal (see markup_scan.h).

#include "htmlimport/markup_scan.h"

#include <algorithm>

#include "text/regex.h"
#include "text/strings.h"

namespace quillery::markup {

namespace {

// Comments and CDATA first, so that markup inside them is never seen; then whole script and
// style elements, whose raw text may hold anything up to their end tag; then any tag.
constexpr std::string_view kMarkupPattern =
    R"(<!--.*?-->|<!\[CDATA\[.*?\]\]>|<script\b[^>]*/>|<script\b[^>]*>.*?</script\s*>)"
    R"(|<style\b[^>]*>.*?</style\s*>|</?[a-z][^>]*>)";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string TagName(std::string_view text, std::size_t from) {
    std::size_t to = from;
    while (to < text.size() && !IsSpace(text[to]) && text[to] != '/' && text[to] != '>') ++to;
    return LowerAscii(text.substr(from, to - from));
}

Item Classify(std::string_view text, std::size_t begin) {
    Item item{ItemKind::StartTag, begin, begin + text.size(), {}, false};
    const std::string head = LowerAscii(text.substr(0, 9));
    if (head.starts_with("<!--") || head.starts_with("<![cdata[")) {
        item.kind = ItemKind::Opaque;
        return item;
    }
    if (text.size() > 1 && text[1] == '/') {
        item.kind = ItemKind::EndTag;
        item.name = TagName(text, 2);
        return item;
    }
    item.name = TagName(text, 1);
    item.selfClosing = text.size() >= 2 && text[text.size() - 2] == '/';
    const bool wholeElement = text.find('>') + 1 < text.size();
    if ((item.name == "script" || item.name == "style") && (wholeElement || item.selfClosing)) {
        item.kind = ItemKind::RawElement;
    }
    return item;
}

}  // namespace

std::vector<Item> Scan(std::string_view html) {
    std::vector<Item> items;
    TLxRegEx& rx = SharedRegex();
    rx.SetPattern(kMarkupPattern);
    rx.SetSubject(html);
    while (rx.MatchNext()) {
        const std::size_t begin = static_cast<std::size_t>(rx.MatchStart() - 1);
        const std::size_t length = static_cast<std::size_t>(rx.MatchLength());
        items.push_back(Classify(html.substr(begin, length), begin));
    }
    return items;
}

std::vector<Attribute> Attributes(std::string_view tag) {
    std::vector<Attribute> attributes;
    std::size_t i = 1;
    if (i < tag.size() && tag[i] == '/') ++i;
    while (i < tag.size() && !IsSpace(tag[i]) && tag[i] != '/' && tag[i] != '>') ++i;  // name
    for (;;) {
        const std::size_t begin = i;
        while (i < tag.size() && (IsSpace(tag[i]) || tag[i] == '/')) ++i;
        if (i >= tag.size() || tag[i] == '>') break;
        const std::size_t nameStart = i;
        while (i < tag.size() && !IsSpace(tag[i]) && tag[i] != '/' && tag[i] != '>' &&
               tag[i] != '=')
            ++i;
        Attribute attribute{begin, i, LowerAscii(tag.substr(nameStart, i - nameStart))};
        std::size_t j = i;
        while (j < tag.size() && IsSpace(tag[j])) ++j;
        if (j < tag.size() && tag[j] == '=') {
            ++j;
            while (j < tag.size() && IsSpace(tag[j])) ++j;
            if (j < tag.size() && (tag[j] == '"' || tag[j] == '\'')) {
                const std::size_t close = tag.find(tag[j], j + 1);
                j = close == std::string_view::npos ? tag.size() - 1 : close + 1;
            } else {
                while (j < tag.size() && !IsSpace(tag[j]) && tag[j] != '>') ++j;
            }
            i = j;
            attribute.end = i;
        }
        if (i == nameStart) ++i;  // a stray byte such as a lone "=": step over it
        attributes.push_back(attribute);
    }
    return attributes;
}

bool HasAttribute(std::string_view tag, std::string_view lowerName) {
    const std::vector<Attribute> attributes = Attributes(tag);
    return std::any_of(attributes.begin(), attributes.end(),
                       [&](const Attribute& a) { return a.name == lowerName; });
}

std::string ApplyEdits(std::string_view html, std::vector<Edit> edits) {
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.end > b.end;
    });
    std::string out;
    out.reserve(html.size());
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        if (edit.begin < copied) continue;  // lies inside an edit already applied
        out.append(html.substr(copied, edit.begin - copied));
        out.append(edit.replacement);
        copied = edit.end;
    }
    out.append(html.substr(copied));
    return out;
}

}  // namespace quillery::markup
