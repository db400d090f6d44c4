#pragma once
// The smallest MOBI 6 book (mini_mobi_file.h) loaded by libmobi, for the tests.

#include <gtest/gtest.h>
#include <mobi.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mini_mobi_file.h"
#include "temp_dir.h"

namespace quillery::mobi::testing {

using MobiPtr = std::unique_ptr<MOBIData, decltype(&mobi_free)>;

// The book as libmobi loads it from a file.
inline MobiPtr LoadWithLibmobi(const MiniBook& book) {
    quillery::testing::TempDir dir;
    const std::string path = dir.Write("book.mobi", BuildMiniMobi(book));
    MobiPtr data(mobi_init(), &mobi_free);
    EXPECT_EQ(mobi_load_filename(data.get(), path.c_str()), MOBI_SUCCESS);
    return data;
}

}  // namespace quillery::mobi::testing
