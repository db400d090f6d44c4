#pragma once
// Writes the body of a .docx as Word's filtered HTML: the blocks of each section
// (paragraphs, headings, lists, tables), their inline content (runs, links, bookmarks,
// pictures, note references, field results, accepted tracked changes) and the footnotes and
// endnotes after the last section. Internal to the converter.

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "wordimport/docx_numbering.h"
#include "wordimport/docx_pictures.h"
#include "wordimport/docx_styles.h"

namespace quillery::docx {

struct Relationship {
    std::string target;  // a part name ("word/media/image1.png") or an external address
    bool external = false;
};
using Relationships = std::map<std::string, Relationship>;

struct SectionHtml {
    std::string html;  // the blocks of the section
    long long pageWidthTwips = 11906;
    long long pageHeightTwips = 16838;
    std::array<long long, 4> marginsTwips{1440, 1440, 1440, 1440};  // top right bottom left
};

struct BodyWriterSettings {
    int pixelsPerInch = 96;
    std::string pictureReference;  // "<name with %20>_files/"
};

class HtmlBodyWriter {
public:
    using ReadPart = std::function<std::optional<std::string>(const std::string&)>;

    HtmlBodyWriter(const DocxStyles& styles, DocxNumbering& numbering, PictureStore& pictures,
                   ReadPart readPart, BodyWriterSettings settings, std::vector<std::string>& log);

    // One entry per section (every sectPr, the body's last one included).
    std::vector<SectionHtml> WriteBody(const pugi::xml_node& body, const Relationships& rels);
    // The note lists, in the order the notes were referenced, each list in its own division;
    // empty when nothing was referenced.
    std::string WriteNotes(const pugi::xml_node& footnotes, const Relationships& footnoteRels,
                           const pugi::xml_node& endnotes, const Relationships& endnoteRels);

    // The ids of the paragraph and character styles the body uses, for the style block.
    const std::set<std::string>& usedStyles() const { return usedStyles_; }

    struct Pending {  // consecutive runs of the same formatting, written as one
        std::string open, close, text;
    };

private:
    enum class NoteKind { Footnote, Endnote };
    struct NoteRef {
        NoteKind kind;
        std::string id;
        int number;
    };
    void WriteBlocks(const pugi::xml_node& container, std::string& out,
                     std::vector<SectionHtml>* sections);
    void WriteParagraph(const pugi::xml_node& p, std::string& out);
    void WriteTable(const pugi::xml_node& table, std::string& out);
    void WriteInline(const pugi::xml_node& container, std::string& out, Pending& pending);
    void WriteRun(const pugi::xml_node& run, std::string& out, Pending& pending);
    void WriteRunContent(const pugi::xml_node& child, const std::string& open,
                         const std::string& close, std::string& out, Pending& pending);
    void WritePicture(const pugi::xml_node& node, std::string& out);
    std::string NoteReference(NoteKind kind, const std::string& id);
    std::string NoteBackLink() const;
    void UseStyle(const std::string& id) {
        if (!id.empty()) usedStyles_.insert(id);
    }
    bool InFieldInstruction() const;

    const DocxStyles& styles_;
    DocxNumbering& numbering_;
    PictureStore& pictures_;
    ReadPart readPart_;
    BodyWriterSettings settings_;
    std::vector<std::string>& log_;
    const Relationships* rels_ = nullptr;
    std::set<std::string> usedStyles_;
    std::vector<bool> fields_;  // open fields: true while in their instruction part
    std::vector<NoteRef> notes_;
    std::optional<NoteRef> currentNote_;  // the note being written, for its back-link
    int depth_ = 0;
};

// Text as HTML: "&", "<", ">" escaped, no-break spaces as "&nbsp;".
std::string EscapeHtmlText(std::string_view text);
// A bookmark as an anchor: `<a name="NAME"></a>`, the bookmark "toc" as `<a name="toc" />`;
// empty for Word's own "_GoBack" mark.
std::string BookmarkAnchor(const pugi::xml_node& bookmarkStart);
// An attribute value in double quotes, escaped.
std::string QuotedAttribute(std::string_view value);
// A part name relative to the folder of the part that refers to it ("word/" for the main
// document): "media/a.png" -> "word/media/a.png", "/word/x" -> "word/x", ".." resolved.
std::string ResolvePartName(const std::string& baseFolder, const std::string& target);
Relationships ReadRelationships(const std::string& relsXml, const std::string& baseFolder);

}  // namespace quillery::docx
