// Fuzzes the package reader: the input is a package document, compiled with a small fixed
// package around it (a chapter, a stylesheet, a picture and a table of contents), and also
// read as a table of contents itself.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "mobi/book_compiler.h"
#include "mobi/book_toc.h"
#include "mobi/opf_package.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The fixed part of the package, written once into a folder of its own.
const std::string& PackageFolder() {
    static const std::string folder = [] {
        char name[] = "/tmp/quillery-package-fuzz-XXXXXX";
        if (mkdtemp(name) == nullptr) std::abort();
        const std::string dir = std::string(name) + "/";
        WriteFile(dir + "ch1.htm",
                  "<html><head><link rel=stylesheet href=style.css></head><body id=top>"
                  "<h1 class=t>One</h1><p>Text <a href=\"ch2.htm#x\">on</a>.<img src=pic.gif>"
                  "</p></body></html>");
        WriteFile(dir + "ch2.htm", "<p id=x>Two &amp; more</p>");
        WriteFile(dir + "style.css", "h1.t { text-align: center; font-weight: bold }");
        // A 1x1 GIF.
        WriteFile(dir + "pic.gif",
                  std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!"
                              "\xf9\x04\x01\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00"
                              "\x00\x02\x02\x44\x01\x00;",
                              43));
        WriteFile(dir + "toc.ncx",
                  "<ncx><navMap><navPoint playOrder=\"1\"><navLabel><text>One</text>"
                  "</navLabel><content src=\"ch1.htm\"/></navPoint></navMap></ncx>");
        return dir;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillery::mobi;
    const std::string xml(reinterpret_cast<const char*>(data), size);
    {
        Diagnostics diagnostics;
        ParseOpfPackage(xml, diagnostics);
        ParseNcx(xml, "toc.ncx", diagnostics);
    }
    const std::string& folder = PackageFolder();
    WriteFile(folder + "content.opf", xml);
    for (const int level : {1, 2}) {
        Diagnostics diagnostics;
        CompileOptions options;
        options.opfPath = folder + "content.opf";
        options.compressionLevel = level;
        options.threads = 1;
        options.western = level == 2;
        CompileBook(options, diagnostics);
    }
    return 0;
}
