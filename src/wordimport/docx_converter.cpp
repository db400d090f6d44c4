// The .docx converter that stands in for Word's "save as filtered HTML" (see docx_converter.h).

#include "wordimport/docx_converter.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "text/file_utils.h"
#include "text/strings.h"
#include "text/text_file.h"
#include "wordimport/docx_body_writer.h"
#include "wordimport/docx_formatting.h"
#include "wordimport/docx_numbering.h"
#include "wordimport/docx_styles.h"
#include "wordimport/docx_xml.h"
#include "wordimport/section_split.h"

namespace quillery {
namespace {

namespace fs = std::filesystem;
using namespace docx;

constexpr std::string_view kMainPart = "word/document.xml";
constexpr std::string_view kHtmlStart =
    "<html>\r\n\r\n<head>\r\n"
    "<meta http-equiv=Content-Type content=\"text/html; charset=utf-8\">\r\n"
    "<meta name=Generator content=\"Microsoft Word 15 (filtered)\">\r\n";
constexpr std::string_view kSectionBreak =
    "<br clear=all style='page-break-before:always'>\r\n\r\n";

std::string Part(DocxArchive& archive, const std::string& name) {
    return archive.Read(name).value_or("");
}

DocumentProperties ReadProperties(const std::string& coreXml) {
    DocumentProperties properties;
    if (coreXml.empty()) return properties;
    pugi::xml_document doc;
    ParsePart(doc, coreXml, "docProps/core.xml");
    const pugi::xml_node root = doc.document_element();
    properties.title = Child(root, "title").text().get();
    properties.author = Child(root, "creator").text().get();
    properties.comments = Child(root, "description").text().get();
    return properties;
}

// "020F0502020204030204" -> "2 15 5 2 2 2 4 3 2 4".
std::string PanoseText(const std::string& hex) {
    if (hex.size() != 20) return {};
    std::string out;
    for (std::size_t i = 0; i < 20; i += 2) {
        const int value = std::stoi(hex.substr(i, 2), nullptr, 16);
        out += std::string(i == 0 ? "" : " ") + std::to_string(value);
    }
    return out;
}

std::string SafeCssName(const std::string& name) {
    std::string out;
    for (char c : name)
        if (c != '"' && c != '\'' && c != '{' && c != '}' && c != ';' && c != '<' && c != '>')
            out += c;
    return out;
}

std::string FontDefinitions(const std::string& fontTableXml) {
    std::string out;
    if (fontTableXml.empty()) return out;
    pugi::xml_document doc;
    ParsePart(doc, fontTableXml, "word/fontTable.xml");
    for (pugi::xml_node font = doc.document_element().first_child(); font;
         font = font.next_sibling()) {
        if (!Is(font, "font")) continue;
        const std::string name = SafeCssName(Attr(font, "name"));
        if (name.empty()) continue;
        // Word quotes a family name only when it is more than one word.
        const bool quoted = name.find(' ') != std::string::npos;
        out += "@font-face\r\n\t{font-family:" + (quoted ? "\"" + name + "\"" : name);
        std::string panose;
        try {
            panose = PanoseText(ChildVal(font, "panose1"));
        } catch (const std::exception&) {
            panose.clear();  // not hexadecimal: no panose line
        }
        if (!panose.empty()) out += ";\r\n\tpanose-1:" + panose;
        out += ";}\r\n";
    }
    return out;
}

std::string Rule(const std::string& selector, const std::string& declarations) {
    std::string body = ReplaceAll(declarations, ";", ";\r\n\t");
    return selector + "\r\n\t{" + body + (body.empty() ? "" : ";") + "}\r\n";
}

std::string StyleDefinitions(const DocxStyles& styles, const std::set<std::string>& used) {
    std::string normal = styles.DefaultRunDeclarations();
    if (const StyleInfo* style = styles.Find(styles.DefaultParagraphStyle()))
        if (!style->declarations.empty())
            normal += (normal.empty() ? "" : ";") + style->declarations;
    std::string out = Rule("p.MsoNormal, li.MsoNormal, div.MsoNormal", normal);
    for (const std::string& id : styles.InDocumentOrder()) {
        if (!used.contains(id)) continue;
        const StyleInfo* style = styles.Find(id);
        if (style == nullptr || id == styles.DefaultParagraphStyle()) continue;
        const std::string cls = styles.ClassName(id);
        if (style->type == "character") {
            out += Rule("span." + cls, style->declarations);
            continue;
        }
        const int level = styles.HeadingLevel(id);
        if (level >= 1 && level <= 6) {
            out += Rule(std::string("h") + std::to_string(level), style->declarations);
            continue;
        }
        const std::string name =
            level > 6 ? std::string("MsoHeading") + std::to_string(level) : cls;
        out += Rule("p." + name + ", li." + name + ", div." + name, style->declarations);
    }
    return out;
}

std::string PageDefinitions(const std::vector<SectionHtml>& sections) {
    std::string out;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const SectionHtml& s = sections[i];
        const std::string name = std::string("WordSection") + std::to_string(i + 1);
        out += "@page " + name + "\r\n\t{size:" + PointsFromTwips(s.pageWidthTwips) + " " +
               PointsFromTwips(s.pageHeightTwips) +
               ";\r\n\tmargin:" + PointsFromTwips(s.marginsTwips[0]) + " " +
               PointsFromTwips(s.marginsTwips[1]) + " " + PointsFromTwips(s.marginsTwips[2]) + " " +
               PointsFromTwips(s.marginsTwips[3]) + ";}\r\ndiv." + name + "\r\n\t{page:" + name +
               ";}\r\n";
    }
    return out;
}

}  // namespace

