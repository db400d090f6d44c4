// Finding the file a page names on a case-sensitive disk.

#include "text/case_blind_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace quillery {
namespace {

TEST(ExistingFileCaseBlind, ExactFirstThenAnyCase) {
    const testing::TempDir dir;
    dir.Write("style.css", "a");
    dir.Write("img/A.png", "b");
    dir.Write("img/a.png", "c");
    dir.Write("Pics/Sub/Photo.JPG", "d");
    dir.Write("folder.css/x", "e");
    const struct {
        std::string reference;
        std::string found;  // relative to the folder; empty: none
    } cases[] = {
        {"style.css", "style.css"},
        {"STYLE.CSS", "style.css"},
        {"img/A.png", "img/A.png"},  // two files differing in case: each its own
        {"img/a.png", "img/a.png"},
        {"IMG/a.PNG", "img/A.png"},  // neither exact: the first in name order
        {"pics/sub/photo.jpg", "Pics/Sub/Photo.JPG"},
        {"./Pics//Sub/Photo.JPG", "Pics/Sub/Photo.JPG"},
        {"missing.png", ""},
        {"folder.css", ""},  // a folder is no file
        {"style.css/x", ""},
    };
    for (const auto& c : cases) {
        const std::string found = ExistingFileCaseBlind(dir.path(), c.reference);
        if (c.found.empty()) {
            EXPECT_EQ(found, "") << c.reference;
        } else {
            ASSERT_FALSE(found.empty()) << c.reference;
            EXPECT_TRUE(std::filesystem::equivalent(found, dir.path() + c.found)) << c.reference;
        }
    }
}

}  // namespace
}  // namespace quillery
