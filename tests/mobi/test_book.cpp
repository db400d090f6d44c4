#include "test_book.h"

#include <gd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace quillery::mobi::testing {
namespace {

void WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path);
}

// Words with characters of one to four UTF-8 bytes, so that record boundaries cut some.
const std::vector<std::string>& Vocabulary() {
    static const std::vector<std::string> words = {
        "the",      "quill",   "wrote",    "slowly",    "across",   "paper", "café",   "naïve",
        "über",     "Ærø",     "“quoted”", "em—dash",   "snow☃man", "世界",  "😀smile", "river",
        "mountain", "lantern", "ελληνικά", "кириллица", "and",      "of",    "a",      "night",
        "morning",  "window",  "garden",   "letter",    "€100",     "½"};
    return words;
}

std::string Escape(const std::string& word) {
    // Some characters go in as references, the way old pages write them.
    if (word == "café") return "caf&eacute;";
    if (word == "“quoted”") return "&#8220;quoted&#x201D;";
    if (word == "½") return "&frac12;";
    if (word == "and") return "&amp;";
    return word;
}

std::string WordAsRead(const std::string& word) { return word == "and" ? "&" : word; }

}  // namespace

std::string FoldSpaces(const std::string& text) {
    std::string out;
    bool space = false;
    for (unsigned char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0xA0) {
            space = true;
            continue;
        }
        if (space && !out.empty()) out += ' ';
        space = false;
        out += static_cast<char>(c);
    }
    return out;
}

std::string MakeTestPicture(const std::string& format, int width, int height, unsigned seed) {
    gdImagePtr image = gdImageCreateTrueColor(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(random() % 64);
            const int r = (x * 255 / std::max(1, width - 1) + noise) % 256;
            const int g = (y * 255 / std::max(1, height - 1) + noise) % 256;
            const int b = ((x + y) * 3 + static_cast<int>(seed) * 40) % 256;
            gdImageSetPixel(image, x, y, gdTrueColor(r, g, b));
        }
    }
    int size = 0;
    void* data = nullptr;
    if (format == "jpeg")
        data = gdImageJpegPtr(image, &size, 90);
    else if (format == "png")
        data = gdImagePngPtr(image, &size);
    else if (format == "bmp")
        data = gdImageBmpPtr(image, &size, 0);
    else if (format == "gif") {
        gdImageTrueColorToPalette(image, 1, 256);
        data = gdImageGifPtr(image, &size);
    }
    gdImageDestroy(image);
    if (!data) throw std::runtime_error("cannot encode a test picture as " + format);
    std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(size));
    gdFree(data);
    return bytes;
}

