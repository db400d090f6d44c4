// Obsolete presentational HTML as modern elements and CSS (see presentational_markup.h).

#include "epub/presentational_markup.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace quillery::epub {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

// "120" as "120px"; "50%" stays; anything else as written.
std::string CssLength(const std::string& value) { return AllDigits(value) ? value + "px" : value; }

// A length attribute value is valid HTML only as a plain non-negative integer.
bool ValidDimension(const std::string& value) { return AllDigits(value); }

std::string FontSize(const std::string& size) {
    static const char* kSizes[] = {"x-small", "small",    "medium",  "large",
                                   "x-large", "xx-large", "xx-large"};
    if (size.empty()) return {};
    if (size[0] == '+') return "larger";
    if (size[0] == '-') return "smaller";
    if (AllDigits(size)) {
        const int n = std::clamp(std::stoi(size.substr(0, 2)), 1, 7);
        return kSizes[n - 1];
    }
    return {};
}

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

// Moves one attribute into the style declarations when present.
void Take(Attributes& attributes, const std::string& attribute, std::string& style,
          const auto& declaration) {
    const std::string* value = FindAttribute(attributes, attribute);
    if (!value) return;
    const std::string css = declaration(*value);
    if (!css.empty()) style += css + "; ";
    RemoveAttribute(attributes, attribute);
}

void RenameObsoleteElement(ElementMarkup& e, std::string& style) {
    static const std::map<std::string, std::pair<const char*, const char*>> kRenames = {
        {"center", {"div", "text-align: center"}},
        {"tt", {"span", "font-family: monospace"}},
        {"big", {"span", "font-size: larger"}},
        {"strike", {"s", ""}},
        {"acronym", {"abbr", ""}},
        {"dir", {"ul", ""}},
        {"menu", {"ul", ""}},
        {"nobr", {"span", "white-space: nowrap"}},
        {"blink", {"span", ""}},
        {"marquee", {"div", ""}},
        {"listing", {"pre", ""}},
        {"xmp", {"pre", ""}},
        {"plaintext", {"pre", ""}},
        {"font", {"span", ""}},
    };
    const auto it = kRenames.find(e.name);
    if (it == kRenames.end()) return;
    if (e.name == "font") {
        Take(e.attributes, "face", style, [](const std::string& v) { return "font-family: " + v; });
        Take(e.attributes, "color", style, [](const std::string& v) { return "color: " + v; });
        Take(e.attributes, "size", style, [](const std::string& v) {
            const std::string size = FontSize(v);
            return size.empty() ? size : "font-size: " + size;
        });
    }
    e.name = it->second.first;
    if (*it->second.second) style += std::string(it->second.second) + "; ";
}

std::string AlignDeclaration(const std::string& element, const std::string& value) {
    const std::string v = Lower(value);
    if (element == "img" || element == "object" || element == "iframe" || element == "embed") {
        if (v == "left" || v == "right") return "float: " + v;
        if (v == "middle" || v == "absmiddle") return "vertical-align: middle";
        if (v == "top" || v == "bottom") return "vertical-align: " + v;
        return {};
    }
    if (element == "table") {
        if (v == "center") return "margin-left: auto; margin-right: auto";
        if (v == "left" || v == "right") return "float: " + v;
        return {};
    }
    if (element == "caption" || element == "legend") return {};
    if (v == "left" || v == "right" || v == "center" || v == "justify") return "text-align: " + v;
    if (v == "middle") return "text-align: center";
    return {};
}

}  // namespace

const std::string* FindAttribute(const Attributes& attributes, const std::string& name) {
    for (const auto& [n, v] : attributes)
        if (n == name) return &v;
    return nullptr;
}

void SetAttribute(Attributes& attributes, const std::string& name, std::string value) {
    for (auto& [n, v] : attributes) {
        if (n == name) {
            v = std::move(value);
            return;
        }
    }
    attributes.emplace_back(name, std::move(value));
}

void RemoveAttribute(Attributes& attributes, const std::string& name) {
    std::erase_if(attributes, [&](const auto& a) { return a.first == name; });
}

