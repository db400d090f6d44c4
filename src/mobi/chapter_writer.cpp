// Writes the body of one chapter into the book's text as KF7 markup (see chapter_writer.h).

#include "mobi/chapter_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "mobi/package_paths.h"
#include "text/paths.h"

namespace quillery::mobi {
namespace {

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that leave nothing in the book.
bool IsDropped(std::string_view name) {
    return IsOneOf(name, {"head",     "title",    "script", "style",  "meta",   "link",     "base",
                          "noscript", "object",   "embed",  "iframe", "frame",  "frameset", "svg",
                          "math",     "template", "input",  "select", "button", "textarea", "map",
                          "area",     "param",    "audio",  "video",  "canvas", "form"});
}

// Block elements the renderer knows, written with their own tag.
bool IsKeptBlock(std::string_view name) {
    return IsOneOf(name, {"p",          "div", "h1", "h2",      "h3",  "h4",     "h5",     "h6",
                          "blockquote", "ul",  "ol", "li",      "dl",  "dt",     "dd",     "table",
                          "tr",         "td",  "th", "caption", "pre", "center", "address"});
}

// Inline elements the renderer knows, written with their own tag.
bool IsKeptInline(std::string_view name) {
    return IsOneOf(name, {"b",   "strong", "i",   "em",   "u",     "s",    "strike", "del",
                          "ins", "sub",    "sup", "big",  "small", "cite", "q",      "dfn",
                          "kbd", "samp",   "var", "code", "tt",    "font"});
}

// Newer sectioning elements, written as <div>.
bool IsSectioning(std::string_view name) {
    return IsOneOf(name, {"section", "article", "header", "footer", "aside", "nav", "main",
                          "figure", "figcaption", "hgroup", "details", "summary"});
}

// Block elements whose alignment, indent and top margin are written as attributes.
bool TakesBlockAttributes(std::string_view name) {
    return IsOneOf(name, {"p", "div", "h1", "h2", "h3", "h4", "h5", "h6", "blockquote", "li", "dt",
                          "dd", "center", "address"});
}

// Attributes the renderer understands, per element.
bool IsKeptAttribute(std::string_view element, std::string_view attribute) {
    if (attribute == "align") return element != "font";
    if (element == "td" || element == "th")
        return IsOneOf(attribute, {"colspan", "rowspan", "valign", "width"});
    if (element == "table")
        return IsOneOf(attribute, {"border", "width", "cellpadding", "cellspacing"});
    if (element == "ol") return IsOneOf(attribute, {"start", "type"});
    if (element == "ul") return attribute == "type";
    if (element == "li") return IsOneOf(attribute, {"value", "type"});
    if (element == "font") return IsOneOf(attribute, {"size", "color"});
    return false;
}

std::string FormatEm(double em) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", em);
    std::string out = text;
    while (!out.empty() && out.back() == '0') out.pop_back();
    if (!out.empty() && out.back() == '.') out.pop_back();
    if (out == "-0") out = "0";
    return out + "em";
}

class ChapterWriter {
public:
    ChapterWriter(const HtmlDocument& document, const ChapterContext& context, Kf7Text& out)
        : doc_(document), ctx_(context), out_(out) {}

    void WriteChildren(int node, bool inPre) {
        for (int child : doc_.children(node)) Write(child, inPre);
    }

private:
    void Write(int index, bool inPre) {
        const HtmlNode& node = doc_.node(index);
        if (node.isText) {
            out_.Text(node.text);
            return;
        }
        const std::string& name = node.name;
        if (name == "svg") {
            WriteSvgPictures(index);
            return;
        }
        if (IsDropped(name)) return;
        if (name == "mbp:pagebreak") {
            out_.PageBreak();
            return;
        }
        const MarkupStyle style = ctx_.styles ? ctx_.styles->StyleFor(doc_, index) : MarkupStyle{};
        if (style.pageBreakBefore) out_.PageBreak();
        WriteAnchors(node);
        if (name == "br") {
            out_.Markup("<br/>");
        } else if (name == "hr") {
            out_.Markup("<hr/>");
        } else if (name == "img") {
            WritePicture(node);
        } else if (name == "a") {
            WriteLink(index, style, inPre);
        } else {
            const bool sectioning = IsSectioning(name);
            std::string tag;
            if (IsKeptBlock(name) || IsKeptInline(name))
                tag = name;
            else if (sectioning)
                tag = "div";
            if (!tag.empty()) OpenTag(tag, node, style);
            const int wrappers = OpenWrappers(tag, style);
            WriteChildren(index, inPre || name == "pre");
            CloseWrappers(wrappers);
            if (!tag.empty()) out_.Markup("</" + tag + ">");
        }
        if (style.pageBreakAfter) out_.PageBreak();
    }

    void WriteAnchors(const HtmlNode& node) {
        if (const auto* id = node.Attribute("id"); id && !id->empty())
            out_.Anchor(AnchorKey(ctx_.chapterPath, *id));
        if (node.name == "a") {
            if (const auto* anchorName = node.Attribute("name"); anchorName && !anchorName->empty())
                out_.Anchor(AnchorKey(ctx_.chapterPath, *anchorName));
        }
    }

    void OpenTag(const std::string& tag, const HtmlNode& node, const MarkupStyle& style) {
        out_.Markup("<" + tag);
        const bool blockAttributes = TakesBlockAttributes(tag);
        for (const auto& [attribute, value] : node.attributes) {
            if (!IsKeptAttribute(tag, attribute)) continue;
            if (attribute == "align" && blockAttributes && style.align) continue;
            out_.Markup(" " + attribute + "=");
            out_.QuotedAttribute(value);
        }
        if (blockAttributes) {
            if (style.align) out_.Markup(" align=\"" + *style.align + "\"");
            if (style.textIndentEm && *style.textIndentEm != 0)
                out_.Markup(" width=\"" + FormatEm(*style.textIndentEm) + "\"");
            if (style.marginTopEm && *style.marginTopEm > 0)
                out_.Markup(" height=\"" + FormatEm(*style.marginTopEm) + "\"");
        }
        out_.Markup(">");
    }

