// Names as href values in the package documents: encoded so that the documents stay valid
// UTF-8 XML and the reference still names the file's bytes.

#include "package/package_text.h"

#include <gtest/gtest.h>

#include "text/utf8.h"

namespace quillery {
namespace {

TEST(HrefValue, UnsafeBytesAndNamesThatAreNotUtf8AreEncoded) {
    const struct {
        std::string name, href;
    } cases[] = {
        {"04 The Harbour.htm", "04%20The%20Harbour.htm"},
        {"a#b%c.png", "a%23b%25c.png"},
        {"Fish & Chips.htm", "Fish%20&amp;%20Chips.htm"},
        {"caf\xC3\xA9.htm", "caf\xC3\xA9.htm"},  // UTF-8 stays as it is
        {"caf\xE9.htm", "caf%E9.htm"},           // a Windows-1252 name
        {"dir\\x.png", "dir%5Cx.png"},
    };
    for (const auto& c : cases) {
        const std::string href = package_text::HrefValue(c.name);
        EXPECT_EQ(href, c.href) << c.name;
        EXPECT_TRUE(IsValidUtf8(href)) << c.name;
    }
}

}  // namespace
}  // namespace quillery
