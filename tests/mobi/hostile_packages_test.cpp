// Packages made to hang the compiler or exhaust its memory: repeated stylesheet links, huge
// stylesheets, decompression bombs, pixel counts past 64 bits, files that are no pictures.
// Each is compiled, and what the book holds and what the compiler said are checked.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "mobi/book_compiler.h"
#include "mobi/picture_codec.h"
#include "small_package.h"
#include "temp_dir.h"

namespace quillery::mobi {
namespace {

std::string Repeated(const std::string& piece, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += piece;
    return out;
}

std::size_t Occurrences(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

std::string Be32(std::uint32_t value) {
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

// A PNG header declaring width x height, padded to `fileBytes` with picture data.
std::string PngDeclaring(std::uint32_t width, std::uint32_t height, std::size_t fileBytes) {
    std::string png = "\x89PNG\r\n\x1A\n" + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
                      std::string("\x08\x00\x00\x00\x00", 5) + Be32(0);
    if (png.size() + 12 < fileBytes) {
        const std::size_t data = fileBytes - png.size() - 12;
        png += Be32(static_cast<std::uint32_t>(data)) + "IDAT" + std::string(data, '\0') + Be32(0);
    }
    return png;
}

std::string GifDeclaring(std::uint16_t width, std::uint16_t height) {
    return std::string("GIF89a") + char(width & 0xFF) + char(width >> 8) + char(height & 0xFF) +
           char(height >> 8) + std::string("\x00\x00\x00", 3) + std::string(40, '\0') + ";";
}

const std::string kChapterWithPicture = "<p>Before</p><img src=\"pic.png\"><p>After</p>";

TEST(HostilePackages, AreCompiledWithoutHangingOrExhaustingMemory) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;
        // Files made large without writing them (sparse): path, size.
        std::vector<std::pair<std::string, std::uintmax_t>> grown;
        const char* warning;  // the one warning that must name this; nullptr: none
        const char* inText;   // what the text must hold
        int inTextCount = 1;  // how often
    };
    const std::string fourThousandLinks =
        Repeated("<link rel=\"stylesheet\" href=\"a.css\">", 4000);
    std::string manyRules;
    for (int i = 0; i < 20000; ++i)
        manyRules += ".c" + std::to_string(i) + " { font-style: italic }\n";
    const Case cases[] = {
        // Applied once, where first linked: b.css comes after it and wins.
        {"4,000 links to one stylesheet",
         {{"ch.htm", "<head>" + fourThousandLinks + "<link rel=stylesheet href=b.css>" +
                         fourThousandLinks + "</head><body><p class=x>x</p></body>"},
          {"a.css", ".x { font-weight: bold }"},
          {"b.css", ".x { font-weight: normal; text-align: center }"}},
         {},
         nullptr,
         "<p align=\"center\">x</p>"},
        {"4,000 links to a stylesheet outside the package",
         {{"ch.htm", Repeated("<link rel=stylesheet href=\"../out.css\">", 4000) + "<p>x</p>"}},
         {},
         "stylesheet \"../out.css\" of \"ch.htm\" is not inside the package folder",
         "<p>x</p>"},
        {"4,000 links to a stylesheet that cannot be read, in two chapters",
         {{"ch1.htm", Repeated("<link rel=stylesheet href=\"gone.css\">", 4000) + "<p>1</p>"},
          {"ch2.htm", Repeated("<link rel=stylesheet href=\"gone.css\">", 4000) + "<p>2</p>"}},
         {},
         "stylesheet \"gone.css\" cannot be read",
         "<p>2</p>"},
        {"20,000 rules, one of them used by 2,000 paragraphs",
         {{"ch.htm", "<link rel=stylesheet href=many.css>" +
                         Repeated("<p class=\"other c19999\">x</p>", 2000)},
          {"many.css", manyRules}},
         {},
         nullptr,
         "<p><i>x</i></p>",
         2000},
        {"10,000 x 10,000 PNG in 316 KB",
         {{"ch.htm", kChapterWithPicture}, {"pic.png", PngDeclaring(10000, 10000, 316 * 1024)}},
         {},
         "\"pic.png\" cannot be decoded (The PNG picture is too large (10000 x 10000 pixels",
         "<p>Before</p><p>After</p>"},
        {"PNG whose pixel count needs 64 bits",
         {{"ch.htm", kChapterWithPicture}, {"pic.png", PngDeclaring(0xFFFFFFFF, 0xFFFFFFFF, 2000)}},
         {},
         "(4294967295 x 4294967295 pixels",
         "<p>Before</p><p>After</p>"},
        {"PNG declaring 2^31 x 2^31",
         {{"ch.htm", kChapterWithPicture}, {"pic.png", PngDeclaring(0x80000000, 0x80000000, 100)}},
         {},
         "(2147483648 x 2147483648 pixels",
         "<p>Before</p><p>After</p>"},
        {"GIF of 65,535 x 65,535 in 60 bytes",
         {{"ch.htm", "<img src=pic.gif><p>After</p>"}, {"pic.gif", GifDeclaring(65535, 65535)}},
         {},
         "(65535 x 65535 pixels",
         "<p>After</p>"},
        {"a 4,096 x 4,096 PNG in a small file is no bomb",
         {{"ch.htm", kChapterWithPicture}, {"pic.png", PngDeclaring(4096, 4096, 300)}},
         {},
         "is damaged",
         "<p>Before</p><p>After</p>"},
        {"a picture that is a web page",
         {{"ch.htm", kChapterWithPicture}, {"pic.png", "<html><body>no picture</body></html>"}},
         {},
         "is not a JPEG, PNG, GIF or BMP file",
         "<p>Before</p><p>After</p>"},
        // Typed from its first bytes: the gigabyte is never read.
        {"a gigabyte that starts like a web page, named as a picture",
         {{"ch.htm", kChapterWithPicture}, {"pic.png", "<html>"}},
         {{"pic.png", 1ull << 30}},
         "is not a JPEG, PNG, GIF or BMP file",
         "<p>Before</p><p>After</p>"},
        {"100 MB that start like a JPEG",
         {{"ch.htm", "<img src=pic.jpg><p>After</p>"}, {"pic.jpg", "\xFF\xD8\xFF\xE0"}},
         {{"pic.jpg", 100ull << 20}},
         "The picture file is too large (104857600 bytes)",
         "<p>After</p>"},
        {"a chapter that is a PNG picture",
         {{"ch.htm", "<p>kept</p>"}, {"pic.htm", PngDeclaring(10, 10, 100)}},
         {},
         "chapter \"pic.htm\" is a PNG picture, not an HTML document",
         "<p>kept</p>"},
        {"a gigabyte chapter of zero bytes",
         {{"ch.htm", "<p>kept</p>"}, {"zeros.htm", std::string(1, '\0')}},
         {{"zeros.htm", 1ull << 30}},
         "chapter \"zeros.htm\" is binary data",
         "<p>kept</p>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        quillery::testing::TempDir dir;
        const std::string opf = testing::WriteSmallPackage(dir, {c.files});
        for (const auto& [path, size] : c.grown)
            std::filesystem::resize_file(dir.path() + "pkg/" + path, size);
        Diagnostics diagnostics;
        CompileOptions options;
        options.opfPath = opf;
        const auto book = CompileBook(options, diagnostics);
        ASSERT_TRUE(book.has_value());
        EXPECT_EQ(Occurrences(book->text, c.inText), static_cast<std::size_t>(c.inTextCount))
            << book->text.substr(0, 400);
        EXPECT_EQ(book->imageCount, 0u);
        int named = 0;
        for (const auto& finding : diagnostics.findings()) {
            if (c.warning && finding.severity == Severity::Warning &&
                finding.text.find(c.warning) != std::string::npos)
                ++named;
        }
        EXPECT_EQ(named, c.warning ? 1 : 0);
    }
}

TEST(HostilePackages, PixelBoundGrowsWithTheFileUpToTheCeiling) {
    using detail::MaxPixelsFor;
    const std::pair<std::size_t, long long> bounds[] = {
        {0, detail::kPixelsAlwaysAllowed},          {100, detail::kPixelsAlwaysAllowed},
        {316 * 1024, detail::kPixelsAlwaysAllowed}, {1 << 20, 32LL << 20},
        {3 << 20, detail::kMaxDecodedPixels},       {std::size_t(-1), detail::kMaxDecodedPixels},
    };
    for (const auto& [fileBytes, pixels] : bounds) {
        SCOPED_TRACE(fileBytes);
        EXPECT_EQ(MaxPixelsFor(fileBytes), pixels);
    }
}

}  // namespace
}  // namespace quillery::mobi
