#pragma once
// The styles of a .docx (word/styles.xml) as the HTML needs them: which paragraph styles are
// headings (by name or outline level, since style ids are localised), the class names Word
// makes from style names, and the CSS declarations of each style. Internal to the converter.

#include <map>
#include <string>
#include <vector>

namespace quillery::docx {

struct StyleInfo {
    std::string id;
    std::string name;
    std::string type;  // "paragraph", "character", "table", "numbering"
    std::string basedOn;
    int outlineLevel = -1;  // 0..8 from the style itself, -1 when it sets none
    std::string numId;      // list numbering the style applies
    int numLevel = 0;
    std::string declarations;  // CSS declarations of its own properties
};

class DocxStyles {
public:
    DocxStyles() = default;
    // Parses styles.xml text (empty: no styles). Throws DocxError when it is not XML.
    explicit DocxStyles(const std::string& stylesXml);

    const StyleInfo* Find(const std::string& id) const;
    // The style ids in the order styles.xml defines them.
    const std::vector<std::string>& InDocumentOrder() const { return order_; }
    // The paragraph style applied when a paragraph names none.
    const std::string& DefaultParagraphStyle() const { return defaultParagraph_; }
    // The heading level 1..9 of a paragraph style (by its name "heading N" or "Title"-less
    // outline level, following basedOn), 0 when it is not a heading.
    int HeadingLevel(const std::string& id) const;
    // The list numbering a paragraph style applies (following basedOn); empty numId: none.
    std::pair<std::string, int> Numbering(const std::string& id) const;
    // The class Word gives the style: "Mso" + the words of a built-in name ("MsoBodyText"),
    // the letters and digits of any other name.
    std::string ClassName(const std::string& id) const;
    // The document's language for the body's lang attribute, e.g. "EN-US".
    const std::string& Language() const { return language_; }
    const std::string& DefaultRunDeclarations() const { return defaultRun_; }

private:
    std::map<std::string, StyleInfo> styles_;
    std::vector<std::string> order_;
    std::string defaultParagraph_;
    std::string language_ = "EN-US";
    std::string defaultRun_;
};

std::string ClassNameFromStyleName(const std::string& styleName);

}  // namespace quillery::docx
