#include "docx_builder.h"

#include <zip.h>

#include <stdexcept>

namespace quillery::testing {
namespace {

constexpr const char* kWordNs =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";

const char* kStyles =
    "<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"22\"/><w:lang w:val=\"en-GB\"/></w:rPr>"
    "</w:rPrDefault></w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/>"
    "<w:pPr><w:spacing w:after=\"160\"/></w:pPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"berschrift1\"><w:name w:val=\"heading 1\"/>"
    "<w:basedOn w:val=\"Normal\"/><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Kapitel\"><w:name w:val=\"Kapitel\"/>"
    "<w:basedOn w:val=\"Normal\"/><w:pPr><w:outlineLvl w:val=\"1\"/></w:pPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"Title\"><w:name w:val=\"Title\"/>"
    "<w:pPr><w:jc w:val=\"center\"/></w:pPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"BodyText\"><w:name w:val=\"Body Text\"/>"
    "<w:pPr><w:ind w:left=\"360\"/></w:pPr></w:style>"
    "<w:style w:type=\"paragraph\" w:styleId=\"FootnoteText\"><w:name w:val=\"footnote "
    "text\"/></w:style>"
    "<w:style w:type=\"table\" w:styleId=\"TableGrid\"><w:name w:val=\"Table Grid\"/></w:style>";

// A relationship of one of the package's standard types.
std::string Relationship(const std::string& id, const std::string& type, const std::string& target,
                         const std::string& extra = "") {
    return "<Relationship Id=\"" + id + "\" Type=\"http://schemas.openxmlformats.org/" + type +
           "\" Target=\"" + target + "\"" + extra + "/>";
}

// A content type override for a part of the package.
std::string Override(const std::string& part, const std::string& type) {
    return "<Override PartName=\"/" + part + "\" ContentType=\"application/vnd.openxmlformats-" +
           type + "+xml\"/>";
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string SmallPng() {
    static const char kBytes[] =
        "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00"
        "\x00\x03\x08\x02\x00\x00\x00\x3B\x96\x39\x91\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9C\x63"
        "\x38\x21\x27\x07\x47\x0C\x38\x39\x00\xF5\xC7\x0C\x31\x07\xEB\xAD\x99\x00\x00\x00\x00\x49"
        "\x45\x4E\x44\xAE\x42\x60\x82";
    return std::string(kBytes, 73);
}

std::string DocxBuilder::AddMedia(const std::string& name, const std::string& data) {
    const std::string id = "rId" + std::to_string(100 + rels_.size());
    media_.emplace_back(name, data);
    rels_.emplace_back(
        id, Relationship(id, "officeDocument/2006/relationships/image", "media/" + name));
    return id;
}

std::string DocxBuilder::AddLink(const std::string& url) {
    const std::string id = "rId" + std::to_string(100 + rels_.size());
    rels_.emplace_back(id, Relationship(id, "officeDocument/2006/relationships/hyperlink", url,
                                        " TargetMode=\"External\""));
    return id;
}

std::string DocxBuilder::Paragraph(const std::string& text, const std::string& style) {
    std::string p = "<w:p>";
    if (!style.empty()) p += "<w:pPr><w:pStyle w:val=\"" + style + "\"/></w:pPr>";
    return p + "<w:r><w:t xml:space=\"preserve\">" + Escape(text) + "</w:t></w:r></w:p>";
}

std::string DocxBuilder::SectionBreak() {
    return "<w:p><w:pPr><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/></w:sectPr></w:pPr></w:p>";
}

std::string DocxBuilder::Picture(const std::string& id, long long cx, long long cy,
                                 const std::string& description) {
    return "<w:r><w:drawing><wp:inline><wp:extent cx=\"" + std::to_string(cx) + "\" cy=\"" +
           std::to_string(cy) + "\"/><wp:docPr id=\"1\" name=\"Picture 1\" descr=\"" + description +
           "\"/><a:graphic>"
           "<a:graphicData><pic:pic><pic:blipFill><a:blip r:embed=\"" +
           id +
           "\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></"
           "w:r>";
}

void DocxBuilder::Write(const std::string& path) const {
    std::map<std::string, std::string> entries;
    const std::string kXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const std::string kWordml = "officedocument.wordprocessingml.";
    const std::string kRelsOpen =
        kXml +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
        "relationships\">";
    const std::string kOfficeRel = "officeDocument/2006/relationships/";
    entries["[Content_Types].xml"] =
        kXml +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/"
        "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
        "ContentType=\"application/xml\"/><Default Extension=\"png\" ContentType=\"image/png\"/>"
        "<Default Extension=\"emf\" ContentType=\"image/x-emf\"/>" +
        Override("word/document.xml", kWordml + "document.main") +
        Override("word/styles.xml", kWordml + "styles") +
        Override("word/numbering.xml", kWordml + "numbering") +
        Override("word/footnotes.xml", kWordml + "footnotes") +
        Override("docProps/core.xml", "package.core-properties") + "</Types>";
    entries["_rels/.rels"] =
        kRelsOpen + Relationship("rId1", kOfficeRel + "officeDocument", "word/document.xml") +
        Relationship("rId2", "package/2006/relationships/metadata/core-properties",
                     "docProps/core.xml") +
        "</Relationships>";
    std::string rels = kRelsOpen + Relationship("rId1", kOfficeRel + "styles", "styles.xml");
    if (!numbering.empty()) rels += Relationship("rId2", kOfficeRel + "numbering", "numbering.xml");
    if (!footnotes.empty()) rels += Relationship("rId3", kOfficeRel + "footnotes", "footnotes.xml");
    for (const auto& [id, xml] : rels_) rels += xml;
    entries["word/_rels/document.xml.rels"] = rels + "</Relationships>";
    entries["word/document.xml"] = kXml + "<w:document " + kWordNs + "><w:body>" + body +
                                   "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/></w:sectPr>"
                                   "</w:body></w:document>";
    entries["word/styles.xml"] = kXml + "<w:styles " + kWordNs + ">" + kStyles + "</w:styles>";
    if (!numbering.empty())
        entries["word/numbering.xml"] =
            std::string("<w:numbering ") + kWordNs + ">" + numbering + "</w:numbering>";
    if (!footnotes.empty())
        entries["word/footnotes.xml"] =
            std::string("<w:footnotes ") + kWordNs +
            "><w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p>"
            "</w:footnote>" +
            footnotes + "</w:footnotes>";
    entries["docProps/core.xml"] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><cp:coreProperties xmlns:cp=\"http://schemas."
        "openxmlformats.org/package/2006/metadata/core-properties\" xmlns:dc=\"http://purl.org/dc/"
        "elements/1.1/\"><dc:title>" +
        Escape(title) + "</dc:title><dc:creator>" + Escape(author) +
        "</dc:creator><dc:description>" + Escape(comments) +
        "</dc:description></cp:coreProperties>";
    for (const auto& [name, data] : media_) entries["word/media/" + name] = data;
    WriteZip(path, entries);
}

void WriteZip(const std::string& path, const std::map<std::string, std::string>& entries) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) throw std::runtime_error("cannot create " + path);
    for (const auto& [name, data] : entries) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (source == nullptr || zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE) < 0)
            throw std::runtime_error("cannot add " + name);
    }
    if (zip_close(archive) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace quillery::testing
