// Hrefs inside a package: the fragment is split off before the percent-decoding.

#include "mobi/package_paths.h"

#include <gtest/gtest.h>

namespace quillery::mobi {
namespace {

TEST(DecodedHref, FragmentSplitBeforeDecoding) {
    const struct {
        std::string href, path, fragment;
    } cases[] = {
        {"a%23b.png", "a#b.png", ""},
        {"My%20Photo%C3%A9.htm#part%201", "My Photo\xC3\xA9.htm", "part 1"},
        {"#top", "", "top"},
        {"c.htm#x%23y", "c.htm", "x#y"},
        {"plain.htm", "plain.htm", ""},
    };
    for (const auto& c : cases) {
        const HrefParts parts = DecodedHref(c.href);
        EXPECT_EQ(parts.path, c.path) << c.href;
        EXPECT_EQ(parts.fragment, c.fragment) << c.href;
    }
}

}  // namespace
}  // namespace quillery::mobi
