// The inline content of paragraphs: runs with their formatting, links, bookmarks, pictures,
// note references, field results and the accepted text of tracked changes.
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "wordimport/docx_body_writer.h"
#include "wordimport/docx_formatting.h"
#include "wordimport/docx_xml.h"

namespace quillery::docx {
namespace {

constexpr std::string_view kTab = "&nbsp;&nbsp;&nbsp;&nbsp; ";
constexpr std::string_view kPageBreak = "<br clear=all style='page-break-before:always'>";
constexpr double kEmuPerInch = 914400.0;

void Flush(std::string& out, HtmlBodyWriter::Pending& pending) {
    if (!pending.text.empty()) out += pending.open + pending.text + pending.close;
    pending = {};
}

// The opening and closing markup of a run's formatting, outermost first.
std::pair<std::string, std::string> RunMarkup(const RunFormat& format,
                                              const std::string& charClass) {
    std::string open, close;
    auto wrap = [&](const std::string& start, const std::string& end) {
        open += start;
        close.insert(0, end);
    };
    if (format.bold) wrap("<b>", "</b>");
    if (format.italic) wrap("<i>", "</i>");
    if (format.underline) wrap("<u>", "</u>");
    if (format.strike) wrap("<s>", "</s>");
    if (format.superscript) wrap("<sup>", "</sup>");
    if (format.subscript) wrap("<sub>", "</sub>");
    if (!charClass.empty()) wrap("<span class=" + charClass + ">", "</span>");
    const std::string declarations = RunSpanDeclarations(format);
    if (!declarations.empty()) wrap("<span style='" + declarations + "'>", "</span>");
    return {open, close};
}

// Utf-8 of a symbol character given as hex ("F0A7"): its low byte as a Latin-1 character.
std::string SymbolText(const std::string& hex) {
    unsigned code = 0;
    for (char c : hex) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                          : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                                                                      : -1;
        if (digit < 0 || code > 0xFFFF) return {};
        code = code * 16 + static_cast<unsigned>(digit);
    }
    const unsigned low = code & 0xFFu;
    if (low < 0x20) return {};
    if (low < 0x80) return std::string(1, static_cast<char>(low));
    return {static_cast<char>(0xC0 | (low >> 6)), static_cast<char>(0x80 | (low & 0x3F))};
}

double PointsFromShapeStyle(const std::string& style, std::string_view property) {
    const std::size_t at = style.find(std::string(property) + ":");
    if (at == std::string::npos) return 0;
    const double value = std::atof(style.c_str() + at + property.size() + 1);
    const std::size_t unit = style.find_first_not_of("0123456789.-", at + property.size() + 1);
    const std::string units = unit == std::string::npos ? "" : style.substr(unit, 2);
    if (units == "in") return value * 72;
    if (units == "cm") return value * 72 / 2.54;
    if (units == "mm") return value * 72 / 25.4;
    if (units == "px") return value * 0.75;
    return value;  // pt
}

std::string LowerRoman(int value) { return FormatListNumber(value, "lowerRoman"); }

}  // namespace

std::string EscapeHtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0') {
            out += "&nbsp;";
            ++i;
        } else if (c == '\r' || c == '\n')
            out += ' ';
        else
            out += c;
    }
    return out;
}

std::string QuotedAttribute(std::string_view value) {
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out += "&quot;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out + "\"";
}

std::string BookmarkAnchor(const pugi::xml_node& bookmarkStart) {
    const std::string name = Attr(bookmarkStart, "name");
    if (name.empty() || name == "_GoBack") return {};
    if (name == "toc") return "<a name=\"toc\" />";
    return "<a name=" + QuotedAttribute(name) + "></a>";
}

bool HtmlBodyWriter::InFieldInstruction() const {
    for (bool instruction : fields_)
        if (instruction) return true;
    return false;
}

