#include "large_docx.h"

#include <zip.h>
#include <zlib.h>

#include <map>
#include <stdexcept>

namespace quillery::bench {
namespace {

constexpr const char* kNs =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"";
constexpr const char* kWords[] = {
    "harbour", "lantern", "morning", "the",    "boats", "quietly", "drift", "past", "a",    "stone",
    "wall",    "where",   "gulls",   "gather", "and",   "nets",    "dry",   "in",   "salt", "wind"};

void PutBig32(std::string& out, unsigned value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

std::string Chunk(const std::string& type, const std::string& data) {
    std::string out;
    PutBig32(out, static_cast<unsigned>(data.size()));
    const std::string body = type + data;
    out += body;
    PutBig32(out, static_cast<unsigned>(
                      crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
    return out;
}

// A width by height RGB PNG with a colour gradient.
std::string Png(int width, int height, int seed) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        for (int x = 0; x < width; ++x) {
            raw += static_cast<char>((x * 255 / width + seed * 40) & 0xFF);
            raw += static_cast<char>(y * 255 / height);
            raw += static_cast<char>((seed * 70) & 0xFF);
        }
    }
    uLongf size = compressBound(raw.size());
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(raw.data()), raw.size());
    packed.resize(size);
    std::string header;
    PutBig32(header, static_cast<unsigned>(width));
    PutBig32(header, static_cast<unsigned>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1A\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", packed) +
           Chunk("IEND", "");
}

std::string Run(const std::string& text, const std::string& props = "") {
    return "<w:r>" + (props.empty() ? "" : "<w:rPr>" + props + "</w:rPr>") +
           "<w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
}

}  // namespace

void WriteLargeDocx(const std::string& path, const LargeDocxShape& shape) {
    std::map<std::string, std::string> entries;
    std::string body;
    std::string rels;
    const int wordsPerSection = shape.words / shape.sections;
    int word = 0;
    int picture = 0;
    for (int section = 1; section <= shape.sections; ++section) {
        body += "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr>" +
                Run("Chapter " + std::to_string(section)) + "</w:p>";
        int written = 0;
        int paragraph = 0;
        while (written < wordsPerSection) {
            ++paragraph;
            std::string p = "<w:p>";
            for (int run = 0; run < 4; ++run) {
                std::string text;
                for (int i = 0; i < 20; ++i, ++written, ++word)
                    text += std::string(kWords[(word * 7 + i) % 20]) + " ";
                p += Run(text, run == 1 ? "<w:b/>" : run == 2 ? "<w:i/>" : "");
            }
            body += p + "</w:p>";
            if (paragraph % 10 == 0)
                body +=
                    "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/>"
                    "</w:numPr></w:pPr>" +
                    Run("a listed point") + "</w:p>";
        }
        if (picture < shape.pictures && section % 2 == 0) {
            ++picture;
            const std::string id = "rId" + std::to_string(100 + picture);
            const std::string name = "image" + std::to_string(picture) + ".png";
            entries["word/media/" + name] = Png(640, 480, picture);
            rels += "<Relationship Id=\"" + id +
                    "\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/image\" Target=\"media/" +
                    name + "\"/>";
            body +=
                "<w:p><w:r><w:drawing><wp:inline><wp:extent cx=\"3048000\" cy=\"2286000\"/>"
                "<wp:docPr id=\"" +
                std::to_string(picture) +
                "\" name=\"p\"/><a:graphic>"
                "<a:graphicData><pic:pic><pic:blipFill><a:blip r:embed=\"" +
                id +
                "\"/></pic:blipFill></pic:pic></a:graphicData></a:graphic></wp:inline>"
                "</w:drawing></w:r></w:p>";
        }
        if (section < shape.sections) body += "<w:p><w:pPr><w:sectPr/></w:pPr></w:p>";
    }
    entries["[Content_Types].xml"] =
        "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
        "content-types\"><Default Extension=\"rels\" ContentType=\"application/"
        "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
        "ContentType=\"application/xml\"/><Default Extension=\"png\" ContentType=\"image/png\"/>"
        "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd."
        "openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";
    entries["_rels/.rels"] =
        "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
        "2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
        "officeDocument/2006/relationships/officeDocument\" Target=\"word/document.xml\"/>"
        "</Relationships>";
    entries["word/_rels/document.xml.rels"] =
        "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
        "2006/relationships\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
        "officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/><Relationship "
        "Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "numbering\" Target=\"numbering.xml\"/>" +
        rels + "</Relationships>";
    entries["word/document.xml"] = std::string("<?xml version=\"1.0\"?><w:document ") + kNs +
                                   "><w:body>" + body + "<w:sectPr/></w:body></w:document>";
    entries["word/styles.xml"] =
        std::string("<w:styles ") + kNs +
        "><w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name "
        "w:val=\"Normal\"/></w:style><w:style w:type=\"paragraph\" w:styleId=\"Heading1\">"
        "<w:name w:val=\"heading 1\"/><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr></w:style>"
        "</w:styles>";
    entries["word/numbering.xml"] =
        std::string("<w:numbering ") + kNs +
        "><w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"bullet\"/>"
        "<w:lvlText w:val=\"\xEF\x82\xA7\"/><w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr>"
        "</w:lvl></w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
        "</w:numbering>";

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

}  // namespace quillery::bench