void ModernisePresentation(ElementMarkup& e) {
    std::string style;
    RenameObsoleteElement(e, style);
    auto& a = e.attributes;
    const std::string& n = e.name;

    if (!IsOneOf(n, {"ol"}))  // ol type (1, a, A, i, I) is still HTML
        Take(a, "type", style, [&](const std::string& v) {
            if (!IsOneOf(n, {"ul", "li"})) return std::string();
            const std::string t = Lower(v);
            return t == "disc" || t == "circle" || t == "square" ? "list-style-type: " + t
                                                                 : std::string();
        });
    if (IsOneOf(n, {"ul",     "li",     "br",     "hr",    "table",    "td",   "th",  "tr",
                    "thead",  "tbody",  "tfoot",  "col",   "colgroup", "body", "img", "p",
                    "div",    "h1",     "h2",     "h3",    "h4",       "h5",   "h6",  "caption",
                    "legend", "iframe", "object", "embed", "pre"})) {
        Take(a, "align", style, [&](const std::string& v) { return AlignDeclaration(n, v); });
    }
    Take(a, "valign", style, [](const std::string& v) { return "vertical-align: " + Lower(v); });
    Take(a, "bgcolor", style, [](const std::string& v) { return "background-color: " + v; });
    Take(a, "clear", style, [](const std::string& v) {
        const std::string c = Lower(v);
        return "clear: " + (c == "all" ? std::string("both") : c);
    });
    Take(a, "nowrap", style, [](const std::string&) { return std::string("white-space: nowrap"); });
    Take(a, "cellspacing", style,
         [](const std::string& v) { return "border-spacing: " + CssLength(v); });
    if (n == "body") {
        Take(a, "text", style, [](const std::string& v) { return "color: " + v; });
        Take(a, "background", style,
             [](const std::string&) { return std::string(); });  // a picture no page lists
    }
    if (n == "hr") {
        Take(a, "size", style, [](const std::string& v) { return "height: " + CssLength(v); });
        Take(a, "noshade", style, [](const std::string&) { return std::string(); });
    }
    if (n == "img") {
        Take(a, "hspace", style, [](const std::string& v) {
            return "margin-left: " + CssLength(v) + "; margin-right: " + CssLength(v);
        });
        Take(a, "vspace", style, [](const std::string& v) {
            return "margin-top: " + CssLength(v) + "; margin-bottom: " + CssLength(v);
        });
        Take(a, "border", style, [](const std::string& v) {
            return v == "0" ? std::string() : "border: " + CssLength(v) + " solid";
        });
    }
    if (n == "table") {
        if (const std::string* border = FindAttribute(a, "border")) {
            if (*border == "0" || !ValidDimension(*border))
                RemoveAttribute(a, "border");
            else if (*border != "1")
                SetAttribute(a, "border", "1");
        }
    }
    // Widths and heights: pictures, videos and canvases keep plain integers; any other
    // element, or a percentage, is said in CSS.
    const bool keepsDimensions =
        IsOneOf(n, {"img", "video", "canvas", "iframe", "embed", "object", "input", "source"});
    for (const char* dimension : {"width", "height"}) {
        const std::string* value = FindAttribute(a, dimension);
        if (!value) continue;
        if (keepsDimensions && ValidDimension(*value)) continue;
        const std::string css =
            value->empty() ? std::string() : std::string(dimension) + ": " + CssLength(*value);
        if (!css.empty()) style += css + "; ";
        RemoveAttribute(a, dimension);
    }
    // Attributes that mean nothing to a reader any more.
    for (const char* dropped :
         {"cellpadding",  "summary",      "language",  "charset",    "rev",         "axis",
          "frame",        "rules",        "compact",   "link",       "alink",       "vlink",
          "marginwidth",  "marginheight", "topmargin", "leftmargin", "rightmargin", "bottommargin",
          "scheme",       "longdesc",     "version",   "profile",    "datasrc",     "datafld",
          "dataformatas", "char",         "charoff",   "abbr"}) {
        if (std::string(dropped) == "abbr" && n != "td") continue;
        RemoveAttribute(a, dropped);
    }
    if (n != "form" && n != "iframe" && n != "object" && n != "map" && n != "input" &&
        n != "button" && n != "select" && n != "textarea" && n != "fieldset" && n != "output" &&
        n != "meta" && n != "param" && n != "slot") {
        RemoveAttribute(a, "name");  // an anchor's name has become its id before this
    }

    if (style.empty()) return;
    style.erase(style.size() - 2);  // the last "; "
    if (const std::string* old = FindAttribute(a, "style"); old && !old->empty()) {
        std::string merged = *old;
        while (!merged.empty() && (merged.back() == ' ' || merged.back() == ';')) merged.pop_back();
        SetAttribute(a, "style", merged + "; " + style);
    } else {
        SetAttribute(a, "style", style);
    }
}

}  // namespace quillery::epub