void HtmlBodyWriter::WriteInline(const pugi::xml_node& container, std::string& out,
                                 Pending& pending) {
    if (++depth_ > 64) {
        --depth_;
        return;
    }
    for (pugi::xml_node child = container.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view name = LocalName(child);
        if (name == "r") {
            WriteRun(child, out, pending);
        } else if (name == "hyperlink") {
            std::string href;
            const std::string id = Attr(child, "id");
            if (const auto rel = rels_->find(id); !id.empty() && rel != rels_->end())
                href = rel->second.target;
            const std::string anchor = Attr(child, "anchor");
            if (!anchor.empty()) href += "#" + anchor;
            Flush(out, pending);
            if (!href.empty()) out += "<a href=" + QuotedAttribute(href) + ">";
            WriteInline(child, out, pending);
            Flush(out, pending);
            if (!href.empty()) out += "</a>";
        } else if (name == "bookmarkStart") {
            Flush(out, pending);
            out += BookmarkAnchor(child);
        } else if (name == "ins" || name == "moveTo" || name == "smartTag" || name == "customXml" ||
                   name == "fldSimple" || name == "dir" || name == "bdo") {
            WriteInline(child, out, pending);
        } else if (name == "sdt") {
            WriteInline(Child(child, "sdtContent"), out, pending);
        } else if (name == "oMath" || name == "oMathPara") {
            // Equations are not rendered; their text is kept.
            std::string text;
            for (const pugi::xpath_node& t : child.select_nodes(".//*[local-name()='t']"))
                text += t.node().text().get();
            Flush(out, pending);
            out += EscapeHtmlText(text);
        }
        // del, moveFrom: deleted text is not part of the accepted document; comments,
        // permissions and proofing marks carry no text.
    }
    --depth_;
}

void HtmlBodyWriter::WriteRun(const pugi::xml_node& run, std::string& out, Pending& pending) {
    const pugi::xml_node properties = Child(run, "rPr");
    // Hidden text is not part of the document as it reads; field characters still count.
    if (Toggle(properties, "vanish") && !Child(run, "fldChar")) return;
    const RunFormat format = ReadRunFormat(properties);
    std::string charClass;
    if (!format.styleId.empty() && styles_.Find(format.styleId) != nullptr) {
        UseStyle(format.styleId);
        charClass = styles_.ClassName(format.styleId);
    }
    const auto [open, close] = RunMarkup(format, charClass);
    for (pugi::xml_node child = run.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        if (Is(child, "AlternateContent")) {
            const pugi::xml_node choice = Child(child, "Choice");
            for (pugi::xml_node inner = choice.first_child(); inner; inner = inner.next_sibling())
                WriteRunContent(inner, open, close, out, pending);
            continue;
        }
        WriteRunContent(child, open, close, out, pending);
    }
}

void HtmlBodyWriter::WriteRunContent(const pugi::xml_node& child, const std::string& open,
                                     const std::string& close, std::string& out, Pending& pending) {
    const std::string_view name = LocalName(child);
    if (name == "fldChar") {
        const std::string type = Attr(child, "fldCharType");
        if (type == "begin")
            fields_.push_back(true);
        else if (type == "separate" && !fields_.empty())
            fields_.back() = false;
        else if (type == "end" && !fields_.empty())
            fields_.pop_back();
        return;
    }
    if (InFieldInstruction()) return;

    auto text = [&](std::string_view html) {
        if (pending.open != open || pending.close != close) {
            Flush(out, pending);
            pending.open = open;
            pending.close = close;
        }
        pending.text += html;
    };
    if (name == "t") {
        text(EscapeHtmlText(child.text().get()));
    } else if (name == "tab" || name == "ptab") {
        text(kTab);
    } else if (name == "br") {
        if (Attr(child, "type") == "page") {
            Flush(out, pending);
            out += kPageBreak;
        } else {
            text("<br>");
        }
    } else if (name == "cr") {
        text("<br>");
    } else if (name == "noBreakHyphen") {
        text("-");
    } else if (name == "sym") {
        const std::string symbol = SymbolText(Attr(child, "char"));
        if (symbol.empty()) return;
        Flush(out, pending);
        out += "<span style='font-family:" + EscapeHtmlText(Attr(child, "font")) + "'>" +
               EscapeHtmlText(symbol) + "</span>";
    } else if (name == "drawing" || name == "pict" || name == "object") {
        Flush(out, pending);
        WritePicture(child, out);
    } else if (name == "footnoteReference" || name == "endnoteReference") {
        Flush(out, pending);
        out += NoteReference(name == "footnoteReference" ? NoteKind::Footnote : NoteKind::Endnote,
                             Attr(child, "id"));
    } else if (name == "footnoteRef" || name == "endnoteRef") {
        Flush(out, pending);
        out += NoteBackLink();
    }
}

