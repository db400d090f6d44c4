#pragma once
// A package compiled by the library, written beside its OPF file and opened with libmobi.

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "mobi/book_compiler.h"
#include "mobi_reader.h"

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
    std::ofstream(path, std::ios::binary) << compiled->bytes;
    LoadedBook book{std::move(*compiled), std::make_unique<LibMobiBook>(path)};
    if (!book.reader->loaded()) return std::nullopt;
    return book;
}

}  // namespace quillery::mobi::testing
