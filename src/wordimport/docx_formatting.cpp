// Paragraph and run properties of WordprocessingML as HTML and CSS (see docx_formatting.h).

#include "wordimport/docx_formatting.h"

#include <cctype>
#include <cstdio>

#include "wordimport/docx_xml.h"

namespace quillery::docx {
namespace {

void AppendDeclaration(std::string& out, const std::string& declaration) {
    if (!out.empty()) out += ';';
    out += declaration;
}

bool IsHexColor(const std::string& value) {
    if (value.size() != 6) return false;
    for (char c : value)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::string GenericFamily(const std::string& font) {
    static constexpr const char* kSans[] = {
        "Arial",    "Calibri",         "Helvetica",   "Verdana",       "Tahoma",
        "Segoe UI", "Liberation Sans", "DejaVu Sans", "Calibri Light", "Open Sans"};
    static constexpr const char* kMono[] = {"Courier New", "Courier", "Consolas", "Liberation Mono",
                                            "DejaVu Sans Mono"};
    for (const char* name : kSans)
        if (font == name) return "sans-serif";
    for (const char* name : kMono)
        if (font == name) return "monospace";
    return "serif";
}

}  // namespace

RunFormat ReadRunFormat(const pugi::xml_node& rPr) {
    RunFormat format;
    if (!rPr) return format;
    format.bold = Toggle(rPr, "b");
    format.italic = Toggle(rPr, "i");
    format.underline = Child(rPr, "u") && ChildVal(rPr, "u") != "none";
    format.strike = Toggle(rPr, "strike") || Toggle(rPr, "dstrike");
    const std::string vertical = ChildVal(rPr, "vertAlign");
    format.superscript = vertical == "superscript";
    format.subscript = vertical == "subscript";
    format.halfPoints = static_cast<int>(IntAttr(Child(rPr, "sz"), "val", 0));
    if (format.halfPoints < 0 || format.halfPoints > 3276) format.halfPoints = 0;
    format.font = Attr(Child(rPr, "rFonts"), "ascii");
    const std::string color = ChildVal(rPr, "color");
    if (IsHexColor(color)) format.color = color;
    format.styleId = ChildVal(rPr, "rStyle");
    return format;
}

std::string FontFamilyValue(const std::string& font) {
    std::string quoted;
    for (char c : font)
        if (c != '"' && c != '\'' && c != ';' && c != '<' && c != '>') quoted += c;
    return "\"" + quoted + "\"," + GenericFamily(quoted);
}

std::string RunSpanDeclarations(const RunFormat& format) {
    std::string out;
    if (format.halfPoints > 0) {
        char size[32];
        std::snprintf(size, sizeof size, "font-size:%d.%dpt", format.halfPoints / 2,
                      format.halfPoints % 2 == 0 ? 0 : 5);
        AppendDeclaration(out, size);
    }
    if (!format.font.empty()) AppendDeclaration(out, "font-family:" + FontFamilyValue(format.font));
    if (!format.color.empty()) AppendDeclaration(out, "color:#" + format.color);
    return out;
}

std::string RunRuleDeclarations(const RunFormat& format) {
    std::string out = RunSpanDeclarations(format);
    if (format.bold) AppendDeclaration(out, "font-weight:bold");
    if (format.italic) AppendDeclaration(out, "font-style:italic");
    if (format.underline) AppendDeclaration(out, "text-decoration:underline");
    if (format.strike) AppendDeclaration(out, "text-decoration:line-through");
    if (format.superscript) AppendDeclaration(out, "vertical-align:super");
    if (format.subscript) AppendDeclaration(out, "vertical-align:sub");
    return out;
}

std::string PointsFromTwips(long long twips) {
    char text[48];
    const long long tenths = (twips < 0 ? twips - 1 : twips + 1) / 2;  // twips / 2 = tenths
    std::snprintf(text, sizeof text, "%s%lld.%lldpt", tenths < 0 ? "-" : "",
                  (tenths < 0 ? -tenths : tenths) / 10, (tenths < 0 ? -tenths : tenths) % 10);
    return text;
}

std::string Alignment(const pugi::xml_node& pPr) {
    const std::string jc = ChildVal(pPr, "jc");
    if (jc == "center") return "center";
    if (jc == "right" || jc == "end") return "right";
    if (jc == "both" || jc == "distribute") return "justify";
    return {};
}

std::string ParagraphDeclarations(const pugi::xml_node& pPr) {
    std::string out;
    if (!pPr) return out;
    const pugi::xml_node spacing = Child(pPr, "spacing");
    if (HasAttr(spacing, "before"))
        AppendDeclaration(out, "margin-top:" + PointsFromTwips(IntAttr(spacing, "before", 0)));
    if (HasAttr(spacing, "after"))
        AppendDeclaration(out, "margin-bottom:" + PointsFromTwips(IntAttr(spacing, "after", 0)));
    const pugi::xml_node ind = Child(pPr, "ind");
    const long long left = IntAttr(ind, "left", IntAttr(ind, "start", 0));
    if (left != 0) AppendDeclaration(out, "margin-left:" + PointsFromTwips(left));
    if (HasAttr(ind, "hanging"))
        AppendDeclaration(out, "text-indent:" + PointsFromTwips(-IntAttr(ind, "hanging", 0)));
    else if (HasAttr(ind, "firstLine"))
        AppendDeclaration(out, "text-indent:" + PointsFromTwips(IntAttr(ind, "firstLine", 0)));
    const std::string align = Alignment(pPr);
    if (!align.empty()) AppendDeclaration(out, "text-align:" + align);
    return out;
}

}  // namespace quillery::docx
