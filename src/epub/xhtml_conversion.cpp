// HTML to XHTML: the page's tree from the gumbo HTML5 parser, or for a simple page the same
// tree built directly (simple_page_tree.h), written by one serializer (see xhtml_conversion.h).

#include "epub/xhtml_conversion.h"

#include <gumbo.h>

#include <cctype>
#include <cstring>
#include <unordered_set>

#include "epub/parser_arena.h"
#include "epub/presentational_markup.h"
#include "epub/simple_page_tree.h"
#include "text/css_references.h"

namespace quillery::epub {

namespace {

constexpr const char* kXhtmlNamespace = "http://www.w3.org/1999/xhtml";

bool IsVoid(const std::string& name) {
    static const std::unordered_set<std::string> kVoid = {
        "area", "base",  "br",     "col",   "embed", "hr",     "img",      "input",   "link",
        "meta", "param", "source", "track", "wbr",   "keygen", "basefont", "bgsound", "frame"};
    return kVoid.count(name) > 0;
}

// Attributes whose value is a URL the package may have to rewrite.
bool IsUrlAttribute(const std::string& element, const std::string& attribute) {
    if (attribute == "href" || attribute == "xlink:href") return true;
    if (attribute == "src") return true;
    if (attribute == "poster" && element == "video") return true;
    if (attribute == "data" && element == "object") return true;
    return false;
}

// True for a name XML accepts as an element or attribute name (ASCII subset, which is all
// HTML has); other attribute "names" a tag-soup page produces are dropped.
bool IsXmlName(const std::string& name) {
    if (name.empty()) return false;
    const auto start = [](unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; };
    if (!start(static_cast<unsigned char>(name[0]))) return false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (!(start(c) || std::isdigit(c) || c == '-' || c == '.' || c == ':')) return false;
    }
    return true;
}

// Appends text with the characters XML reserves escaped ('"' only in attribute values) and
// the control characters XML forbids (all but tab, line feed and carriage return) left out;
// the runs between them are copied whole.
void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::string_view replacement;
        if (c == '&') {
            replacement = "&amp;";
        } else if (c == '<') {
            replacement = "&lt;";
        } else if (c == '>') {
            replacement = "&gt;";
        } else if (c == '"' && attribute) {
            replacement = "&quot;";
        } else if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r') {
            continue;
        }
        out.append(text, run, i - run);
        out.append(replacement);
        run = i + 1;
    }
    out.append(text, run);
}

std::string LowerAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The element's name as written: the HTML name, the SVG name in its proper case, or the
// source spelling of an unknown element (an empty name means "write the children only").
std::string ElementName(const GumboElement& e) {
    if (e.tag != GUMBO_TAG_UNKNOWN) {
        if (e.tag_namespace == GUMBO_NAMESPACE_SVG) {
            GumboStringPiece piece = e.original_tag;
            gumbo_tag_from_original_text(&piece);
            if (const char* svgName = gumbo_normalize_svg_tagname(&piece)) return svgName;
        }
        return gumbo_normalized_tagname(e.tag);
    }
    GumboStringPiece piece = e.original_tag;
    gumbo_tag_from_original_text(&piece);
    std::string name(piece.data ? piece.data : "", piece.data ? piece.length : 0);
    if (e.tag_namespace == GUMBO_NAMESPACE_SVG) {
        if (const char* svgName = gumbo_normalize_svg_tagname(&piece)) return svgName;
        return name;
    }
    if (e.tag_namespace == GUMBO_NAMESPACE_MATHML) return LowerAscii(name);
    return {};  // an element HTML does not know (Word's <o:p>, a typo): its content stays
}

class Serializer {
public:
    Serializer(const XhtmlOptions& options, XhtmlDocument& doc) : options_(options), doc_(doc) {}

    void CollectIds(const GumboNode* node) {
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) return;
        if (const GumboAttribute* id = gumbo_get_attribute(&node->v.element.attributes, "id"))
            pageIds_.insert(id->value);
        for (unsigned i = 0; i < node->v.element.children.length; ++i)
            CollectIds(static_cast<const GumboNode*>(node->v.element.children.data[i]));
    }

    void WriteDocument(const GumboNode* html) {
        out_ += "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html>\n";
        std::string lang;
        if (const GumboAttribute* a = gumbo_get_attribute(&html->v.element.attributes, "lang"))
            lang = a->value;
        if (const GumboAttribute* a = gumbo_get_attribute(&html->v.element.attributes, "xml:lang");
            a && lang.empty())
            lang = a->value;
        if (lang.empty()) lang = options_.language;
        out_ += "<html xmlns=\"";
        out_ += kXhtmlNamespace;
        out_ += "\" xmlns:epub=\"http://www.idpf.org/2007/ops\"";
        if (!lang.empty()) {
            out_ += " lang=\"";
            AppendEscaped(out_, lang, true);
            out_ += "\" xml:lang=\"";
            AppendEscaped(out_, lang, true);
            out_ += "\"";
        }
        out_ += ">\n";
        for (unsigned i = 0; i < html->v.element.children.length; ++i) {
            const auto* child = static_cast<const GumboNode*>(html->v.element.children.data[i]);
            if (child->type != GUMBO_NODE_ELEMENT) continue;
            if (child->v.element.tag == GUMBO_TAG_HEAD)
                WriteHead(child);
            else
                WriteNode(child);
            out_ += "\n";
        }
        out_ += "</html>\n";
    }

    // The XHTML is about as long as the page; room for it up front spares the regrowth.
    void Reserve(std::size_t pageSize) { out_.reserve(pageSize + pageSize / 8 + 512); }

    std::string Take() { return std::move(out_); }

