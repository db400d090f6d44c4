// Writes the body of a .docx as Word's filtered HTML (see docx_body_writer.h).

#include "wordimport/docx_body_writer.h"

#include "wordimport/docx_formatting.h"
#include "wordimport/docx_xml.h"

namespace quillery::docx {
namespace {

constexpr std::string_view kBlockEnd = "\r\n\r\n";
constexpr std::string_view kListSpacer =
    "<span style='font:7.0pt \"Times New Roman\"'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp; </span>";
constexpr int kMaxDepth = 64;  // nesting deeper than this (tables in tables ...) is not followed

// An attribute as Word writes it: bare when the value is simple, else double-quoted.
std::string AttributeText(std::string_view name, std::string_view value) {
    bool simple = !value.empty();
    for (char c : value) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
        simple = simple && ok;
    }
    std::string text(" ");
    text.append(name);
    text += '=';
    text += simple ? std::string(value) : QuotedAttribute(value);
    return text;
}

void SectionGeometry(const pugi::xml_node& sectPr, SectionHtml& section) {
    const pugi::xml_node size = Child(sectPr, "pgSz");
    section.pageWidthTwips = IntAttr(size, "w", section.pageWidthTwips);
    section.pageHeightTwips = IntAttr(size, "h", section.pageHeightTwips);
    const pugi::xml_node margins = Child(sectPr, "pgMar");
    section.marginsTwips = {IntAttr(margins, "top", 1440), IntAttr(margins, "right", 1440),
                            IntAttr(margins, "bottom", 1440), IntAttr(margins, "left", 1440)};
}

}  // namespace

HtmlBodyWriter::HtmlBodyWriter(const DocxStyles& styles, DocxNumbering& numbering,
                               PictureStore& pictures, ReadPart readPart,
                               BodyWriterSettings settings, std::vector<std::string>& log)
    : styles_(styles),
      numbering_(numbering),
      pictures_(pictures),
      readPart_(std::move(readPart)),
      settings_(std::move(settings)),
      log_(log) {}

std::vector<SectionHtml> HtmlBodyWriter::WriteBody(const pugi::xml_node& body,
                                                   const Relationships& rels) {
    rels_ = &rels;
    std::vector<SectionHtml> sections;
    std::string current;
    WriteBlocks(body, current, &sections);
    // The body's own sectPr ends the last section; text after the last section break that
    // has no sectPr of its own still forms one.
    const pugi::xml_node finalSection = Child(body, "sectPr");
    if (finalSection || !current.empty() || sections.empty()) {
        SectionHtml section;
        SectionGeometry(finalSection, section);
        section.html = std::move(current);
        sections.push_back(std::move(section));
    }
    return sections;
}

void HtmlBodyWriter::WriteBlocks(const pugi::xml_node& container, std::string& out,
                                 std::vector<SectionHtml>* sections) {
    if (++depth_ > kMaxDepth) {
        --depth_;
        return;
    }
    for (pugi::xml_node child = container.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view name = LocalName(child);
        if (name == "p") {
            WriteParagraph(child, out);
            const pugi::xml_node sectPr = Child(Child(child, "pPr"), "sectPr");
            if (sectPr && sections != nullptr) {
                SectionHtml section;
                SectionGeometry(sectPr, section);
                section.html = std::move(out);
                out.clear();
                sections->push_back(std::move(section));
            }
        } else if (name == "tbl") {
            WriteTable(child, out);
        } else if (name == "sdt") {
            WriteBlocks(Child(child, "sdtContent"), out, sections);
        } else if (name == "customXml" || name == "ins" || name == "moveTo") {
            WriteBlocks(child, out, sections);
        } else if (name == "bookmarkStart") {
            out += BookmarkAnchor(child);
        }
    }
    --depth_;
}

