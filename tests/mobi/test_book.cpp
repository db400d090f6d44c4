// Writes OPF packages for the compiler's tests (see test_book.h).

#include "test_book.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "test_pictures.h"

namespace quillery::mobi::testing {
namespace {

void WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path);
}

// Words as the page writes them and as a reader shows them; record boundaries cut some.
struct Word {
    const char* html;
    const char* read;
};
// clang-format off
const Word kWords[] = {
    {"the", "the"}, {"quill", "quill"}, {"caf&eacute;", "café"}, {"naïve", "naïve"},
    {"Ærø", "Ærø"}, {"&#8220;quoted&#x201D;", "“quoted”"}, {"em—dash", "em—dash"},
    {"snow☃man", "snow☃man"}, {"世界", "世界"}, {"😀smile", "😀smile"},
    {"ελληνικά", "ελληνικά"}, {"кириллица", "кириллица"}, {"&amp;", "&"}, {"€100", "€100"},
    {"&frac12;", "½"}, {"日本語の本", "日本語の本"}, {"Ωμέγα", "Ωμέγα"}, {"river", "river"},
    {"of", "of"}};
// clang-format on

// A textured picture, so that it does not compress to nothing.
std::string MakePicture(const std::string& format, int width, int height, unsigned seed) {
    gdImagePtr image = gdImageCreateTrueColor(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int noise = static_cast<int>(random() % 64);
            gdImageSetPixel(
                image, x, y,
                gdTrueColor((x * 255 / width + noise) % 256, (y * 255 / height + noise) % 256,
                            ((x + y) * 3 + static_cast<int>(seed) * 40) % 256));
        }
    }
    return EncodeAndDestroy(image, format, 90, true);
}

std::string NavPoint(int order, const std::string& label, const std::string& source) {
    return "<navPoint id=\"n" + std::to_string(order) + "\" playOrder=\"" + std::to_string(order) +
           "\"><navLabel><text>" + label + "</text></navLabel><content src=\"" + source + "\"/>\n";
}

}  // namespace

