#pragma once
// Builds small .docx files for the Word import tests: the body XML as written by the test,
// default styles (Normal, a localised "heading 1", heading 2, Title, Table Grid), optional
// numbering, notes, pictures, hyperlinks and document properties.

#include <map>
#include <string>
#include <vector>

namespace quillery::testing {

// A 4 by 3 pixel PNG.
std::string SmallPng();

class DocxBuilder {
public:
    // Paragraphs and tables, as WordprocessingML inside <w:body> (without the final sectPr).
    std::string body;
    std::string numbering;  // the inside of <w:numbering>; empty: no numbering part
    std::string footnotes;  // <w:footnote> elements (separators are added)
    std::string title, author, comments;

    // Adds word/media/<name> with a relationship; returns its id for r:embed.
    std::string AddMedia(const std::string& name, const std::string& data);
    // Adds an external hyperlink relationship; returns its id.
    std::string AddLink(const std::string& url);

    // Writes the package to path.
    void Write(const std::string& path) const;

    // Markup helpers.
    static std::string Paragraph(const std::string& text, const std::string& style = "");
    static std::string SectionBreak();  // an empty paragraph that ends a section
    static std::string Picture(const std::string& id, long long cx, long long cy,
                               const std::string& description = "A red square");

private:
    std::vector<std::pair<std::string, std::string>> media_;
    std::vector<std::pair<std::string, std::string>> rels_;  // id, xml
};

// Writes an arbitrary zip archive with the given entries (for broken documents).
void WriteZip(const std::string& path, const std::map<std::string, std::string>& entries);

}  // namespace quillery::testing
