// "Remove HTML Elements" (see element_removal.h).

#include "htmlimport/element_removal.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "htmlimport/markup_scan.h"

namespace quillery {

namespace {

using markup::Edit;
using markup::Item;
using markup::ItemKind;

struct RemovalKinds {
    std::set<std::string, std::less<>> withContent;  // element and everything inside it
    std::set<std::string, std::less<>> tagOnly;      // the tags alone (void elements, form)
    bool scripts = false;                            // whole script elements
};

RemovalKinds KindsFor(const RemoveElementOptions& options) {
    RemovalKinds kinds;
    // What a reader without scripts or players should read stays: the text of <noscript> and
    // the fallback text inside media elements lose only their tags.
    if (options.scripts) {
        kinds.scripts = true;
        kinds.withContent.insert("script");
        kinds.tagOnly.insert("noscript");
    }
    if (options.media) {
        kinds.tagOnly.insert(
            {"audio", "video", "object", "iframe", "embed", "source", "track", "param"});
    }
    if (options.forms) {
        kinds.withContent.insert({"select", "textarea", "button"});
        kinds.tagOnly.insert({"input", "form"});
    }
    if (options.images) kinds.tagOnly.insert("img");
    return kinds;
}

Edit Cut(std::size_t begin, std::size_t end) { return Edit{begin, end, {}}; }
Edit Cut(const Item& item) { return Cut(item.begin, item.end); }

// Removes the chosen elements. Elements removed with their content are matched with their
// own end tag, nesting honoured; while such an element is open, whatever else would be
// removed inside it is kept "pending" and only cut on its own if the element never closes.
std::vector<Edit> ElementEdits(const std::vector<Item>& items, const RemovalKinds& kinds) {
    struct Open {
        std::string name;
        std::size_t begin;
        std::size_t tagEnd;
    };
    std::vector<Open> open;
    std::vector<Edit> edits;
    std::vector<Edit> pending;
    auto removeAlone = [&](Edit edit) {
        (open.empty() ? edits : pending).push_back(std::move(edit));
    };

    for (const Item& item : items) {
        switch (item.kind) {
            case ItemKind::Opaque:
                break;
            case ItemKind::RawElement:
                if (item.name == "script" && kinds.scripts) removeAlone(Cut(item));
                break;
            case ItemKind::StartTag:
                if (kinds.withContent.contains(item.name)) {
                    if (item.selfClosing) {
                        removeAlone(Cut(item));
                    } else {
                        open.push_back({item.name, item.begin, item.end});
                    }
                } else if (kinds.tagOnly.contains(item.name)) {
                    removeAlone(Cut(item));
                }
                break;
            case ItemKind::EndTag:
                if (kinds.withContent.contains(item.name)) {
                    const auto match = std::find_if(open.rbegin(), open.rend(), [&](const Open& o) {
                        return o.name == item.name;
                    });
                    if (match == open.rend()) {
                        removeAlone(Cut(item));  // a stray end tag
                        break;
                    }
                    const Edit whole = Cut(match->begin, item.end);
                    open.erase(std::prev(match.base()), open.end());
                    if (open.empty()) {
                        edits.push_back(whole);
                        pending.clear();  // all of it lay inside the element just removed
                    } else {
                        pending.push_back(whole);
                    }
                } else if (kinds.tagOnly.contains(item.name)) {
                    removeAlone(Cut(item));
                }
                break;
        }
    }
    // Elements that never close lose their start tags; what lay inside them is judged alone.
    for (const Open& o : open) edits.push_back(Cut(o.begin, o.tagEnd));
    edits.insert(edits.end(), pending.begin(), pending.end());
    return edits;
}

// The a start tag without its href attribute (used when the tag is also an anchor target).
std::string WithoutHref(std::string_view tag) {
    std::vector<Edit> edits;
    for (const markup::Attribute& a : markup::Attributes(tag)) {
        if (a.name == "href") edits.push_back(Cut(a.begin, a.end));
    }
    return markup::ApplyEdits(tag, std::move(edits));
}

// Links: an a tag with href goes with its end tag, the link text stays; an a tag that is also
// an anchor target (name or id) keeps the tag and loses only the href.
std::vector<Edit> LinkEdits(std::string_view html, const std::vector<Item>& items) {
    std::vector<Edit> edits;
    bool openLinkRemoved = false;
    for (const Item& item : items) {
        if (item.name != "a") continue;
        if (item.kind == ItemKind::StartTag) {
            const std::string_view tag = html.substr(item.begin, item.end - item.begin);
            openLinkRemoved = false;
            if (!markup::HasAttribute(tag, "href")) continue;
            if (markup::HasAttribute(tag, "name") || markup::HasAttribute(tag, "id")) {
                edits.push_back(Edit{item.begin, item.end, WithoutHref(tag)});
            } else {
                edits.push_back(Cut(item));
                openLinkRemoved = !item.selfClosing;
            }
        } else if (item.kind == ItemKind::EndTag) {
            if (openLinkRemoved) edits.push_back(Cut(item));
            openLinkRemoved = false;
        }
    }
    return edits;
}

}  // namespace

void RemoveHtmlElements(std::string& html, const RemoveElementOptions& options) {
    if (!options.enabled) return;
    const RemovalKinds kinds = KindsFor(options);
    if (kinds.scripts || !kinds.withContent.empty() || !kinds.tagOnly.empty()) {
        std::vector<Edit> edits = ElementEdits(markup::Scan(html), kinds);
        if (!edits.empty()) html = markup::ApplyEdits(html, std::move(edits));
    }
    if (options.links) {
        std::vector<Edit> edits = LinkEdits(html, markup::Scan(html));
        if (!edits.empty()) html = markup::ApplyEdits(html, std::move(edits));
    }
}

}  // namespace quillery