TestBook WriteTestBook(const std::string& folder, const TestBookOptions& options) {
    TestBook book;
    book.folder = folder.back() == '/' ? folder : folder + "/";
    book.opfPath = book.folder + "content.opf";
    std::mt19937 random(7);
    std::string manifest, spine, nav;
    for (int i = 0; i < options.pictures; ++i) {
        static const char* kTypes[] = {"jpeg", "png", "gif", "bmp"};
        const std::string type = kTypes[i % 4];
        const std::string extension = type == "jpeg" ? "jpg" : type;
        const std::string path = "images/pic" + std::to_string(i + 1) + "." + extension;
        const bool big = i == 1;
        WriteFile(book.folder + path, MakePicture(extension, big ? 1400 : 120 + 20 * (i % 5),
                                                  big ? 1000 : 90 + 10 * (i % 3), 7 + i));
        book.pictures.push_back(path);
        manifest += "<item id=\"pic" + std::to_string(i + 1) + "\" href=\"" + path +
                    "\" media-type=\"image/" + type + "\"/>\n";
    }
    if (options.cover) {
        WriteFile(book.folder + "images/cover.png", MakePicture("png", 600, 800, 106));
        manifest += "<item id=\"coverPic\" href=\"images/cover.png\" media-type=\"image/png\"/>\n";
    }
    WriteFile(book.folder + "css/book.css",
              "/* the book's styles */\nh2 { font-size: 1.5em; text-align: center }\n"
              "p.first { text-indent: 0; margin-top: 1em }\n.note { font-style: italic }\n"
              "span.strong, B.strong { font-weight: bold }\n"
              ".chapter-title { page-break-before: always; }\n");

    // The contents page that the guide names, as the package writer makes it; readers build
    // their table of contents from it.
    std::string contents = "<html><body>\n<h2>Contents</h2>\n", contentsPlain = "Contents";
    int playOrder = 0;
    for (int c = 1; c <= options.chapters; ++c) {
        const std::string number = std::to_string(c);
        const std::string path = "text/chapter" + number + ".html";
        std::string html =
            "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<HTML>\n<HEAD>\n"
            "<META http-equiv=Content-Type content=\"text/html; charset=utf-8\">\n<TITLE>Chapter " +
            number +
            "</TITLE>\n<LINK REL=stylesheet TYPE=text/css HREF=../css/book.css>\n"
            "<SCRIPT type=\"text/javascript\">var x = \"<p>not text</p>\"; if (a < b) {}</SCRIPT>\n"
            "<STYLE>.aside { text-decoration: underline }</STYLE>\n</HEAD>\n<BODY>\n"
            "<H1 CLASS=chapter-title ID=top>Chapter " +
            number + "</H1>\n";
        std::string plain = "Chapter " + number;  // words separated by one blank
        nav += NavPoint(++playOrder, "Chapter " + number, path);
        book.tocLines.push_back("0|Chapter " + number);
        contents += "<p><a href=\"" + path + "\">Chapter " + number + "</a></p>\n";
        contentsPlain += " Chapter " + number;
        int pictureCursor = c;
        for (int paragraph = 0, section = 0; html.size() < options.chapterBytes || section < 2;) {
            if (paragraph % 6 == 0) {
                std::string id(1, 's');
                id += std::to_string(++section);
                const std::string heading = "Section " + number + "." + std::to_string(section);
                html += "<h2 id=\"" + id + "\">" + heading + "</h2>\n";
                plain += " " + heading;
                if (section <= 3) {
                    nav += NavPoint(++playOrder, heading, path + "#" + id) + "</navPoint>\n";
                    book.tocLines.push_back("1|" + heading);
                    contents += "<p style=\"text-indent: 3em\"><a href=\"" + path + "#" + id +
                                "\">" + heading + "</a></p>\n";
                    contentsPlain += " " + heading;
                }
            }
            ++paragraph;
            html += paragraph % 3 == 0 ? "<P CLASS=first>" : "<p>";
            for (int w = 0, words = 25 + static_cast<int>(random() % 40); w < words; ++w) {
                const Word& word = kWords[random() % std::size(kWords)];
                plain += std::string(" ") + word.read;
                if (w == 5 && paragraph % 4 == 0)
                    html += std::string("<span class=strong>") + word.html + "</span> ";
                else if (w == 9 && paragraph % 5 == 0)
                    html += std::string("<I CLASS=note>") + word.html + "</I> ";
                else
                    html += std::string(word.html) + " ";
            }
            if (paragraph % 4 == 1) {
                // To the next chapter's second section, to this chapter's first, and back.
                html += "<a href=\"chapter" + std::to_string(c % options.chapters + 1) +
                        ".html#s2\">onward</a> <A HREF=#s1>up</A> ";
                plain += " onward up";
                if (c > 1) {
                    html += "<a href='../text/chapter" + std::to_string(c - 1) + ".html'>back</a> ";
                    plain += " back";
                }
            }
            if (paragraph % 5 == 2 && !book.pictures.empty())
                html += "<IMG SRC=\"../" +
                        book.pictures[static_cast<std::size_t>(pictureCursor++) %
                                      book.pictures.size()] +
                        "\" ALT=\"picture\">";
            html += "<!-- a comment with <b>markup</b> -->\n";
        }
        WriteFile(book.folder + path, html + "</BODY>\n</HTML>\n");
        nav += "</navPoint>\n";
        book.chapterPaths.push_back(path);
        book.plainPages.push_back(plain);
        manifest += "<item id=\"c" + number + "\" href=\"" + path +
                    "\" media-type=\"application/xhtml+xml\"/>\n";
        spine += "<itemref idref=\"c" + number + "\"/>\n";
    }
    WriteFile(book.folder + "toc.htm", contents + "</body></html>\n");
    book.plainPages.insert(book.plainPages.begin(), contentsPlain);
    WriteFile(book.folder + "toc.ncx",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ncx "
              "xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\">\n"
              "<head><meta name=\"dtb:uid\" content=\"test-book\"/></head>"
              "<docTitle><text>The Test Book</text></docTitle>\n<navMap>\n" +
                  nav + "</navMap>\n</ncx>\n");
    WriteFile(
        book.opfPath,
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<package "
        "xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\" unique-identifier=\"uid\">\n"
        "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        "xmlns:opf=\"http://www.idpf.org/2007/opf\">\n<dc:title>The Test Book</dc:title>\n"
        "<dc:creator opf:role=\"aut\">Ann Author</dc:creator>\n"
        "<dc:publisher>Quill Press</dc:publisher>\n<dc:language>en</dc:language>\n"
        "<dc:identifier id=\"uid\">test-book-7</dc:identifier>\n<dc:date>2024-05-01</dc:date>\n"
        "<dc:subject>Testing</dc:subject>\n"
        "<dc:description>A book made for the tests.</dc:description>\n" +
            std::string(options.cover ? "<meta name=\"cover\" content=\"coverPic\"/>\n" : "") +
            "</metadata>\n<manifest>\n" + manifest +
            "<item id=\"css\" href=\"css/book.css\" media-type=\"text/css\"/>\n"
            "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n"
            "<item id=\"toc\" href=\"toc.htm\" media-type=\"application/xhtml+xml\"/>\n"
            "</manifest>\n<spine toc=\"ncx\">\n<itemref idref=\"toc\"/>\n" +
            spine +
            "</spine>\n<guide>\n"
            "<reference type=\"toc\" title=\"Table of Contents\" href=\"toc.htm\"/>\n"
            "<reference type=\"text\" title=\"Start\" href=\"text/chapter1.html\"/>\n"
            "</guide>\n</package>\n");
    return book;
}

}  // namespace quillery::mobi::testing