void HtmlBodyWriter::WritePicture(const pugi::xml_node& node, std::string& out) {
    std::string id;
    double widthPoints = 0, heightPoints = 0;
    std::string alt;
    if (const pugi::xml_node blip = Descendant(node, "blip")) {
        id = Attr(blip, "embed");
        const pugi::xml_node extent = Descendant(node, "extent");
        widthPoints = static_cast<double>(IntAttr(extent, "cx", 0)) / kEmuPerInch * 72.0;
        heightPoints = static_cast<double>(IntAttr(extent, "cy", 0)) / kEmuPerInch * 72.0;
        alt = Attr(Descendant(node, "docPr"), "descr");
    } else if (const pugi::xml_node image = Descendant(node, "imagedata")) {
        id = Attr(image, "id");
        const std::string style = Attr(Descendant(node, "shape"), "style");
        widthPoints = PointsFromShapeStyle(style, "width");
        heightPoints = PointsFromShapeStyle(style, "height");
    }
    if (id.empty()) {
        // A text box: its paragraphs go inline, one line each, so that no text is lost.
        const pugi::xml_node textBox = Descendant(node, "txbxContent");
        for (pugi::xml_node p = textBox.first_child(); p; p = p.next_sibling()) {
            if (!Is(p, "p")) continue;
            Pending pending;
            WriteInline(p, out, pending);
            Flush(out, pending);
            out += "<br>";
        }
        return;
    }
    const auto rel = rels_->find(id);
    if (rel == rels_->end() || rel->second.external) {
        log_.push_back("A linked picture outside the document was left out.");
        return;
    }
    const std::optional<std::string> file = pictures_.Add(rel->second.target, readPart_, log_);
    if (!file) return;
    out += "<img";
    const double scale = settings_.pixelsPerInch / 72.0;
    if (widthPoints > 0 && heightPoints > 0 && widthPoints < 1e6 && heightPoints < 1e6) {
        out += std::string(" width=") + std::to_string(std::lround(widthPoints * scale));
        out += std::string(" height=") + std::to_string(std::lround(heightPoints * scale));
    }
    out += " src=\"" + settings_.pictureReference + *file + "\"";
    if (!alt.empty()) out += " alt=" + QuotedAttribute(alt);
    out += ">";
}

std::string HtmlBodyWriter::NoteReference(NoteKind kind, const std::string& id) {
    int number = 1;
    for (const NoteRef& note : notes_)
        if (note.kind == kind) ++number;
    notes_.push_back({kind, id, number});
    const bool foot = kind == NoteKind::Footnote;
    const std::string name = foot ? "_ftn" : "_edn";
    const std::string label = foot ? std::to_string(number) : LowerRoman(number);
    const std::string cls = foot ? "MsoFootnoteReference" : "MsoEndnoteReference";
    return "<a href=\"#" + name + std::to_string(number) + "\" name=\"" + name + "ref" +
           std::to_string(number) + "\" title=\"\"><span class=" + cls + "><span class=" + cls +
           ">[" + label + "]</span></span></a>";
}

std::string HtmlBodyWriter::NoteBackLink() const {
    if (!currentNote_) return {};
    const bool foot = currentNote_->kind == NoteKind::Footnote;
    const std::string name = foot ? "_ftn" : "_edn";
    const std::string number = std::to_string(currentNote_->number);
    const std::string label = foot ? number : LowerRoman(currentNote_->number);
    const std::string cls = foot ? "MsoFootnoteReference" : "MsoEndnoteReference";
    return "<a href=\"#" + name + "ref" + number + "\" name=\"" + name + number +
           "\" title=\"\"><span class=" + cls + "><span class=" + cls + ">[" + label +
           "]</span></span></a>";
}

}  // namespace quillery::docx
