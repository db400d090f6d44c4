// The whole ePub written from a small OPS package: the container's order and compression,
// the package document, the navigation, the renamed files, and the atomic write.

#include "epub/epub_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <filesystem>
#include <map>
#include <pugixml.hpp>

#include "temp_dir.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace quillery::epub {
namespace {

using quillery::testing::TempDir;

struct Entry {
    std::string name;
    std::string bytes;
    bool stored = false;
};

std::vector<Entry> ReadZip(const std::string& path) {
    std::vector<Entry> entries;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!archive) return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st);
        Entry e{st.name, std::string(st.size, '\0'), st.comp_method == ZIP_CM_STORE};
        zip_file_t* f = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        zip_fread(f, e.bytes.data(), st.size);
        zip_fclose(f);
        entries.push_back(std::move(e));
    }
    zip_close(archive);
    return entries;
}

class EpubWriterTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string ops;
    EpubWriterTest() {
        ops = dir.path() + "OPS/";
        dir.Write("OPS/content.opf", R"(<?xml version="1.0" encoding="utf-8"?>
<package xmlns="http://www.idpf.org/2007/opf" version="2.0" unique-identifier="BookId">
<metadata xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:title>From OPF</dc:title>
<dc:date>2026-01-02</dc:date><dc:identifier id="BookId">None</dc:identifier>
<dc:language>fr</dc:language><meta name="cover" content="coverPic" /></metadata>
<manifest><item id="ncx" href="toc.ncx" media-type="application/x-dtbncx+xml" />
<item id="n0" href="Chapter%20One.htm" media-type="application/xhtml+xml" />
<item id="n1" href="two.htm" media-type="application/xhtml+xml" />
<item id="css0" href="style.css" media-type="text/css" />
<item id="coverPic" href="cover.jpg" media-type="image/jpeg" /></manifest>
<spine toc="ncx"><itemref idref="n0" /><itemref idref="n1" /></spine></package>)");
        dir.Write("OPS/toc.ncx", R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE ncx PUBLIC "-//NISO//DTD ncx 2005-1//EN" "http://www.daisy.org/z3986/2005/ncx-2005-1.dtd">
<ncx xmlns="http://www.daisy.org/z3986/2005/ncx/" version="2005-1"><head>
<meta name="dtb:uid" content="None" /></head><docTitle><text>T</text></docTitle><navMap>
<navPoint id="p1" playOrder="1"><navLabel><text>One &amp; only</text></navLabel>
<content src="Chapter%20One.htm" /></navPoint>
<navPoint id="p2" playOrder="2"><navLabel><text>Two</text></navLabel>
<content src="two.htm#s1" /></navPoint></navMap></ncx>)");
        dir.Write("OPS/Chapter One.htm",
                  "<html><head><link rel=stylesheet href=style.css></head><body><p>One "
                  "<img src=\"pics/a%20b.png\" alt=a><a href=two.htm#s1>next</a></body></html>");
        dir.Write("OPS/two.htm", "<h1 id=s1>Two</h1><a href=\"Chapter%20One.htm\">back</a>");
        dir.Write("OPS/style.css", "body { background: url('pics/a b.png') }");
        dir.Write("OPS/cover.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + "jpeg");
        dir.Write("OPS/pics/a b.png", "\x89PNG\r\n\x1A\n");
        dir.Write("OPS/book.mobi", "not part of the ePub");
    }
    EpubMetadata Metadata() {
        EpubMetadata m;
        m.title = "Caf\xC3\xA9 & Co";
        m.creator = "An <Author>";
        return m;
    }
};

