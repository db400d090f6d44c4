// The generated web book used by the benchmarks (see webbook.h).

#include "webbook.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "jpeg_picture.h"
#include "package_files.h"
#include "prose.h"

namespace fs = std::filesystem;

namespace quillery::bench {

namespace {

constexpr std::uint64_t kBookSeed = 0x51C0FFEE2026ull;

std::string Numbered(const char* prefix, int number, int count, const char* extension) {
    const int width = std::max<int>(3, static_cast<int>(std::to_string(count).size()));
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return prefix + digits + extension;
}

bool WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

const char* kStylesheet =
    "body { font-family: serif; margin: 0 4%; }\n"
    "h1 { font-size: 1.6em; text-align: center; }\n"
    "h2 { font-size: 1.2em; margin-top: 1.2em; }\n"
    "p { text-indent: 1.5em; margin: 0; text-align: justify; }\n"
    "p.part { text-align: center; font-variant: small-caps; text-indent: 0; }\n"
    "p.nav { text-align: center; text-indent: 0; margin-top: 1em; }\n"
    "div.figure { text-align: center; margin: 1em 0; }\n";

// One chapter page. Every chapter has a section anchor "s1", so any chapter may link to
// "chNNN.htm#s1" of any other; the first chapter of a part also carries "partN".
std::string ChapterPage(const WebBookOptions& o, int number, Prng& rng) {
    const std::string title = "Chapter " + std::to_string(number) + ": " + MakeTitle(rng);
    const std::size_t target = static_cast<std::size_t>(o.chapter_kb) * 1024;
    std::string page;
    page.reserve(target + 4096);
    page +=
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
        "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n<title>";
    page += title +
            "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\" "
            "/>\n</head>\n<body>\n";
    if ((number - 1) % o.chapters_per_part == 0) {
        const int part = (number - 1) / o.chapters_per_part + 1;
        page += "<p class=\"part\" id=\"part" + std::to_string(part) + "\">Part " +
                std::to_string(part) + "</p>\n";
    }
    page += "<h1>" + title + "</h1>\n";

    // The pictures of this chapter: image j belongs to chapter ((j - 1) mod chapters) + 1,
    // so every picture is shown at least once.
    std::vector<int> pictures;
    for (int j = number; j <= o.images; j += o.chapters) pictures.push_back(j);
    std::size_t next_picture = 0;

    int section = 0;
    for (int paragraph = 0; page.size() < target || section == 0; ++paragraph) {
        if (paragraph == 1 || (paragraph > 1 && paragraph % 7 == 1)) {
            ++section;
            page += "<h2 id=\"s" + std::to_string(section) + "\">" + MakeTitle(rng) + "</h2>\n";
        }
        page += "<p>";
        AppendParagraphText(rng, page);
        if (paragraph % 5 == 3) {
            const int other =
                1 + static_cast<int>(rng.Below(static_cast<std::uint32_t>(o.chapters)));
            page += " See <a href=\"" + ChapterFileName(other, o.chapters) + "#s1\">chapter " +
                    std::to_string(other) + "</a>.";
        }
        page += "</p>\n";
        if (next_picture < pictures.size() && paragraph % 3 == 2) {
            page += "<div class=\"figure\"><img src=\"" +
                    ImageFileName(pictures[next_picture], o.images) + "\" alt=\"Picture " +
                    std::to_string(pictures[next_picture]) + "\" /></div>\n";
            ++next_picture;
        }
    }
    for (; next_picture < pictures.size(); ++next_picture) {
        page += "<div class=\"figure\"><img src=\"" +
                ImageFileName(pictures[next_picture], o.images) + "\" alt=\"Picture " +
                std::to_string(pictures[next_picture]) + "\" /></div>\n";
    }
    page += "<p class=\"nav\">";
    if (number > 1)
        page += "<a href=\"" + ChapterFileName(number - 1, o.chapters) + "\">Previous</a> ";
    if (number < o.chapters)
        page += "<a href=\"" + ChapterFileName(number + 1, o.chapters) + "\">Next</a>";
    page += "</p>\n</body>\n</html>\n";
    return page;
}

PictureSpec PictureFor(int number, Prng& rng) {
    PictureSpec picture;
    picture.seed = rng.Next();
    if (number % 10 == 0) {  // large and noisy: well over 127 KB
        picture.width = 800 + static_cast<int>(rng.Below(200));
        picture.height = 600 + static_cast<int>(rng.Below(150));
        picture.quality = 88;
        picture.detailed = true;
    } else {
        picture.width = 160 + static_cast<int>(rng.Below(480));
        picture.height = 120 + static_cast<int>(rng.Below(360));
        picture.quality = 70 + static_cast<int>(rng.Below(20));
    }
    return picture;
}

}  // namespace

std::string ChapterFileName(int number, int count) { return Numbered("ch", number, count, ".htm"); }
std::string ImageFileName(int number, int count) {
    return Numbered("images/img", number, count, ".jpg");
}

std::string WriteWebBook(const WebBookOptions& o) {
    std::error_code ec;
    fs::create_directories(fs::path(o.folder) / "images", ec);
    if (ec) return "cannot create the folder " + o.folder + "images: " + ec.message();
    const std::string base = o.folder;

    Prng rng(kBookSeed);
    std::vector<std::string> titles;
    for (int n = 1; n <= o.chapters; ++n) {
        const std::string page = ChapterPage(o, n, rng);
        const std::size_t open = page.find("<h1>") + 4;
        titles.push_back(page.substr(open, page.find("</h1>") - open));
        if (!WriteFile(base + ChapterFileName(n, o.chapters), page))
            return "cannot write " + base + ChapterFileName(n, o.chapters);
    }
    if (!WriteFile(base + "style.css", kStylesheet)) return "cannot write " + base + "style.css";

    Prng picture_rng(kBookSeed ^ 0xABCDEFull);
    for (int n = 1; n <= o.images; ++n) {
        const std::string path = base + ImageFileName(n, o.images);
        if (!WriteJpegPicture(path, PictureFor(n, picture_rng))) return "cannot write " + path;
    }

    if (o.package) {
        if (!WriteFile(base + "content.opf", ContentOpf(o)))
            return "cannot write " + base + "content.opf";
        if (!WriteFile(base + "toc.ncx", TocNcx(o, titles)))
            return "cannot write " + base + "toc.ncx";
    }
    return {};
}

}  // namespace quillery::bench