private:
    void WriteHead(const GumboNode* head) {
        out_ += "<head>\n";
        bool titled = false;
        for (unsigned i = 0; i < head->v.element.children.length; ++i) {
            const auto* child = static_cast<const GumboNode*>(head->v.element.children.data[i]);
            if (child->type != GUMBO_NODE_ELEMENT) continue;
            const GumboElement& e = child->v.element;
            // The encoding is said by the XML declaration; a base would redirect every link.
            if (e.tag == GUMBO_TAG_BASE) continue;
            if (e.tag == GUMBO_TAG_META && (gumbo_get_attribute(&e.attributes, "http-equiv") ||
                                            gumbo_get_attribute(&e.attributes, "charset")))
                continue;
            if (e.tag == GUMBO_TAG_TITLE) {
                if (titled || TextOf(child).find_first_not_of(" \t\r\n") == std::string::npos)
                    continue;
                titled = true;
            }
            WriteNode(child);
            out_ += "\n";
        }
        if (!titled) {
            out_ += "<title>";
            AppendEscaped(out_, options_.fallbackTitle.empty() ? "Chapter" : options_.fallbackTitle,
                          false);
            out_ += "</title>\n";
        }
        out_ += "</head>";
    }

    static std::string TextOf(const GumboNode* node) {
        std::string text;
        for (unsigned i = 0; i < node->v.element.children.length; ++i) {
            const auto* c = static_cast<const GumboNode*>(node->v.element.children.data[i]);
            if (c->type == GUMBO_NODE_TEXT || c->type == GUMBO_NODE_WHITESPACE)
                text += c->v.text.text;
        }
        return text;
    }

    void WriteChildren(const GumboNode* node) {
        // A style element's pictures and imports follow their files as links do.
        const bool style = node->type == GUMBO_NODE_ELEMENT &&
                           node->v.element.tag == GUMBO_TAG_STYLE && options_.rewriteUrl;
        for (unsigned i = 0; i < node->v.element.children.length; ++i) {
            const auto* child = static_cast<const GumboNode*>(node->v.element.children.data[i]);
            if (style && child->type == GUMBO_NODE_TEXT) {
                AppendEscaped(out_, RewriteStyleUrls(child->v.text.text), false);
            } else {
                WriteNode(child);
            }
        }
    }

    // The url(...) and @import references of a style text rewritten for the ePub; one to a
    // file the package does not hold is removed.
    std::string RewriteStyleUrls(std::string_view css) const {
        return RewriteCssReferences(
            css,
            [&](const CssReference& r) {
                return std::optional<std::string>(options_.rewriteUrl(r.url));
            },
            '\'');
    }

    void WriteNode(const GumboNode* node) {
        switch (node->type) {
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_WHITESPACE:
            case GUMBO_NODE_CDATA:
                AppendEscaped(out_, node->v.text.text, false);
                return;
            case GUMBO_NODE_COMMENT:
            case GUMBO_NODE_DOCUMENT:
                return;
            case GUMBO_NODE_ELEMENT:
            case GUMBO_NODE_TEMPLATE:
                WriteElement(node);
                return;
        }
    }

    Attributes AttributesOf(const GumboElement& e, const std::string& name) {
        Attributes attributes;
        for (unsigned i = 0; i < e.attributes.length; ++i) {
            const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
            std::string attr = a->name;
            if (a->attr_namespace == GUMBO_ATTR_NAMESPACE_XLINK) attr = "xlink:" + attr;
            if (a->attr_namespace == GUMBO_ATTR_NAMESPACE_XMLNS) continue;
            if (attr == "xmlns" || attr.starts_with("xmlns:")) continue;
            if (!IsXmlName(attr)) continue;
            // Prefixed names from office programs (o:, v:, w:) have no namespace here.
            if (attr.find(':') != std::string::npos && attr != "xml:lang" && attr != "xml:space" &&
                !attr.starts_with("xlink:") && attr != "epub:type")
                continue;
            std::string value = a->value;
            if (options_.rewriteUrl && attr == "style") value = RewriteStyleUrls(value);
            if (options_.rewriteUrl && IsUrlAttribute(name, attr)) {
                value = options_.rewriteUrl(value);
                // A reference to a file the package does not hold: a picture, stylesheet
                // or embedded object is left out, a link keeps its text without the link.
                if (value.empty() && *a->value) {
                    if (name != "a" && name != "area") missingTarget_ = true;
                    continue;
                }
            }
            attributes.emplace_back(std::move(attr), std::move(value));
        }
        return attributes;
    }

    // One id per value in the document: an anchor's name becomes its id when no element has
    // that id already; a repeated or blank id is dropped, spaces in an id become "_".
    void SettleIds(ElementMarkup& markup) {
        if (markup.name == "a" || markup.name == "img") {
            const std::string* name = FindAttribute(markup.attributes, "name");
            if (name && !name->empty() && !FindAttribute(markup.attributes, "id") &&
                !pageIds_.count(*name) && !writtenIds_.count(*name)) {
                SetAttribute(markup.attributes, "id", *name);
            }
        }
        const std::string* id = FindAttribute(markup.attributes, "id");
        if (!id) return;
        std::string value = *id;
        for (char& c : value)
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') c = '_';
        if (value.empty() || !writtenIds_.insert(value).second) {
            RemoveAttribute(markup.attributes, "id");
            return;
        }
        SetAttribute(markup.attributes, "id", value);
    }

    void WriteElement(const GumboNode* node) {
        const GumboElement& e = node->v.element;
        ElementMarkup markup{ElementName(e), {}};
        if (markup.name.empty() || markup.name == "noscript") {
            WriteChildren(node);
            return;
        }
        missingTarget_ = false;
        markup.attributes = AttributesOf(e, markup.name);
        if (missingTarget_) return;
        const bool html = e.tag_namespace == GUMBO_NAMESPACE_HTML;
        SettleIds(markup);
        if (html) ModernisePresentation(markup);
        if (markup.name == "script" || markup.name == "form") doc_.scripted = true;

        out_ += '<';
        out_ += markup.name;
        if (!html && inForeign_ == 0) {
            const bool svg = e.tag_namespace == GUMBO_NAMESPACE_SVG;
            (svg ? doc_.svg : doc_.mathml) = true;
            out_ += svg ? " xmlns=\"http://www.w3.org/2000/svg\""
                        : " xmlns=\"http://www.w3.org/1998/Math/MathML\"";
            if (svg) out_ += " xmlns:xlink=\"http://www.w3.org/1999/xlink\"";
        }
        for (const auto& [attr, value] : markup.attributes) {
            out_ += ' ';
            out_ += attr;
            out_ += "=\"";
            AppendEscaped(out_, value, true);
            out_ += '"';
        }
        if (html && IsVoid(markup.name)) {
            out_ += "/>";
            return;
        }
        out_ += '>';
        if (!html) ++inForeign_;
        WriteChildren(node);
        if (!html) --inForeign_;
        out_ += "</";
        out_ += markup.name;
        out_ += '>';
    }

    const XhtmlOptions& options_;
    XhtmlDocument& doc_;
    std::string out_;
    std::unordered_set<std::string> pageIds_;
    std::unordered_set<std::string> writtenIds_;
    int inForeign_ = 0;
    bool missingTarget_ = false;  // the element being written refers to a missing file
};

