// Anchors readers can target (see chapter_anchors.h).

#include "workflow/chapter_anchors.h"

#include <string>
#include <string_view>

#include "htmlimport/markup_scan.h"

namespace quillery {

namespace {

// The value of the attribute named lowerName in a tag, quotes removed; empty when absent.
std::string ValueOf(std::string_view tag, const markup::Attribute& attribute) {
    std::string_view text = tag.substr(attribute.begin, attribute.end - attribute.begin);
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return {};
    text.remove_prefix(equals + 1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n'))
        text.remove_prefix(1);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}

bool HasId(std::string_view page, const std::string& id) {
    return page.find("id=\"" + id + "\"") != std::string_view::npos ||
           page.find("id='" + id + "'") != std::string_view::npos;
}

// Gives each <a name="x"> without an id the id "x", unless another element holds that id.
void IdsForNamedAnchors(std::string& page) {
    std::vector<markup::Edit> edits;
    for (const markup::Item& item : markup::Scan(page)) {
        if (item.kind != markup::ItemKind::StartTag || item.name != "a") continue;
        const std::string_view tag =
            std::string_view(page).substr(item.begin, item.end - item.begin);
        std::string name;
        bool hasId = false;
        for (const markup::Attribute& attribute : markup::Attributes(tag)) {
            if (attribute.name == "name") name = ValueOf(tag, attribute);
            if (attribute.name == "id") hasId = true;
        }
        // Only names that are safe as an attribute value and not an id already.
        if (hasId || name.empty() || name.find_first_of("\"<>&") != std::string::npos ||
            HasId(page, name))
            continue;
        // Before the tag's closing ">" or "/>", so that the tag still opens `<a name="`.
        const std::size_t at = item.end - (item.selfClosing ? 2 : 1);
        edits.push_back({at, at, " id=\"" + name + "\""});
    }
    if (!edits.empty()) page = markup::ApplyEdits(page, std::move(edits));
}

bool HasAnchorNamed(std::string_view page, const std::string& name) {
    return HasId(page, name) || page.find("name=\"" + name + "\"") != std::string_view::npos;
}

// The "toc" anchor right after the body start tag (at the start when there is none).
void EnsureTocAnchor(std::string& page) {
    if (HasAnchorNamed(page, "toc")) return;
    std::size_t at = 0;
    for (const markup::Item& item : markup::Scan(page)) {
        if (item.kind == markup::ItemKind::StartTag && item.name == "body") {
            at = item.end;
            break;
        }
    }
    page.insert(at, "<a id=\"toc\"></a>");
}

}  // namespace

void AddTargetableAnchors(Book& book) {
    for (Chapter& chapter : book.chapters) {
        if (chapter.content.find("name=") != std::string::npos) IdsForNamedAnchors(chapter.content);
    }
    if (book.chapters.size() == 1) EnsureTocAnchor(book.chapters[0].content);
}

}  // namespace quillery