WordHtmlDocument RenderDocx(const std::string& docxPath, const std::string& htmlBaseName,
                            const DocxConversionOptions& options) {
    DocxArchive archive(docxPath, options.limits);
    if (!archive.Has(std::string(kMainPart)))
        throw DocxError(
            "This file is not a Word document (.docx): it holds no document text "
            "(word/document.xml).");

    WordHtmlDocument result;
    result.properties = ReadProperties(Part(archive, "docProps/core.xml"));
    const DocxStyles styles(Part(archive, "word/styles.xml"));
    DocxNumbering numbering(Part(archive, "word/numbering.xml"));
    PictureStore pictures(options.picturesAsPng ? PictureFormat::Png : PictureFormat::Gif);

    pugi::xml_document document;
    ParsePart(document, Part(archive, std::string(kMainPart)), std::string(kMainPart));
    const pugi::xml_node body = Child(document.document_element(), "body");
    if (!body) throw DocxError("This Word document is damaged: its document text has no body.");

    BodyWriterSettings settings;
    settings.pixelsPerInch =
        options.pixelsPerInch > 0 && options.pixelsPerInch < 10000 ? options.pixelsPerInch : 96;
    settings.pictureReference = PictureFolderReference(htmlBaseName);
    HtmlBodyWriter writer(
        styles, numbering, pictures,
        [&archive](const std::string& part) { return archive.Read(part); }, settings, result.log);
    const Relationships rels =
        ReadRelationships(Part(archive, "word/_rels/document.xml.rels"), "word/");
    const std::vector<SectionHtml> sections = writer.WriteBody(body, rels);

    pugi::xml_document footnotes, endnotes;
    const std::string footnotesXml = Part(archive, "word/footnotes.xml");
    const std::string endnotesXml = Part(archive, "word/endnotes.xml");
    if (!footnotesXml.empty()) ParsePart(footnotes, footnotesXml, "word/footnotes.xml");
    if (!endnotesXml.empty()) ParsePart(endnotes, endnotesXml, "word/endnotes.xml");
    const std::string notes = writer.WriteNotes(
        footnotes.document_element(),
        ReadRelationships(Part(archive, "word/_rels/footnotes.xml.rels"), "word/"),
        endnotes.document_element(),
        ReadRelationships(Part(archive, "word/_rels/endnotes.xml.rels"), "word/"));

    std::string& html = result.html;
    html += kHtmlStart;
    if (!result.properties.title.empty())
        html += "<title>" + EscapeHtmlText(result.properties.title) + "</title>\r\n";
    html += "<style>\r\n<!--\r\n /* Font Definitions */\r\n";
    html += FontDefinitions(Part(archive, "word/fontTable.xml"));
    html += " /* Style Definitions */\r\n";
    html += StyleDefinitions(styles, writer.usedStyles());
    html += " /* Page Definitions */\r\n";
    html += PageDefinitions(sections);
    html +=
        " /* List Definitions "
        "*/\r\nol\r\n\t{margin-bottom:0cm;}\r\nul\r\n\t{margin-bottom:0cm;}\r\n";
    html += "-->\r\n</style>\r\n\r\n</head>\r\n\r\n";
    std::string language;
    for (char c : styles.Language())
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') language += c;
    html += "<body lang=" + (language.empty() ? std::string("EN-US") : language) +
            " link=\"#0563C1\" vlink=\"#954F72\" style='word-wrap:break-word'>\r\n\r\n";
    for (std::size_t i = 0; i < sections.size(); ++i) {
        if (i > 0) html += kSectionBreak;
        html += std::string("<div class=WordSection") + std::to_string(i + 1) + ">\r\n\r\n";
        html += sections[i].html;
        html += "</div>\r\n\r\n";
    }
    html += notes;
    html += "</body>\r\n\r\n</html>\r\n";
    result.pictures = pictures.files();
    return result;
}

WordHtmlDocument ConvertDocxToWordHtml(const std::string& docxPath, const std::string& htmlPath,
                                       const DocxConversionOptions& options) {
    WordHtmlDocument document = RenderDocx(docxPath, FileBaseName(htmlPath), options);
    const std::string picturesFolder = StripExtension(htmlPath) + "_files/";
    try {
        const std::size_t slash = htmlPath.rfind('/');
        if (slash != std::string::npos) fs::create_directories(htmlPath.substr(0, slash + 1));
        if (FolderExists(picturesFolder)) DeleteFolderTree(picturesFolder);
        if (!document.pictures.empty()) {
            fs::create_directories(picturesFolder);
            for (const PictureFile& picture : document.pictures)
                WriteTextFile(picturesFolder + picture.name, picture.data);
        }
        WriteTextFile(htmlPath, document.html);
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(picturesFolder, ignored);
        fs::remove(htmlPath, ignored);
        throw;
    }
    return document;
}

}  // namespace quillery
