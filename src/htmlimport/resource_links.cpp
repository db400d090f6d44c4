// Connecting chapter files to the resources they refer to (see resource_links.h).

#include "htmlimport/resource_links.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "htmlimport/element_cleaner.h"
#include "htmlimport/markup_scan.h"
#include "text/percent_decoding.h"
#include "text/regex.h"
#include "text/strings.h"

namespace quillery {

namespace {

// The tags of one pattern in one page. Collected first, so that nothing else uses the shared
// pattern engine while its matches are walked.
std::vector<std::string> TagsOf(std::string_view page, std::string_view pattern) {
    TLxRegEx& rx = SharedRegex();
    rx.SetPattern(pattern);
    rx.SetSubject(page);
    std::vector<std::string> tags;
    while (rx.MatchNext()) tags.push_back(rx.MatchedText());
    return tags;
}

std::string TrimSpaces(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// The local, chapter-folder-relative form of a reference, or nothing when the reference is a
// web address, an absolute path, or leaves the chapter folder.
std::optional<std::string> LocalResourcePath(std::string value) {
    // A double quote or angle bracket only gets into a value from malformed markup (a link
    // whose href is not the ".css" reference); listed, it would break the package's XML.
    if (value.find_first_of("\"<>") != std::string::npos) return std::nullopt;
    value = DecodeEntities(value);
    // The fragment and query go before the decoding: an encoded "%23" is part of the name.
    const std::size_t fragment = value.find_first_of("#?");
    if (fragment != std::string::npos) value.resize(fragment);
    // Every %XX is one byte of the name (a "\" is an ordinary character of a Linux name).
    value = TrimSpaces(PercentDecode(value));
    if (value.empty() || value.starts_with("/")) return std::nullopt;  // nothing, or absolute
    if (value.find(':') != std::string::npos) return std::nullopt;     // web address, drive path
    if (value == ".." || value.starts_with("../") || value.find("/../") != std::string::npos ||
        value.ends_with("/.."))
        return std::nullopt;  // outside the folder
    return value;
}

// Names differing only in letter case are different files on a case-sensitive disk: both
// are listed.
void AddOnce(std::vector<std::string>& list, const std::string& path) {
    if (std::find(list.begin(), list.end(), path) == list.end()) list.push_back(path);
}

// The value of the attribute named exactly lowerName (so "data-src" is not "src"), quotes
// removed; nothing when the tag has no such attribute with a value.
std::optional<std::string> AttributeValue(std::string_view tag, std::string_view lowerName) {
    for (const markup::Attribute& attribute : markup::Attributes(tag)) {
        if (attribute.name != lowerName) continue;
        std::string_view text = tag.substr(attribute.begin, attribute.end - attribute.begin);
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        text.remove_prefix(equals + 1);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                 text.front() == '\n' || text.front() == '\r'))
            text.remove_prefix(1);
        if (!text.empty() && (text.front() == '"' || text.front() == '\'')) {
            const char quote = text.front();
            text.remove_prefix(1);
            if (text.empty() || text.back() != quote) return std::nullopt;  // never closed
            text.remove_suffix(1);
        }
        return std::string(text);
    }
    return std::nullopt;
}

// The src value of an img tag, when it is not empty.
std::optional<std::string> ImageSource(std::string_view tag) {
    std::optional<std::string> src = AttributeValue(tag, "src");
    if (!src || src->empty()) return std::nullopt;
    return src;
}

// The href value of a link tag up to and including its ".css", as the page writes it (the
// name the chapters use is the name the stylesheet is packaged under).
std::optional<std::string> StylesheetHref(std::string_view tag) {
    std::optional<std::string> href = AttributeValue(tag, "href");
    if (!href) return std::nullopt;
    const std::size_t css = LowerAscii(*href).find(".css");
    if (css == std::string::npos) return std::nullopt;
    return href->substr(0, css + 4);
}

// The names of the same-file links href="#NAME" of a page (the text up to the next double
// quote), in order of appearance.
std::vector<std::string> SameFileLinkTargets(std::string_view page) {
    static constexpr std::string_view kLinkStart = "href=\"#";
    std::vector<std::string> targets;
    std::size_t at = page.find(kLinkStart);
    while (at != std::string_view::npos) {
        const std::size_t nameStart = at + kLinkStart.size();
        const std::size_t quote = page.find('"', nameStart);
        if (quote == std::string_view::npos) break;
        targets.emplace_back(page.substr(nameStart, quote - nameStart));
        at = page.find(kLinkStart, nameStart);
    }
    return targets;
}

template <typename ValueOf>
void CollectPageReferences(std::string_view page, std::string_view tagPattern, ValueOf valueOf,
                           bool skipExactRepeat, std::vector<std::string>& list) {
    for (const std::string& tag : TagsOf(page, tagPattern)) {
        std::optional<std::string> value = valueOf(tag);
        if (!value) continue;
        if (skipExactRepeat && std::find(list.begin(), list.end(), *value) != list.end()) continue;
        if (std::optional<std::string> path = LocalResourcePath(std::move(*value)))
            AddOnce(list, *path);
    }
}

}  // namespace

void CollectPageImages(std::string_view page, std::vector<std::string>& list) {
    CollectPageReferences(page, "<img[^>]+>", ImageSource, false, list);
}

void CollectPageStylesheets(std::string_view page, std::vector<std::string>& list) {
    CollectPageReferences(page, "<link[^>]+>", StylesheetHref, true, list);
}

void RepairAnchorLinks(Book& book) {
    std::vector<Chapter>& chapters = book.chapters;
    const std::size_t count = chapters.size();
    // Which chapters hold a same-file link to which name: a book split into many parts with
    // thousands of anchors is then not searched once per name and part.
    std::unordered_map<std::string, std::vector<std::size_t>> linkingChapters;
    for (std::size_t j = 0; j < count; ++j) {
        for (std::string& target : SameFileLinkTargets(chapters[j].content)) {
            std::vector<std::size_t>& linking = linkingChapters[std::move(target)];
            if (linking.empty() || linking.back() != j) linking.push_back(j);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        // The anchor names defined in chapter i's body, in order (a name found twice is
        // listed twice; the second time there is nothing left to replace).
        std::vector<std::string> names;
        TLxRegEx& rx = SharedRegex();
        rx.SetPattern(R"rx((?<=name=)"?[^"\>]+)rx");
        for (std::string name : rx.MatchAll(ExtractBody(chapters[i].content))) {
            if (name.starts_with('"')) name.erase(0, 1);
            names.push_back(std::move(name));
        }
        for (const std::string& name : names) {
            const auto linking = linkingChapters.find(name);
            if (linking == linkingChapters.end()) continue;
            const std::string sameFileLink = "href=\"#" + name + "\"";
            const std::string crossFileLink = "href=\"" + chapters[i].file + "#" + name + "\"";
            for (const std::size_t j : linking->second) {
                chapters[j].content = ReplaceAll(chapters[j].content, sameFileLink, crossFileLink);
            }
            linkingChapters.erase(linking);  // every such link now names the file
        }
    }
}

}  // namespace quillery