void HtmlBodyWriter::WriteParagraph(const pugi::xml_node& p, std::string& out) {
    const pugi::xml_node pPr = Child(p, "pPr");
    std::string styleId = ChildVal(pPr, "pStyle");
    if (styleId.empty() || styles_.Find(styleId) == nullptr)
        styleId = styles_.DefaultParagraphStyle();
    UseStyle(styleId);

    int level = styles_.HeadingLevel(styleId);
    const std::string directOutline = ChildVal(pPr, "outlineLvl");
    if (directOutline.size() == 1 && directOutline[0] >= '0' && directOutline[0] <= '8')
        level = directOutline[0] - '0' + 1;
    const bool heading = level >= 1 && level <= 6;
    const std::string tag = heading ? std::string("h") + std::to_string(level) : "p";

    // The list label: direct numbering, else the style's.
    const pugi::xml_node numPr = Child(pPr, "numPr");
    std::pair<std::string, int> list = styles_.Numbering(styleId);
    if (numPr)
        list = {ChildVal(numPr, "numId"),
                static_cast<int>(IntAttr(Child(numPr, "ilvl"), "val", 0))};
    const ListLabel label = numbering_.Next(list.first, list.second);

    std::string declarations = ParagraphDeclarations(pPr);
    if (!label.text.empty() && !Child(pPr, "ind") &&
        (label.leftTwips != 0 || label.hangingTwips != 0)) {
        std::string indent = "margin-left:" + PointsFromTwips(label.leftTwips);
        if (label.hangingTwips != 0)
            indent += ";text-indent:" + PointsFromTwips(-label.hangingTwips);
        declarations = declarations.empty() ? indent : indent + ";" + declarations;
    }

    out += "<" + tag;
    if (!heading)
        out += AttributeText("class", level > 6 ? std::string("MsoHeading") + std::to_string(level)
                                                : styles_.ClassName(styleId));
    const std::string align = Alignment(pPr);
    if (!align.empty()) out += AttributeText("align", align);
    if (!declarations.empty()) out += " style='" + declarations + "'";
    out += ">";

    std::string content;
    if (!label.text.empty()) {
        if (!label.symbolFont.empty())
            content += "<span style='font-family:" + label.symbolFont + "'>" +
                       EscapeHtmlText(label.text) + std::string(kListSpacer) + "</span>";
        else
            content += "<span>" + EscapeHtmlText(label.text) + std::string(kListSpacer) + "</span>";
    }
    Pending pending;
    WriteInline(p, content, pending);
    content += pending.open + pending.text + pending.close;
    out += content.empty() ? "&nbsp;" : content;
    out += "</" + tag + ">";
    out += kBlockEnd;
}

