// Path helpers: folder and file-name parts, trailing slashes.

#include "text/paths.h"

#include <gtest/gtest.h>

namespace quillery {
namespace {

TEST(Paths, FolderAndFileNamePartsAndTrailingSlashes) {
    // clang-format off
    const struct { const char* path; const char* folder; const char* name; } cases[] = {
        {"/books/web/ch01.htm", "/books/web/", "ch01.htm"},
        {"pics/My Photo.jpg",   "pics/",       "My Photo.jpg"},
        {"ch01.htm",            "",            "ch01.htm"},
        {"/books/web/",         "/books/web/", ""},
        {"/",                   "/",           ""},
        {"",                    "",            ""},
        {"a\\b.htm",            "",            "a\\b.htm"},  // a backslash is a name character
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
        EXPECT_EQ(FolderOf(c.path) + FileNamePart(c.path), c.path) << c.path;
    }
    EXPECT_EQ(WithTrailingSlash("/a/b"), "/a/b/");
    EXPECT_EQ(WithTrailingSlash("/a/b/"), "/a/b/");
    EXPECT_EQ(WithTrailingSlash(""), "");
}

}  // namespace
}  // namespace quillery
