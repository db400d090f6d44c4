// File names inside the ePub, the URLs that follow them, media types and identifiers.

#include "epub/package_names.h"

#include <gtest/gtest.h>

#include "epub/package_document.h"

namespace quillery::epub {
namespace {

TEST(PackageNames, BlanksAndReservedCharactersAreReplacedAndPagesBecomeXhtml) {
    const PackageNames names({"04 The Harbour.htm", "a.html", "a.xhtml",
                              "pics dir/Caf\xC3\xA9 1.jpg", "style.css", "what?.png"});
    EXPECT_EQ(*names.Renamed("04 The Harbour.htm"), "04_The_Harbour.xhtml");
    EXPECT_EQ(*names.Renamed("a.xhtml"), "a.xhtml");
    EXPECT_EQ(*names.Renamed("a.html"), "a-2.xhtml");  // a.xhtml is taken
    EXPECT_EQ(*names.Renamed("pics dir/Caf\xC3\xA9 1.jpg"), "pics_dir/Caf\xC3\xA9_1.jpg");
    EXPECT_EQ(*names.Renamed("style.css"), "style.css");
    EXPECT_EQ(*names.Renamed("what?.png"), "what_.png");
    EXPECT_EQ(names.Renamed("nothing.png"), nullptr);
}

struct UrlCase {
    const char* url;
    const char* document;
    const char* expected;
};

TEST(PackageNames, RelativeUrlsFollowTheirTargetsAndOthersStay) {
    const PackageNames names({"ch 1.htm", "sub/ch2.htm", "images/a b.jpg", "style.css"});
    // clang-format off
    const UrlCase cases[] = {
        {"../ch%201.htm#s1", "sub/ch2.htm", "../ch_1.xhtml#s1"},
        {"../images/a%20b.jpg", "sub/ch2.htm", "../images/a_b.jpg"},
        {"images/a b.jpg", "ch 1.htm", "images/a_b.jpg"},
        {"sub/ch2.htm", "ch 1.htm", "sub/ch2.xhtml"},
        {"  style.css ", "ch 1.htm", "style.css"},
        {"#here", "ch 1.htm", "#here"},
        {"http://example.com/a b", "ch 1.htm", "http://example.com/a b"},
        {"mailto:x@y", "ch 1.htm", "mailto:x@y"},
        {"missing.htm", "ch 1.htm", ""},
        {"", "ch 1.htm", ""},
    };
    // clang-format on
    for (const UrlCase& c : cases)
        EXPECT_EQ(names.RewriteUrl(c.url, c.document), c.expected) << c.url << " in " << c.document;
    std::vector<std::string> referenced, missing;
    names.RewriteUrl("../images/a%20b.jpg", "sub/ch2.htm", &referenced, &missing);
    names.RewriteUrl("nope.png", "sub/ch2.htm", &referenced, &missing);
    EXPECT_EQ(referenced, std::vector<std::string>{"images/a b.jpg"});
    EXPECT_EQ(missing, std::vector<std::string>{"sub/nope.png"});
}

TEST(PackageNames, PercentCodingRoundTrips) {
    EXPECT_EQ(PercentDecode("a%20b%C3%A9%zz%2"), "a b\xC3\xA9%zz%2");
    EXPECT_EQ(PercentEncodePath("a b#c?d%\"\xC3\xA9"), "a%20b%23c%3Fd%25%22\xC3\xA9");
}

TEST(MediaTypes, PicturesAreKnownByTheirBytesAndTheRestByExtension) {
    EXPECT_EQ(MediaTypeOf("x.png", "\xFF\xD8\xFF\xE0"), "image/jpeg");  // a JPEG named .png
    EXPECT_EQ(MediaTypeOf("x.jpg", "\x89PNG\r\n"), "image/png");
    EXPECT_EQ(MediaTypeOf("x.JPG", "GIF89a"), "image/gif");
    EXPECT_EQ(MediaTypeOf("x.HTM", "<html>"), "application/xhtml+xml");
    EXPECT_EQ(MediaTypeOf("x.css", "p {}"), "text/css");
    EXPECT_EQ(MediaTypeOf("x.svg", "<svg"), "image/svg+xml");
    EXPECT_EQ(MediaTypeOf("x.woff", "wOFF"), "font/woff");
    EXPECT_EQ(MediaTypeOf("x.doc", "\xD0\xCF"), "");
}

TEST(Identifiers, AreUrnsAndStableForTheSameBook) {
    EXPECT_EQ(IdentifierUrn("urn:isbn:9780000000002", "T", "A"), "urn:isbn:9780000000002");
    EXPECT_EQ(IdentifierUrn("978-0-00-000000-2", "T", "A"), "urn:isbn:9780000000002");
    EXPECT_EQ(IdentifierUrn("ISBN 0-306-40615-2", "T", "A"), "urn:isbn:0306406152");
    const std::string none = IdentifierUrn("None", "Title", "Author");
    EXPECT_TRUE(none.starts_with("urn:uuid:")) << none;
    EXPECT_EQ(none.size(), 9u + 36u);
    EXPECT_EQ(none, IdentifierUrn("None", "Title", "Author"));
    EXPECT_NE(none, IdentifierUrn("None", "Other title", "Author"));
    EXPECT_EQ(none[9 + 14], '8');  // version 8: a name-based UUID of our own hash
}

}  // namespace
}  // namespace quillery::epub
