// The example book shipped in the program folder: chapters in reading order, titles,
// pictures, stylesheet, links and anchors all present.

#include "markup_scan.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace quillery::testing {
namespace {

namespace fs = std::filesystem;

std::string ExampleFolder() { return ProgramFolder() + "examples/"; }

std::vector<std::string> ChapterFiles() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(ExampleFolder(), ec))
        if (entry.is_regular_file() && entry.path().extension() == ".htm") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string TitleOf(const std::string& page) {
    std::string lower = page;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t open = lower.find("<title>");
    const std::size_t close = lower.find("</title>");
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    return page.substr(open + 7, close - open - 7);
}

TEST(ExampleBook, HasFiveOrSixChaptersOneWithABlankInItsName) {
    const std::vector<std::string> chapters = ChapterFiles();
    EXPECT_GE(chapters.size(), 5u);
    EXPECT_LE(chapters.size(), 6u);
    EXPECT_TRUE(std::any_of(chapters.begin(), chapters.end(), [](const std::string& n) { return n.find(' ') != std::string::npos; }));
}

// Each chapter heading starts with its number, so name order must be reading order.
TEST(ExampleBook, NameOrderIsReadingOrder) {
    const std::vector<std::string> chapters = ChapterFiles();
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        const std::string page = ReadWholeFile(ExampleFolder() + chapters[i]);
        std::string heading;
        for (const char* open : {"<h1>", "<H1>"})
            if (const std::size_t p = page.find(open); p != std::string::npos) heading = page.substr(p + 4, 3);
        EXPECT_EQ(heading.substr(0, heading.find('.') + 1), std::to_string(i + 1) + ".") << chapters[i];
    }
}

TEST(ExampleBook, EveryChapterHasATitleAStylesheetAndUtf8Text) {
    for (const std::string& name : ChapterFiles()) {
        const std::string page = ReadWholeFile(ExampleFolder() + name);
        EXPECT_FALSE(TitleOf(page).empty()) << name;
        // Titles are taken from the first 255 bytes of a page only.
        const std::string head = page.substr(0, 255);
        EXPECT_TRUE(head.find("</title>") != std::string::npos || head.find("</TITLE>") != std::string::npos) << name;
        EXPECT_TRUE(IsValidUtf8(page)) << name;
        bool stylesheet = false;
        for (const ScannedTag& tag : ScanTags(page))
            if (tag.name == "link" && tag.attributes.count("href") && tag.attributes.at("href").ends_with(".css")) stylesheet = true;
        EXPECT_TRUE(stylesheet) << name << " links no stylesheet";
    }
}

TEST(ExampleBook, EveryPictureLinkAndAnchorExists) {
    for (const std::string& name : ChapterFiles()) {
        for (const std::string& problem : BrokenReferences(ExampleFolder(), name)) ADD_FAILURE() << problem;
    }
}

TEST(ExampleBook, LinksReachAnchorsInOtherChaptersAndPicturesLiveInASubFolder) {
    int anchored_links = 0, pictures = 0;
    for (const std::string& name : ChapterFiles()) {
        for (const ScannedTag& tag : ScanTags(ReadWholeFile(ExampleFolder() + name))) {
            if (tag.name == "a" && tag.attributes.count("href") && tag.attributes.at("href").find(".htm#") != std::string::npos)
                ++anchored_links;
            if (tag.name == "img" && tag.attributes.count("src") && tag.attributes.at("src").find('/') != std::string::npos)
                ++pictures;
        }
    }
    EXPECT_GE(anchored_links, 2);
    EXPECT_GE(pictures, 2);
}

TEST(ExampleBook, PicturesAreRealAndSmallAndTheCoverIsNotInAnyChapter) {
    const std::string png = ReadWholeFile(ExampleFolder() + "images/lighthouse.png");
    const std::string jpeg = ReadWholeFile(ExampleFolder() + "images/harbour.jpg");
    const std::string cover = ReadWholeFile(ExampleFolder() + "cover.jpg");
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    for (const std::string* jpg : {&jpeg, &cover}) {
        ASSERT_GE(jpg->size(), 4u);
        EXPECT_EQ(jpg->substr(0, 2), "\xFF\xD8");
        EXPECT_EQ(jpg->substr(jpg->size() - 2), "\xFF\xD9");
    }
    for (const std::string* file : {&png, &jpeg, &cover}) EXPECT_LT(file->size(), 30u * 1024);
    for (const std::string& name : ChapterFiles())
        EXPECT_EQ(ReadWholeFile(ExampleFolder() + name).find("cover.jpg"), std::string::npos) << name;
    EXPECT_TRUE(FileExists(ExampleFolder() + "README.txt"));
}

}  // namespace
}  // namespace quillery::testing