TestBook WriteTestBook(const std::string& folderIn, const TestBookOptions& options) {
    TestBook book;
    book.folder = folderIn.back() == '/' ? folderIn : folderIn + "/";
    book.opfPath = book.folder + "content.opf";
    std::mt19937 random(options.seed);
    const auto& vocabulary = Vocabulary();

    // Pictures.
    static const char* kFormats[] = {"jpeg", "png", "gif", "bmp"};
    static const char* kExtensions[] = {"jpg", "png", "gif", "bmp"};
    static const char* kMediaTypes[] = {"image/jpeg", "image/png", "image/gif", "image/bmp"};
    std::string manifest;
    for (int i = 0; i < options.pictures; ++i) {
        const int kind = i % 4;
        const bool big = options.bigPicture && i == 1;
        const std::string path =
            std::string("images/pic") + std::to_string(i + 1) + "." + kExtensions[kind];
        WriteFile(book.folder + path,
                  MakeTestPicture(kFormats[kind], big ? 1400 : 120 + 20 * (i % 5),
                                  big ? 1000 : 90 + 10 * (i % 3), options.seed + i));
        book.pictures.push_back(path);
        manifest += "<item id=\"pic" + std::to_string(i + 1) + "\" href=\"" + path +
                    "\" media-type=\"" + kMediaTypes[kind] + "\"/>\n";
    }
    if (options.cover) {
        book.coverPath = "images/cover.png";
        WriteFile(book.folder + book.coverPath,
                  MakeTestPicture("png", 600, 800, options.seed + 99));
        manifest += "<item id=\"coverPic\" href=\"images/cover.png\" media-type=\"image/png\"/>\n";
    }
    WriteFile(book.folder + "css/book.css",
              "/* the book's styles */\nh2 { font-size: 1.5em; text-align: center }\n"
              "p.first { text-indent: 0; margin-top: 1em }\n.note { font-style: italic }\n"
              "span.strong, B.strong { font-weight: bold }\n.chapter-title { page-break-before: "
              "always; }\n");

    // Chapters.
    const int chapterCount = options.chapters;
    std::string spine;
    std::string nav;
    int playOrder = 0;
    for (int c = 0; c < chapterCount; ++c) {
        TestChapter chapter;
        chapter.path = "text/chapter" + std::to_string(c + 1) + ".html";
        std::string html;
        std::string plain;
        const auto say = [&](const std::string& escaped, const std::string& read) {
            html += escaped;
            plain += read;
        };
        html +=
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n"
            "<META http-equiv=Content-Type content=\"text/html; charset=utf-8\">\n<TITLE>Chapter " +
            std::to_string(c + 1) +
            "</TITLE>\n<LINK REL=stylesheet TYPE=text/css HREF=../css/book.css>\n"
            "<SCRIPT type=\"text/javascript\">var x = \"<p>not text</p>\"; if (a < b) {}</SCRIPT>\n"
            "<STYLE>.aside { text-decoration: underline }</STYLE>\n</HEAD>\n<BODY>\n";
        const std::string title = "Chapter " + std::to_string(c + 1);
        say("<H1 CLASS=chapter-title ID=top>" + title + "</H1>\n", title + " ");
        ++playOrder;
        nav += "<navPoint id=\"n" + std::to_string(playOrder) + "\" playOrder=\"" +
               std::to_string(playOrder) + "\"><navLabel><text>" + title +
               "</text></navLabel><content src=\"" + chapter.path + "\"/>\n";
        book.tocLines.push_back("0|" + title);
        int section = 0;
        int paragraph = 0;
        int pictureCursor = c;
        while (html.size() < options.chapterBytes || section < 2) {
            if (paragraph % 6 == 0) {
                ++section;
                std::string id = std::to_string(section);
                id.insert(0, 1, 's');
                chapter.sectionIds.push_back(id);
                const std::string heading =
                    "Section " + std::to_string(c + 1) + "." + std::to_string(section);
                say("<h2 id=\"" + id + "\">" + heading + "</h2>\n", heading + " ");
                if (section <= 3) {
                    ++playOrder;
                    nav += "<navPoint id=\"n" + std::to_string(playOrder) + "\" playOrder=\"" +
                           std::to_string(playOrder) + "\"><navLabel><text>" + heading +
                           "</text></navLabel><content src=\"" + chapter.path + "#" + id +
                           "\"/></navPoint>\n";
                    book.tocLines.push_back("1|" + heading);
                }
            }
            ++paragraph;
            html += paragraph % 3 == 0 ? "<P CLASS=first>" : "<p>";
            const int words = 25 + static_cast<int>(random() % 40);
            for (int w = 0; w < words; ++w) {
                const std::string& word = vocabulary[random() % vocabulary.size()];
                if (w == 5 && paragraph % 4 == 0) {
                    say("<span class=strong>" + Escape(word) + "</span> ", WordAsRead(word) + " ");
                } else if (w == 9 && paragraph % 5 == 0) {
                    say("<I CLASS=note>" + Escape(word) + "</I> ", WordAsRead(word) + " ");
                } else {
                    say(Escape(word) + " ", WordAsRead(word) + " ");
                }
            }
            if (paragraph % 4 == 1) {
                // A link to the next chapter's second section, to this chapter's first, and back.
                const int target = (c + 1) % chapterCount;
                say("<a href=\"chapter" + std::to_string(target + 1) + ".html#s2\">onward</a> ",
                    "onward ");
                say("<A HREF=#s1>up</A> ", "up ");
                if (c > 0)
                    say("<a href='../text/chapter" + std::to_string(c) + ".html'>back</a> ",
                        "back ");
            }
            if (paragraph % 5 == 2 && !book.pictures.empty()) {
                const std::string& picture =
                    book.pictures[static_cast<std::size_t>(pictureCursor++) % book.pictures.size()];
                html += "<IMG SRC=\"../" + picture + "\" ALT=\"picture\">";
            }
            html += "<!-- a comment with <b>markup</b> -->\n";
        }
        html += "</BODY>\n</HTML>\n";
        WriteFile(book.folder + chapter.path, html);
        nav += "</navPoint>\n";
        chapter.plainText = FoldSpaces(plain);
        manifest += "<item id=\"c" + std::to_string(c + 1) + "\" href=\"" + chapter.path +
                    "\" media-type=\"application/xhtml+xml\"/>\n";
        spine += "<itemref idref=\"c" + std::to_string(c + 1) + "\"/>\n";
        book.chapters.push_back(std::move(chapter));
    }
    // The contents page that the guide names, as the package writer makes it: one link per
    // table of contents entry, sections indented under their chapter.
    std::string contents = "<html><head><title>Contents</title></head><body>\n<h2>Contents</h2>\n";
    std::string contentsPlain = "Contents ";
    for (std::size_t c = 0; c < book.chapters.size(); ++c) {
        const auto& chapter = book.chapters[c];
        const std::string number = std::to_string(c + 1);
        contents += "<p style=\"text-indent: 0\"><a href=\"" + chapter.path + "\">Chapter " +
                    number + "</a></p>\n";
        contentsPlain += "Chapter " + number + " ";
        for (std::size_t k = 1; k <= std::min<std::size_t>(3, chapter.sectionIds.size()); ++k) {
            const std::string label = "Section " + number + "." + std::to_string(k);
            contents += "<p style=\"text-indent: 3em\"><a href=\"" + chapter.path + "#s" +
                        std::to_string(k) + "\">" + label + "</a></p>\n";
            contentsPlain += label + " ";
        }
    }
    contents += "</body></html>\n";
    WriteFile(book.folder + "toc.htm", contents);
    book.contentsPlainText = FoldSpaces(contentsPlain);
    manifest += "<item id=\"toc\" href=\"toc.htm\" media-type=\"application/xhtml+xml\"/>\n";
    spine = "<itemref idref=\"toc\"/>\n" + spine;
    manifest +=
        "<item id=\"css\" href=\"css/book.css\" media-type=\"text/css\"/>\n"
        "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n";
    WriteFile(book.folder + "toc.ncx",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ncx "
              "xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\">\n"
              "<head><meta name=\"dtb:uid\" content=\"test-book\"/></head><docTitle><text>" +
                  options.title + "</text></docTitle>\n<navMap>\n" + nav + "</navMap>\n</ncx>\n");
    const std::string coverMeta =
        options.cover ? "<meta name=\"cover\" content=\"coverPic\"/>\n" : "";
    WriteFile(
        book.opfPath,
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<package "
        "xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\" unique-identifier=\"uid\">\n"
        "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        "xmlns:opf=\"http://www.idpf.org/2007/opf\">\n"
        "<dc:title>" +
            options.title + "</dc:title>\n<dc:creator opf:role=\"aut\">" + options.author +
            "</dc:creator>\n<dc:publisher>" + options.publisher + "</dc:publisher>\n<dc:language>" +
            options.language + "</dc:language>\n<dc:identifier id=\"uid\">test-book-" +
            std::to_string(options.seed) +
            "</dc:identifier>\n<dc:date>2024-05-01</dc:date>\n<dc:subject>Testing</dc:subject>\n"
            "<dc:description>A book made for the tests.</dc:description>\n" +
            coverMeta + "</metadata>\n<manifest>\n" + manifest +
            "</manifest>\n<spine toc=\"ncx\">\n" + spine +
            "</spine>\n<guide>\n<reference type=\"toc\" title=\"Table of Contents\" "
            "href=\"toc.htm\"/>\n"
            "<reference type=\"text\" title=\"Start\" "
            "href=\"text/chapter1.html\"/>\n</guide>\n</package>\n");
    return book;
}

}  // namespace quillery::mobi::testing
