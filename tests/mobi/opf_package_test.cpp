#include "mobi/opf_package.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "mobi/book_locale.h"
#include "mobi/package_paths.h"
#include "mobi/text_encoding.h"
#include "temp_dir.h"

namespace quillery::mobi {
namespace {

TEST(OpfPackage, ReadsMetadataManifestSpineAndGuide) {
    Diagnostics diagnostics;
    const auto package = ParseOpfPackage(
        "<?xml version='1.0'?><package xmlns='http://www.idpf.org/2007/opf'><metadata>"
        "<dc-metadata xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:Title>Old "
        "Style</dc:Title></dc-metadata>"
        "<x-metadata><meta name='cover' content='img'/></x-metadata></metadata>"
        "<manifest><item id='c1' href='Text/ch%201.html' media-type='text/html'/>"
        "<item id='img' href='../up.jpg' media-type='image/jpeg'/></manifest>"
        "<spine toc='ncx'><itemref idref='c1'/><itemref idref='nothere'/></spine>"
        "<guide><reference type='toc' title='Contents' "
        "href='Text/ch%201.html#toc'/></guide></package>",
        diagnostics);
    ASSERT_TRUE(package.has_value());
    EXPECT_EQ(package->title, "Old Style");
    EXPECT_EQ(package->coverId, "img");
    ASSERT_EQ(package->manifest.size(), 2u);
    EXPECT_EQ(package->manifest[0].path, "Text/ch 1.html");
    EXPECT_EQ(package->manifest[1].path, "");
    EXPECT_EQ(package->spine, std::vector<std::string>{"c1"});
    ASSERT_EQ(package->guide.size(), 1u);
    EXPECT_EQ(package->guide[0].href, "Text/ch 1.html#toc");
    EXPECT_EQ(diagnostics.Count(Severity::Warning), 2);
}

TEST(OpfPackage, ReadsPackagesInTheWindowsCodePage) {
    quillery::testing::TempDir dir;
    dir.Write("w.opf",
              "\xEF\xBB\xBF<?xml version='1.0' encoding='windows-1252'?><package><metadata>"
              "<dc:title xmlns:dc='http://purl.org/dc/elements/1.1/'>Caf\xE9 \x93"
              "Book\x94</dc:title>"
              "</metadata></package>");
    Diagnostics diagnostics;
    const auto package = ReadOpfPackage(dir.path() + "w.opf", diagnostics);
    ASSERT_TRUE(package.has_value());
    EXPECT_EQ(package->title,
              "Caf\xC3\xA9 \xE2\x80\x9C"
              "Book\xE2\x80\x9D");
    EXPECT_EQ(package->folder, dir.path());
    EXPECT_EQ(package->opfName, "w.opf");
}

TEST(PackagePaths, ResolveRelativeToTheNamingFileAndStayInside) {
    EXPECT_EQ(ResolveInPackage("text/", "../images/a.png").value_or("?"), "images/a.png");
    EXPECT_EQ(ResolveInPackage("", "./a/./b/../c.html").value_or("?"), "a/c.html");
    EXPECT_FALSE(ResolveInPackage("text/", "../../etc/passwd").has_value());
    EXPECT_FALSE(ResolveInPackage("", "/etc/passwd").has_value());
    EXPECT_FALSE(ResolveInPackage("", "file:///etc/passwd").has_value());
    EXPECT_EQ(PercentDecode("a%20b%2"), "a b%2");
}

TEST(PackagePaths, SymbolicLinksMayNotLeadOutOfThePackage) {
    quillery::testing::TempDir dir;
    dir.Write("outside.txt", "secret");
    dir.Write("pkg/inside.txt", "fine");
    std::filesystem::create_symlink(dir.path() + "outside.txt", dir.path() + "pkg/escape.html");
    std::filesystem::create_symlink(dir.path() + "pkg/inside.txt", dir.path() + "pkg/alias.html");
    const std::string folder = dir.path() + "pkg/";
    EXPECT_EQ(ReadPackageFile(folder, "inside.txt").value_or("?"), "fine");
    EXPECT_EQ(ReadPackageFile(folder, "alias.html").value_or("?"), "fine");
    EXPECT_FALSE(ReadPackageFile(folder, "escape.html").has_value());
    EXPECT_FALSE(IsReadablePackageFile(folder, "escape.html"));
    EXPECT_TRUE(IsReadablePackageFile(folder, "alias.html"));
    EXPECT_FALSE(IsReadablePackageFile(folder, "missing.html"));
}

TEST(BookLocale, MapsLanguageTagsToLocaleNumbers) {
    EXPECT_EQ(LocaleNumber("en"), 9u);
    EXPECT_EQ(LocaleNumber("en-US"), 1033u);
    EXPECT_EQ(LocaleNumber("en_gb"), 2057u);
    EXPECT_EQ(LocaleNumber("de-AT"), 3079u);
    EXPECT_EQ(LocaleNumber("fr-XX"), 12u);
    EXPECT_EQ(LocaleNumber("tlh"), 0u);
}

TEST(TextEncoding, TellsUtf8FromTheWindowsCodePageAndConverts) {
    EXPECT_TRUE(IsValidUtf8("plain caf\xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD"));
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // an overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x98"));      // cut short
    EXPECT_EQ(Cp1252ToUtf8("\x80\x81\xE9"), "\xE2\x82\xAC\xEF\xBF\xBD\xC3\xA9");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC3\xA9\xE2\x98\x83"), "\x80\xE9&#9731;");
}

}  // namespace
}  // namespace quillery::mobi
