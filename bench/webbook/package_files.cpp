// The package document and the table of contents of the generated web book (see package_files.h).

#include "package_files.h"

namespace quillery::bench {

namespace {

constexpr const char* kBookId = "urn:uuid:7d0c6a52-5b1e-4c9a-9a51-0b00c0ffee01";
constexpr const char* kBookTitle = "The Generated Web Book";

std::string ChapterId(int number) { return "ch" + std::to_string(number); }
std::string ImageId(int number) { return "img" + std::to_string(number); }

}  // namespace

std::string ContentOpf(const WebBookOptions& o) {
    std::string opf =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\" "
        "unique-identifier=\"BookId\">\n"
        "  <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
        "xmlns:opf=\"http://www.idpf.org/2007/opf\">\n";
    opf += std::string("    <dc:title>") + kBookTitle + "</dc:title>\n";
    opf +=
        "    <dc:creator opf:role=\"aut\">Quillery Benchmarks</dc:creator>\n"
        "    <dc:language>en</dc:language>\n"
        "    <dc:publisher>Quillery</dc:publisher>\n"
        "    <dc:date>2026-01-01</dc:date>\n";
    opf += std::string("    <dc:identifier id=\"BookId\" opf:scheme=\"UUID\">") + kBookId +
           "</dc:identifier>\n";
    opf +=
        "  </metadata>\n  <manifest>\n"
        "    <item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n"
        "    <item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>\n";
    for (int n = 1; n <= o.chapters; ++n)
        opf += "    <item id=\"" + ChapterId(n) + "\" href=\"" + ChapterFileName(n, o.chapters) +
               "\" media-type=\"application/xhtml+xml\"/>\n";
    for (int n = 1; n <= o.images; ++n)
        opf += "    <item id=\"" + ImageId(n) + "\" href=\"" + ImageFileName(n, o.images) +
               "\" media-type=\"image/jpeg\"/>\n";
    opf += "  </manifest>\n  <spine toc=\"ncx\">\n";
    for (int n = 1; n <= o.chapters; ++n) opf += "    <itemref idref=\"" + ChapterId(n) + "\"/>\n";
    opf += "  </spine>\n  <guide>\n";
    opf += "    <reference type=\"text\" title=\"Beginning\" href=\"" +
           ChapterFileName(1, o.chapters) + "\"/>\n";
    opf += "  </guide>\n</package>\n";
    return opf;
}

std::string TocNcx(const WebBookOptions& o, const std::vector<std::string>& titles) {
    std::string ncx =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<!DOCTYPE ncx PUBLIC \"-//NISO//DTD ncx 2005-1//EN\" "
        "\"http://www.daisy.org/z3986/2005/ncx-2005-1.dtd\">\n"
        "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\" xml:lang=\"en\">\n "
        " <head>\n";
    ncx += std::string("    <meta name=\"dtb:uid\" content=\"") + kBookId + "\"/>\n";
    ncx +=
        "    <meta name=\"dtb:depth\" content=\"2\"/>\n"
        "    <meta name=\"dtb:totalPageCount\" content=\"0\"/>\n"
        "    <meta name=\"dtb:maxPageNumber\" content=\"0\"/>\n  </head>\n";
    ncx += std::string("  <docTitle><text>") + kBookTitle + "</text></docTitle>\n  <navMap>\n";
    int play_order = 0;
    for (int first = 1; first <= o.chapters; first += o.chapters_per_part) {
        const int part = (first - 1) / o.chapters_per_part + 1;
        const std::string part_text = std::to_string(part);
        ncx += "    <navPoint id=\"part" + part_text + "\" playOrder=\"" +
               std::to_string(++play_order) + "\">\n";
        ncx += "      <navLabel><text>Part " + part_text + "</text></navLabel>\n";
        ncx += "      <content src=\"" + ChapterFileName(first, o.chapters) + "#part" + part_text +
               "\"/>\n";
        for (int n = first; n < first + o.chapters_per_part && n <= o.chapters; ++n) {
            ncx += "      <navPoint id=\"nav" + std::to_string(n) + "\" playOrder=\"" +
                   std::to_string(++play_order) + "\">\n";
            ncx += "        <navLabel><text>" + titles[n - 1] + "</text></navLabel>\n";
            ncx += "        <content src=\"" + ChapterFileName(n, o.chapters) +
                   "\"/>\n      </navPoint>\n";
        }
        ncx += "    </navPoint>\n";
    }
    ncx += "  </navMap>\n</ncx>\n";
    return ncx;
}

}  // namespace quillery::bench
