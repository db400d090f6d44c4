#pragma once
// Table rows for the tests of text passes: an input and the text the pass must give for it.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quillery::testing {

struct TextCase {
    std::string (*pass)(std::string_view);
    std::string in, out;
};

// Runs every row; a failure names the input.
template <std::size_t N>
void ExpectPasses(const TextCase (&cases)[N]) {
    for (const TextCase& c : cases)
        EXPECT_EQ(c.pass(c.in), c.out) << ::testing::PrintToString(c.in);
}

}  // namespace quillery::testing