    // Opens <font size>, <b>, <i>, <u>, <s> for the element's style; returns how many tags
    // were opened, pushed on the wrapper stack.
    int OpenWrappers(const std::string& tag, const MarkupStyle& style) {
        int opened = 0;
        const auto open = [&](const char* wrapper, const std::string& attributes = {}) {
            out_.Markup(std::string("<") + wrapper + attributes + ">");
            wrappers_.push_back(wrapper);
            ++opened;
        };
        if (style.fontSize && *style.fontSize != 3 && tag != "font" &&
            !(tag.size() == 2 && tag[0] == 'h'))
            open("font", " size=\"" + std::to_string(*style.fontSize) + "\"");
        if (style.bold.value_or(false) && tag != "b" && tag != "strong") open("b");
        if (style.italic.value_or(false) && tag != "i" && tag != "em") open("i");
        if (style.underline.value_or(false) && tag != "u") open("u");
        if (style.strike.value_or(false) && tag != "s" && tag != "strike" && tag != "del")
            open("s");
        // Footnote references are often raised by their style alone; the renderer knows only
        // the tags.
        const std::string raised = style.verticalAlign.value_or("");
        if ((raised == "super" || raised == "sub") && tag != "sup" && tag != "sub")
            open(raised == "super" ? "sup" : "sub");
        return opened;
    }

    void CloseWrappers(int count) {
        for (int i = 0; i < count; ++i) {
            out_.Markup("</" + wrappers_.back() + ">");
            wrappers_.pop_back();
        }
    }

    void WritePicture(const HtmlNode& node) {
        if (const auto* src = node.Attribute("src"); src && !src->empty())
            WritePictureOf(*src, node.Attribute("alt"));
    }

    // The renderer shows no SVG, but the pictures an inline <svg> places with <image> (the
    // usual cover page of converted books) are kept, each as an <img>.
    void WriteSvgPictures(int index) {
        for (int child : doc_.children(index)) {
            const HtmlNode& node = doc_.node(child);
            if (node.isText) continue;
            const std::size_t colon = node.name.rfind(':');
            const std::string local =
                colon == std::string::npos ? node.name : node.name.substr(colon + 1);
            if (local == "image") {
                const std::string* href = node.Attribute("xlink:href");
                if (!href || href->empty()) href = node.Attribute("href");
                if (href && !href->empty()) WritePictureOf(*href, nullptr);
            } else {
                WriteSvgPictures(child);
            }
        }
    }

    void WritePictureOf(const std::string& src, const std::string* alt) {
        const auto parts = DecodedHref(src);
        const auto path = ResolveInPackage(FolderOf(ctx_.chapterPath), parts.path);
        if (!path) {
            ctx_.diagnostics->Warning("picture \"" + src + "\" in \"" + ctx_.chapterPath +
                                      "\" is not inside the package folder; it is left out");
            return;
        }
        const int record = ctx_.pictureIndex ? ctx_.pictureIndex(*path) : 0;
        if (record <= 0) return;
        char number[16];
        std::snprintf(number, sizeof number, "%05d", record);
        out_.Markup(std::string("<img recindex=\"") + number + "\"");
        if (alt && !alt->empty()) {
            out_.Markup(" alt=");
            out_.QuotedAttribute(*alt);
        }
        out_.Markup("/>");
        out_.MarkContent();
    }

    void WriteLink(int index, const MarkupStyle& style, bool inPre) {
        const HtmlNode& node = doc_.node(index);
        out_.Markup("<a");
        if (const auto* href = node.Attribute("href"); href && !href->empty()) WriteHref(*href);
        out_.Markup(">");
        const int wrappers = OpenWrappers("a", style);
        WriteChildren(index, inPre);
        CloseWrappers(wrappers);
        out_.Markup("</a>");
    }

    void WriteHref(const std::string& href) {
        if (HasScheme(href)) {
            out_.Markup(" href=");
            out_.QuotedAttribute(href);
            return;
        }
        const auto parts = SplitHref(href);
        std::string path = ctx_.chapterPath;
        if (!parts.path.empty()) {
            const auto resolved =
                ResolveInPackage(FolderOf(ctx_.chapterPath), PercentDecode(parts.path));
            if (!resolved || !ctx_.isChapter || !ctx_.isChapter(*resolved)) {
                ctx_.diagnostics->Warning(
                    "link \"" + href + "\" in \"" + ctx_.chapterPath +
                    "\" does not lead to a chapter of the book; it is left without target");
                return;
            }
            path = *resolved;
        }
        const std::string fragment = PercentDecode(parts.fragment);
        out_.Markup(" ");
        out_.Link(AnchorKey(path, fragment), ctx_.chapterPath, AnchorKey(path, ""));
    }

    const HtmlDocument& doc_;
    const ChapterContext& ctx_;
    Kf7Text& out_;
    std::vector<std::string> wrappers_;
};

}  // namespace

std::string AnchorKey(const std::string& chapterPath, const std::string& fragment) {
    return fragment.empty() ? chapterPath : chapterPath + "#" + fragment;
}

void WriteChapterBody(const HtmlDocument& document, const ChapterContext& context, Kf7Text& out) {
    ChapterWriter writer(document, context, out);
    writer.WriteChildren(document.body, false);
}

}  // namespace quillery::mobi
