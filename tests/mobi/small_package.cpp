// Small hand-made OPF packages (see small_package.h).

#include "small_package.h"

namespace quillery::mobi::testing {
namespace {

std::string MediaType(const std::string& path) {
    const auto ends = [&](const char* suffix) {
        const std::string s(suffix);
        return path.size() >= s.size() && path.compare(path.size() - s.size(), s.size(), s) == 0;
    };
    if (ends(".htm")) return "text/html";
    if (ends(".xhtml")) return "application/xhtml+xml";
    if (ends(".css")) return "text/css";
    if (ends(".png")) return "image/png";
    if (ends(".gif")) return "image/gif";
    if (ends(".jpg")) return "image/jpeg";
    return "application/octet-stream";
}

}  // namespace

std::string WriteSmallPackage(const quillery::testing::TempDir& dir, const SmallPackage& package) {
    std::string manifest;
    std::string spine;
    int number = 0;
    for (const auto& [path, content] : package.files) {
        std::string id = std::to_string(++number);
        id.insert(0, 1, 'i');
        if (!content.empty() || path.find("missing") == std::string::npos)
            dir.Write("pkg/" + path, content);
        manifest += "<item id=\"" + id + "\" href=\"" + path + "\" media-type=\"" +
                    MediaType(path) + "\"/>\n";
        if (MediaType(path).find("html") != std::string::npos)
            spine += "<itemref idref=\"" + id + "\"/>";
    }
    return dir.Write("pkg/content.opf",
                     "<?xml version=\"1.0\"?>\n"
                     "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\">\n"
                     "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                     "<dc:title>Small</dc:title><dc:language>en</dc:language></metadata>\n"
                     "<manifest>\n" +
                         manifest + "</manifest>\n<spine>" + spine + "</spine>\n" + package.guide +
                         "</package>\n");
}

}  // namespace quillery::mobi::testing
