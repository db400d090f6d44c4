// The benchmark book generator, run with small arguments: the requested numbers of chapters
// and pictures, every link target present, a consistent package, the same bytes every run.

#include "markup_scan.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <sys/wait.h>

namespace quillery::testing {
namespace {

namespace fs = std::filesystem;

#ifdef QUILLERY_HAVE_WEBBOOK_GENERATOR

std::string ShellQuote(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the generator; returns its exit status (-1 when it did not exit normally).
int RunGenerator(const std::string& arguments) {
    const std::string command = ShellQuote(ProgramFolder() + "quillery_gen_webbook") + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::set<std::string> FilesIn(const std::string& folder, const std::string& extension) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().extension() == extension) names.insert(entry.path().filename().string());
    return names;
}

class GeneratedBook : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir();
        status_ = RunGenerator(ShellQuote(dir_->path() + "book") + " --chapters 12 --chapter-kb 4 --images 11 --package");
    }
    static void TearDownTestSuite() { delete dir_; }
    static std::string Folder() { return dir_->path() + "book/"; }

    static TempDir* dir_;
    static int status_;
};
TempDir* GeneratedBook::dir_ = nullptr;
int GeneratedBook::status_ = -1;

TEST_F(GeneratedBook, WritesTheRequestedChaptersPicturesAndStylesheet) {
    ASSERT_EQ(status_, 0);
    const std::set<std::string> chapters = FilesIn(Folder(), ".htm");
    ASSERT_EQ(chapters.size(), 12u);
    EXPECT_EQ(*chapters.begin(), "ch001.htm");
    EXPECT_EQ(*chapters.rbegin(), "ch012.htm");
    EXPECT_EQ(FilesIn(Folder() + "images/", ".jpg").size(), 11u);
    EXPECT_TRUE(FileExists(Folder() + "style.css"));
    for (const std::string& name : chapters) {
        const std::string page = ReadWholeFile(Folder() + name);
        EXPECT_GE(page.size(), 4u * 1024) << name;
        EXPECT_LT(page.size(), 8u * 1024) << name;
        EXPECT_TRUE(IsValidUtf8(page)) << name;
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_buffer(page.data(), page.size())) << name << " is not well-formed";
    }
}

TEST_F(GeneratedBook, EveryLinkPictureAndAnchorExistsAndEveryPictureIsShown) {
    ASSERT_EQ(status_, 0);
    std::set<std::string> shown;
    for (const std::string& name : FilesIn(Folder(), ".htm")) {
        for (const std::string& problem : BrokenReferences(Folder(), name)) ADD_FAILURE() << problem;
        for (const ScannedTag& tag : ScanTags(ReadWholeFile(Folder() + name)))
            if (tag.name == "img") shown.insert(tag.attributes.at("src"));
    }
    EXPECT_EQ(shown.size(), 11u);
}

TEST_F(GeneratedBook, PicturesAreJpegsAndTheTenthIsLargeEnoughToNeedReencoding) {
    ASSERT_EQ(status_, 0);
    for (const std::string& name : FilesIn(Folder() + "images/", ".jpg")) {
        const std::string data = ReadWholeFile(Folder() + "images/" + name);
        ASSERT_GE(data.size(), 4u) << name;
        EXPECT_EQ(data.substr(0, 3), "\xFF\xD8\xFF") << name;
        EXPECT_EQ(data.substr(data.size() - 2), "\xFF\xD9") << name;
        if (name == "img010.jpg") {
            EXPECT_GT(data.size(), 127u * 1024);
        } else {
            EXPECT_LT(data.size(), 127u * 1024) << name;
        }
    }
}

TEST_F(GeneratedBook, PackageListsEveryFileAndNestsChaptersUnderParts) {
    ASSERT_EQ(status_, 0);
    pugi::xml_document opf;
    ASSERT_TRUE(opf.load_file((Folder() + "content.opf").c_str()));
    const pugi::xml_node package = opf.child("package");
    EXPECT_STREQ(package.attribute("version").value(), "2.0");
    for (const char* element : {"dc:title", "dc:creator", "dc:language", "dc:publisher", "dc:identifier"})
        EXPECT_FALSE(std::string(package.child("metadata").child_value(element)).empty()) << element;
    int items = 0;
    for (const pugi::xml_node item : package.child("manifest").children("item")) {
        ++items;
        EXPECT_TRUE(FileExists(Folder() + item.attribute("href").value())) << item.attribute("href").value();
    }
    EXPECT_EQ(items, 12 + 11 + 2);
    EXPECT_STREQ(package.child("spine").attribute("toc").value(), "ncx");
    EXPECT_EQ(std::distance(package.child("spine").children("itemref").begin(), package.child("spine").children("itemref").end()), 12);
    EXPECT_TRUE(package.child("guide").child("reference"));

    pugi::xml_document ncx;
    ASSERT_TRUE(ncx.load_file((Folder() + "toc.ncx").c_str()));
    int parts = 0, chapters = 0;
    for (const pugi::xml_node part : ncx.child("ncx").child("navMap").children("navPoint")) {
        ++parts;
        for (const pugi::xml_node chapter : part.children("navPoint")) {
            ++chapters;
            EXPECT_TRUE(FileExists(Folder() + chapter.child("content").attribute("src").value()));
        }
        const std::string src = part.child("content").attribute("src").value();
        const std::string file = src.substr(0, src.find('#'));
        const std::vector<std::string> anchors = AnchorsOf(ReadWholeFile(Folder() + file));
        EXPECT_NE(std::find(anchors.begin(), anchors.end(), src.substr(src.find('#') + 1)), anchors.end()) << src;
    }
    EXPECT_EQ(parts, 2);
    EXPECT_EQ(chapters, 12);
}

TEST_F(GeneratedBook, SameArgumentsGiveTheSameBytes) {
    ASSERT_EQ(status_, 0);
    TempDir again;
    ASSERT_EQ(RunGenerator(ShellQuote(again.path()) + " --chapters 12 --chapter-kb 4 --images 11"), 0);
    for (const char* file : {"ch001.htm", "ch007.htm", "style.css", "images/img003.jpg", "images/img010.jpg"})
        EXPECT_EQ(ReadWholeFile(again.path() + file), ReadWholeFile(Folder() + file)) << file;
    EXPECT_FALSE(FileExists(again.path() + "content.opf"));
}

TEST(WebBookGenerator, RejectsBadArguments) {
    TempDir dir;
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator(ShellQuote(dir.path()) + " --chapters 0"), 2);
    EXPECT_EQ(RunGenerator(ShellQuote(dir.path()) + " --images many"), 2);
    EXPECT_EQ(RunGenerator(ShellQuote(dir.path()) + " --chapters"), 2);
    EXPECT_EQ(RunGenerator(ShellQuote(dir.path()) + " --pages 3"), 2);
    EXPECT_TRUE(FilesIn(dir.path(), ".htm").empty());
}

#endif  // QUILLERY_HAVE_WEBBOOK_GENERATOR

}  // namespace
}  // namespace quillery::testing
