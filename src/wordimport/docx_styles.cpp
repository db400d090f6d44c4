// The styles of a .docx (word/styles.xml) as the HTML needs them (see docx_styles.h).

#include "wordimport/docx_styles.h"

#include <array>
#include <cctype>

#include "text/strings.h"
#include "wordimport/docx_formatting.h"
#include "wordimport/docx_xml.h"

namespace quillery::docx {
namespace {

// Built-in style names (lower case, as styles.xml names them) whose class Word prefixes
// with "Mso".
constexpr std::array<std::string_view, 40> kBuiltInNames{"normal",
                                                         "title",
                                                         "subtitle",
                                                         "body text",
                                                         "body text 2",
                                                         "body text 3",
                                                         "body text indent",
                                                         "body text first indent",
                                                         "list paragraph",
                                                         "quote",
                                                         "intense quote",
                                                         "footnote text",
                                                         "endnote text",
                                                         "caption",
                                                         "no spacing",
                                                         "list bullet",
                                                         "list number",
                                                         "list",
                                                         "plain text",
                                                         "block text",
                                                         "header",
                                                         "footer",
                                                         "toc 1",
                                                         "toc 2",
                                                         "toc 3",
                                                         "toc 4",
                                                         "toc heading",
                                                         "heading 7",
                                                         "heading 8",
                                                         "heading 9",
                                                         "hyperlink",
                                                         "footnote reference",
                                                         "endnote reference",
                                                         "comment text",
                                                         "normal (web)",
                                                         "signature",
                                                         "salutation",
                                                         "closing",
                                                         "date",
                                                         "normal indent"};

constexpr int kMaxBasedOnDepth = 32;  // a loop of basedOn references ends here

int HeadingLevelFromName(const std::string& name) {
    const std::string lower = LowerAscii(name);
    if (lower.size() == 9 && lower.starts_with("heading ") && lower[8] >= '1' && lower[8] <= '9')
        return lower[8] - '0';
    return 0;
}

}  // namespace

std::string ClassNameFromStyleName(const std::string& styleName) {
    const std::string lower = LowerAscii(styleName);
    bool builtIn = false;
    for (std::string_view name : kBuiltInNames) builtIn = builtIn || lower == name;
    std::string out = builtIn ? "Mso" : "";
    bool wordStart = true;
    for (char c : styleName) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 0x80) {
            out += builtIn && wordStart ? static_cast<char>(std::toupper(byte)) : c;
            wordStart = false;
        } else {
            wordStart = true;
        }
    }
    if (out.empty() || std::isdigit(static_cast<unsigned char>(out.front()))) out = "Style" + out;
    return out;
}

DocxStyles::DocxStyles(const std::string& stylesXml) {
    if (stylesXml.empty()) return;
    pugi::xml_document doc;
    ParsePart(doc, stylesXml, "word/styles.xml");
    const pugi::xml_node root = doc.document_element();
    const pugi::xml_node defaults = Child(root, "docDefaults");
    const pugi::xml_node defaultRun = Child(Child(defaults, "rPrDefault"), "rPr");
    const std::string lang = Attr(Child(defaultRun, "lang"), "val");
    if (!lang.empty()) language_ = UpperAscii(lang);
    defaultRun_ = RunRuleDeclarations(ReadRunFormat(defaultRun));

    for (pugi::xml_node node = root.first_child(); node; node = node.next_sibling()) {
        if (!Is(node, "style")) continue;
        StyleInfo style;
        style.id = Attr(node, "styleId");
        style.type = Attr(node, "type");
        style.name = ChildVal(node, "name");
        if (style.name.empty()) style.name = style.id;
        style.basedOn = ChildVal(node, "basedOn");
        const pugi::xml_node pPr = Child(node, "pPr");
        const std::string outline = ChildVal(pPr, "outlineLvl");
        if (!outline.empty() && outline.size() == 1 && std::isdigit(outline[0]))
            style.outlineLevel = outline[0] - '0';
        const pugi::xml_node numPr = Child(pPr, "numPr");
        style.numId = ChildVal(numPr, "numId");
        style.numLevel = static_cast<int>(IntAttr(Child(numPr, "ilvl"), "val", 0));
        std::string declarations = ParagraphDeclarations(pPr);
        const std::string run = RunRuleDeclarations(ReadRunFormat(Child(node, "rPr")));
        if (!run.empty()) declarations += (declarations.empty() ? "" : ";") + run;
        style.declarations = declarations;
        if (style.type == "paragraph" && Attr(node, "default") == "1") defaultParagraph_ = style.id;
        if (!styles_.contains(style.id)) order_.push_back(style.id);
        styles_[style.id] = std::move(style);
    }
}

const StyleInfo* DocxStyles::Find(const std::string& id) const {
    const auto found = styles_.find(id);
    return found == styles_.end() ? nullptr : &found->second;
}

int DocxStyles::HeadingLevel(const std::string& id) const {
    const StyleInfo* style = Find(id);
    for (int depth = 0; style != nullptr && depth < kMaxBasedOnDepth; ++depth) {
        if (const int level = HeadingLevelFromName(style->name)) return level;
        if (LowerAscii(style->name) == "normal") return 0;
        if (style->outlineLevel >= 0 && style->outlineLevel <= 8) return style->outlineLevel + 1;
        style = Find(style->basedOn);
    }
    return 0;
}

std::pair<std::string, int> DocxStyles::Numbering(const std::string& id) const {
    const StyleInfo* style = Find(id);
    for (int depth = 0; style != nullptr && depth < kMaxBasedOnDepth; ++depth) {
        if (!style->numId.empty()) return {style->numId, style->numLevel};
        style = Find(style->basedOn);
    }
    return {};
}

std::string DocxStyles::ClassName(const std::string& id) const {
    if (id.empty()) return "MsoNormal";  // a document without styles
    const StyleInfo* style = Find(id);
    return ClassNameFromStyleName(style != nullptr ? style->name : id);
}

}  // namespace quillery::docx