TEST_F(EpubWriterTest,
       TheContainerStartsWithTheStoredMimetypeAndHoldsThePackageAndOnlyPicturesFound) {
    const std::string out = dir.path() + "out/book.epub";
    fs::create_directories(dir.path() + "out");
    EXPECT_TRUE(WriteEpub(ops, Metadata(), "Contents", out).empty());
    const std::vector<Entry> entries = ReadZip(out);
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "mimetype");
    EXPECT_EQ(entries[0].bytes, "application/epub+zip");
    EXPECT_TRUE(entries[0].stored);
    std::map<std::string, std::string> files;
    for (const Entry& e : entries) files[e.name] = e.bytes;
    EXPECT_TRUE(files.count("META-INF/container.xml"));
    for (const char* name :
         {"OPS/content.opf", "OPS/toc.ncx", "OPS/nav.xhtml", "OPS/Chapter_One.xhtml",
          "OPS/two.xhtml", "OPS/style.css", "OPS/cover.jpg", "OPS/pics/a_b.png"})
        EXPECT_TRUE(files.count(name)) << name;
    EXPECT_FALSE(files.count("OPS/book.mobi"));
    EXPECT_FALSE(fs::exists(out + ".tmp-" + std::to_string(::getpid())));

    pugi::xml_document opf;
    ASSERT_TRUE(opf.load_string(files["OPS/content.opf"].c_str()));
    const pugi::xml_node package = opf.child("package");
    EXPECT_STREQ(package.attribute("version").value(), "3.0");
    const pugi::xml_node metadata = package.child("metadata");
    EXPECT_STREQ(metadata.child_value("dc:title"), "Caf\xC3\xA9 & Co");
    EXPECT_STREQ(metadata.child_value("dc:creator"), "An <Author>");
    EXPECT_STREQ(metadata.child_value("dc:language"), "fr");  // from content.opf
    EXPECT_STREQ(metadata.child_value("dc:date"), "2026-01-02");
    const std::string id = metadata.child_value("dc:identifier");
    EXPECT_TRUE(id.starts_with("urn:uuid:")) << id;
    EXPECT_TRUE(metadata.find_child_by_attribute("meta", "property", "dcterms:modified"));
    std::map<std::string, std::pair<std::string, std::string>> items;  // href -> type, props
    for (pugi::xml_node item : package.child("manifest").children("item"))
        items[item.attribute("href").value()] = {item.attribute("media-type").value(),
                                                 item.attribute("properties").value()};
    EXPECT_EQ(items["cover.jpg"],
              std::make_pair(std::string("image/jpeg"), std::string("cover-image")));
    EXPECT_EQ(items["nav.xhtml"].second, "nav");
    EXPECT_EQ(items["pics/a_b.png"].first, "image/png");  // used, though content.opf omits it
    EXPECT_EQ(items["Chapter_One.xhtml"].first, "application/xhtml+xml");
    std::vector<std::string> spine;
    for (pugi::xml_node ref : package.child("spine").children("itemref"))
        spine.push_back(ref.attribute("idref").value());
    EXPECT_EQ(spine, (std::vector<std::string>{"n0", "n1"}));

    // The navigation follows the renamed files; the NCX carries the package identifier.
    EXPECT_NE(files["OPS/nav.xhtml"].find("<a href=\"Chapter_One.xhtml\">One &amp; only</a>"),
              std::string::npos)
        << files["OPS/nav.xhtml"];
    EXPECT_NE(files["OPS/nav.xhtml"].find("href=\"two.xhtml#s1\""), std::string::npos);
    EXPECT_NE(files["OPS/toc.ncx"].find("content=\"" + id + "\""), std::string::npos);
    EXPECT_EQ(files["OPS/toc.ncx"].find("DOCTYPE"), std::string::npos);
    EXPECT_NE(files["OPS/Chapter_One.xhtml"].find("src=\"pics/a_b.png\""), std::string::npos);
    EXPECT_NE(files["OPS/two.xhtml"].find("href=\"Chapter_One.xhtml\""), std::string::npos);
    EXPECT_NE(files["OPS/style.css"].find("url(\"pics/a_b.png\")"), std::string::npos);

    // A missing picture is reported and its img left out.
    fs::remove(ops + "pics/a b.png");
    EXPECT_EQ(WriteEpub(ops, Metadata(), "", out), std::vector<std::string>{"pics/a b.png"});
    for (const Entry& e : ReadZip(out))
        EXPECT_TRUE(e.name != "OPS/Chapter_One.xhtml" || e.bytes.find("<img") == std::string::npos)
            << e.bytes;
}

TEST_F(EpubWriterTest, AFailedWriteLeavesTheEarlierBookWhole) {
    const std::string out = dir.path() + "book.epub";
    dir.Write("book.epub", "the earlier book");
    fs::remove(ops + "content.opf");
    EXPECT_THROW(WriteEpub(ops, Metadata(), "", out), std::runtime_error);
    dir.Write("OPS/content.opf", "<package");  // not well-formed
    EXPECT_THROW(WriteEpub(ops, Metadata(), "", out), std::runtime_error);
    EXPECT_THROW(WriteEpub(ops, Metadata(), "", dir.path() + "no/such/folder/b.epub"),
                 std::runtime_error);
    EXPECT_EQ(ReadTextFile(out), "the earlier book");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
        << "a temporary file was left behind";
}

}  // namespace
}  // namespace quillery::epub