void* ArenaAllocate(void* arena, std::size_t size) {
    return static_cast<ParserArena*>(arena)->Allocate(size);
}
void ArenaFree(void*, void*) {}

}  // namespace

XhtmlDocument ConvertToXhtml(std::string_view html, const XhtmlOptions& options) {
    // A byte order mark is not part of the page's text.
    if (html.starts_with("\xEF\xBB\xBF")) html.remove_prefix(3);
    // The tree lives in the arena: no gumbo_destroy_output, the next page reuses the memory.
    ParserArena& arena = ThreadParserArena();
    arena.Reset();
    XhtmlDocument doc;
    const GumboNode* root = options.alwaysParseAsHtml ? nullptr : BuildSimplePageTree(html, arena);
    if (!root) {
        arena.Reset();
        GumboOptions parserOptions = kGumboDefaultOptions;
        parserOptions.allocator = ArenaAllocate;
        parserOptions.deallocator = ArenaFree;
        parserOptions.userdata = &arena;
        root = gumbo_parse_with_options(&parserOptions, html.data(), html.size())->root;
        doc.parsedAsHtml = true;
    }
    Serializer serializer(options, doc);
    serializer.Reserve(html.size());
    serializer.CollectIds(root);
    serializer.WriteDocument(root);
    doc.text = serializer.Take();
    return doc;
}

}  // namespace quillery::epub
