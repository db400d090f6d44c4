// The pages shipped in the program folder (the example book and the help) and the pages the
// benchmark book generator writes: every local link, anchor, stylesheet and picture they
// refer to exists.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "text/percent_decoding.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace quillery::testing {
namespace {

namespace fs = std::filesystem;

struct Attribute {
    std::string tag, name, value;  // tag and attribute name in lower case
};

// The attributes of every tag of a page, in any letter case, quoted either way or bare.
std::vector<Attribute> Attributes(const std::string& html) {
    static const std::regex tag(R"(<([A-Za-z][A-Za-z0-9]*)([^>]*)>)");
    static const std::regex attribute(
        R"re(([A-Za-z:-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re");
    std::vector<Attribute> found;
    for (std::sregex_iterator t(html.begin(), html.end(), tag), end; t != end; ++t) {
        const std::string inner = (*t)[2];
        for (std::sregex_iterator a(inner.begin(), inner.end(), attribute); a != end; ++a) {
            const int value = (*a)[2].matched ? 2 : (*a)[3].matched ? 3 : 4;
            found.push_back({LowerAscii((*t)[1].str()), LowerAscii((*a)[1].str()), (*a)[value]});
        }
    }
    return found;
}

// One line for each local picture, stylesheet, page or anchor the page refers to that is missing.
std::vector<std::string> BrokenReferences(const std::string& folder, const std::string& page) {
    const std::string html = ReadTextFile(folder + page);
    if (html.empty()) return {page + ": cannot be read"};
    const std::string base = fs::path(folder + page).parent_path().string() + "/";
    std::vector<std::string> broken;
    for (const Attribute& ref : Attributes(html)) {
        if ((ref.name != "src" && ref.name != "href") || ref.value.find(':') != std::string::npos)
            continue;
        const std::size_t hash = ref.value.find('#');
        const std::string target =
            hash == 0 ? folder + page : base + PercentDecode(ref.value.substr(0, hash));
        if (!fs::is_regular_file(target)) {
            broken.push_back(page + ": " + ref.value + ": no such file");
        } else if (hash != std::string::npos) {
            const std::vector<Attribute> anchors = Attributes(ReadTextFile(target));
            if (std::none_of(anchors.begin(), anchors.end(), [&](const Attribute& a) {
                    return a.value == ref.value.substr(hash + 1) &&
                           (a.name == "id" || (a.name == "name" && a.tag == "a"));
                }))
                broken.push_back(page + ": " + ref.value + ": no such anchor");
        }
    }
    return broken;
}

std::vector<std::string> PagesIn(const std::string& folder) {
    std::vector<std::string> pages;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".htm") pages.push_back(entry.path().filename().string());
    std::sort(pages.begin(), pages.end());
    return pages;
}

void ExpectNoBrokenReferences(const std::string& folder, const std::vector<std::string>& pages) {
    for (const std::string& page : pages)
        for (const std::string& problem : BrokenReferences(folder, page)) ADD_FAILURE() << problem;
}

TEST(ExampleBook, EveryChapterLinkAnchorStylesheetAndPictureExists) {
    const std::string folder = ProgramFolder() + "examples/";
    const std::vector<std::string> chapters = PagesIn(folder);
    ASSERT_GE(chapters.size(), 5u);
    int pictures = 0, anchored_links = 0;
    for (const std::string& chapter : chapters) {
        const std::string html = ReadTextFile(folder + chapter);
        // Chapter titles are taken from the first 255 bytes of a page.
        EXPECT_NE(LowerAscii(html.substr(0, 255)).find("</title>"), std::string::npos) << chapter;
        for (const Attribute& a : Attributes(html)) {
            pictures += a.tag == "img" && a.name == "src";
            anchored_links +=
                a.tag == "a" && a.name == "href" && a.value.find(".htm#") != std::string::npos;
        }
    }
    EXPECT_GE(pictures, 2);
    EXPECT_GE(anchored_links, 2);
    ExpectNoBrokenReferences(folder, chapters);
}

TEST(HelpPages, EveryLinkAndPictureExists) {
    ExpectNoBrokenReferences(ProgramFolder() + "help/", {"index.htm", "start.htm"});
}

#ifdef QUILLERY_HAVE_WEBBOOK_GENERATOR
int RunGenerator(const std::string& arguments) {
    const std::string program = ProgramFolder() + "quillery_gen_webbook";
    const std::string command = "'" + program + "' " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(WebBookGenerator, WritesWhatItIsAskedForWithWorkingLinks) {
    TempDir dir;
    const std::string folder = dir.path() + "book/";
    ASSERT_EQ(RunGenerator("'" + folder + "' --chapters 3 --chapter-kb 2 --images 2 --package"), 0);
    EXPECT_EQ(PagesIn(folder), (std::vector<std::string>{"ch001.htm", "ch002.htm", "ch003.htm"}));
    for (const std::string& page : PagesIn(folder))
        EXPECT_GE(ReadTextFile(folder + page).size(), 2048u) << page;
    const auto images = fs::directory_iterator(folder + "images");
    EXPECT_EQ(std::distance(fs::begin(images), fs::end(images)), 2);
    ExpectNoBrokenReferences(folder, PagesIn(folder));
    int items = 0;  // the package lists every page, picture, the stylesheet and the NCX
    for (const Attribute& a : Attributes(ReadTextFile(folder + "content.opf")))
        if (a.tag == "item" && a.name == "href") {
            ++items;
            EXPECT_TRUE(fs::is_regular_file(folder + a.value)) << a.value;
        }
    EXPECT_EQ(items, 3 + 2 + 2);
    EXPECT_EQ(RunGenerator("'" + dir.path() + "bad' --chapters 0"), 2);
    EXPECT_FALSE(fs::exists(dir.path() + "bad"));
}
#endif  // QUILLERY_HAVE_WEBBOOK_GENERATOR

}  // namespace
}  // namespace quillery::testing