void HtmlBodyWriter::WriteTable(const pugi::xml_node& table, std::string& out) {
    if (++depth_ > kMaxDepth) {
        --depth_;
        return;
    }
    const std::string tableStyle = ChildVal(Child(table, "tblPr"), "tblStyle");
    const StyleInfo* style = styles_.Find(tableStyle);
    const bool grid = style != nullptr && (style->name == "Table Grid" || style->id == "TableGrid");
    out += grid ? "<table class=MsoTableGrid border=1 cellspacing=0 cellpadding=0\r\n "
                  "style='border-collapse:collapse;border:none'>\r\n"
                : "<table class=MsoNormalTable border=0 cellspacing=0 cellpadding=0\r\n "
                  "style='border-collapse:collapse'>\r\n";

    // Grid columns of each cell, to turn vertical merges into row spans.
    std::vector<pugi::xml_node> rows;
    for (pugi::xml_node row = table.first_child(); row; row = row.next_sibling())
        if (Is(row, "tr")) rows.push_back(row);
    auto cellsOf = [](const pugi::xml_node& row) {
        std::vector<std::pair<pugi::xml_node, int>> cells;  // cell, first grid column
        int column = 0;
        for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling()) {
            if (!Is(cell, "tc")) continue;
            cells.emplace_back(cell, column);
            column +=
                std::max<long long>(1, IntAttr(Child(Child(cell, "tcPr"), "gridSpan"), "val", 1));
        }
        return cells;
    };
    std::vector<std::vector<std::pair<pugi::xml_node, int>>> gridCells;
    for (const pugi::xml_node& row : rows) gridCells.push_back(cellsOf(row));
    auto mergeOf = [](const pugi::xml_node& cell) -> std::string {
        const pugi::xml_node merge = Child(Child(cell, "tcPr"), "vMerge");
        if (!merge) return "";
        const std::string value = Attr(merge, "val");
        return value.empty() ? "continue" : value;
    };

    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += " <tr>\r\n";
        for (const auto& [cell, column] : gridCells[r]) {
            const std::string merge = mergeOf(cell);
            if (merge == "continue") continue;
            int rowSpan = 1;
            if (merge == "restart") {
                for (std::size_t below = r + 1; below < rows.size(); ++below) {
                    bool continues = false;
                    for (const auto& [other, otherColumn] : gridCells[below])
                        if (otherColumn == column && mergeOf(other) == "continue") continues = true;
                    if (!continues) break;
                    ++rowSpan;
                }
            }
            const pugi::xml_node tcPr = Child(cell, "tcPr");
            const pugi::xml_node width = Child(tcPr, "tcW");
            const long long twips = Attr(width, "type") == "dxa" || Attr(width, "type").empty()
                                        ? IntAttr(width, "w", 0)
                                        : 0;
            out += "  <td";
            if (twips > 0) out += std::string(" width=") + std::to_string(twips / 15);
            const long long span = IntAttr(Child(tcPr, "gridSpan"), "val", 1);
            if (span > 1) out += std::string(" colspan=") + std::to_string(span);
            if (rowSpan > 1) out += std::string(" rowspan=") + std::to_string(rowSpan);
            out += " valign=top style='";
            if (twips > 0) out += "width:" + PointsFromTwips(twips) + ";";
            out += grid ? "border:solid windowtext 1.0pt;" : "";
            out += "padding:0cm 5.4pt 0cm 5.4pt'>\r\n";
            std::string inner;
            WriteBlocks(cell, inner, nullptr);
            out += inner.empty() ? "<p class=MsoNormal>&nbsp;</p>\r\n" : inner;
            out += "  </td>\r\n";
        }
        out += " </tr>\r\n";
    }
    out += "</table>";
    out += kBlockEnd;
    --depth_;
}

std::string HtmlBodyWriter::WriteNotes(const pugi::xml_node& footnotes,
                                       const Relationships& footnoteRels,
                                       const pugi::xml_node& endnotes,
                                       const Relationships& endnoteRels) {
    std::string out;
    for (const NoteKind kind : {NoteKind::Footnote, NoteKind::Endnote}) {
        const bool foot = kind == NoteKind::Footnote;
        const pugi::xml_node& notes = foot ? footnotes : endnotes;
        rels_ = foot ? &footnoteRels : &endnoteRels;
        std::string list;
        // Notes referenced while notes are written (rare) are written too: index, not range.
        for (std::size_t i = 0; i < notes_.size(); ++i) {
            const NoteRef note = notes_[i];
            if (note.kind != kind) continue;
            pugi::xml_node found;
            for (pugi::xml_node n = notes.first_child(); n; n = n.next_sibling())
                if ((Is(n, "footnote") || Is(n, "endnote")) && Attr(n, "id") == note.id) found = n;
            const std::string id = std::string(foot ? "ftn" : "edn") + std::to_string(note.number);
            list += "<div id=" + id + ">\r\n\r\n";
            currentNote_ = note;
            std::string text;
            WriteBlocks(found, text, nullptr);
            currentNote_.reset();
            list += text + "</div>\r\n\r\n";
        }
        if (!list.empty())
            out += "<div><br clear=all>\r\n\r\n<hr align=left size=1 width=\"33%\">\r\n\r\n" +
                   list + "</div>\r\n\r\n";
    }
    return out;
}

}  // namespace quillery::docx
