#pragma once
// A package compiled by the library, written beside its OPF file and opened with libmobi;
// and the generated test book compiled that way.

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "mobi/book_compiler.h"
#include "mobi_reader.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::mobi::testing {

struct LoadedBook {
    CompiledBook compiled;                // with the uncompressed text kept
    std::unique_ptr<LibMobiBook> reader;  // loaded
};

// Nullopt when the compile fails or libmobi cannot load the book.
inline std::optional<LoadedBook> CompileAndLoad(CompileOptions options, Diagnostics& diagnostics) {
    options.keepText = true;
    auto compiled = CompileBook(options, diagnostics);
    if (!compiled) return std::nullopt;
    const std::string path = options.opfPath + ".mobi";
    std::ofstream(path, std::ios::binary) << compiled->bytes();
    LoadedBook book{std::move(*compiled), std::make_unique<LibMobiBook>(path)};
    if (!book.reader->loaded()) return std::nullopt;
    return book;
}

struct CompiledTestBook : LoadedBook {
    TestBook book;
    Diagnostics diagnostics;
};

// Writes the test book into `dir` and compiles it with `options`; nullopt as CompileAndLoad.
inline std::optional<CompiledTestBook> CompileTestBook(const quillery::testing::TempDir& dir,
                                                       CompileOptions options,
                                                       const TestBookOptions& bookOptions = {}) {
    CompiledTestBook result;
    result.book = WriteTestBook(dir.path() + "book", bookOptions);
    options.opfPath = result.book.opfPath;
    auto loaded = CompileAndLoad(options, result.diagnostics);
    if (!loaded) return std::nullopt;
    static_cast<LoadedBook&>(result) = std::move(*loaded);
    return result;
}

}  // namespace quillery::mobi::testing
