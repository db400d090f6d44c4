// The installed help pages: well-formed XHTML in UTF-8 with a title, and every link inside
// them leads somewhere.

#include "markup_scan.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>

namespace quillery::testing {
namespace {

void ExpectWellFormedPage(const std::string& name) {
    const std::string folder = ProgramFolder() + "help/";
    const std::string page = ReadWholeFile(folder + name);
    ASSERT_FALSE(page.empty()) << name << " is missing";
    EXPECT_TRUE(IsValidUtf8(page)) << name;
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(page.data(), page.size());
    ASSERT_TRUE(parsed) << name << ": " << parsed.description() << " at byte " << parsed.offset;
    EXPECT_FALSE(std::string(doc.child("html").child("head").child_value("title")).empty()) << name;
    EXPECT_TRUE(doc.child("html").child("body").first_child()) << name << " has an empty body";
    for (const std::string& problem : BrokenReferences(folder, name)) ADD_FAILURE() << problem;
}

TEST(HelpPages, ManualIsWellFormedWithWorkingLinks) { ExpectWellFormedPage("index.htm"); }
TEST(HelpPages, StartPageIsWellFormedWithWorkingLinks) { ExpectWellFormedPage("start.htm"); }

TEST(HelpPages, ManualCoversTheCommandLineOptions) {
    const std::string manual = ReadWholeFile(ProgramFolder() + "help/index.htm");
    for (const char* option : {"quillery make", "quillery titles", "--language", "--cover", "--toc-position",
                               "--title-method", "--base-font-size", "--remove", "--kindlegen", "-c2", "--yes",
                               "opf2mobi", "epubcheck"})
        EXPECT_NE(manual.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace quillery::testing
