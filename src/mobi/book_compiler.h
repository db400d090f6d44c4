#pragma once
// Compiles an OPF package into a MOBI 6 book in memory.

#include <optional>
#include <set>
#include <string>

#include "mobi/diagnostics.h"
#include "mobi/palm_database.h"
#include "mobi/pictures.h"

namespace quillery::mobi {

struct CompileOptions {
    std::string opfPath;
    int compressionLevel = 1;  // 0 none, 1 PalmDOC, 2 Huffdic
    PictureFormat pictureFormat = PictureFormat::Jpeg;
    bool western = false;
    bool verbose = false;
    bool keepText = true;  // false: CompiledBook::text is released once the records are made
    // Threads for translating chapters, preparing pictures and compressing records; 0 is one
    // per processor core. The book is the same whatever the number.
    unsigned threads = 0;
};

struct CompiledBook {
    PalmDatabase file;  // the whole .mobi file
    std::string bytes() const { return file.Bytes(); }
    std::string text;  // the uncompressed text, as the text records hold it
    std::size_t textRecordCount = 0;
    std::size_t imageCount = 0;
    std::size_t tocEntryCount = 0;
    // The package's own files (the OPF and every manifest item), relative to its folder:
    // the book must never be written over one of them.
    std::set<std::string> packageFiles;
};

// nullopt when the book cannot be built (errors are in `diagnostics`).
std::optional<CompiledBook> CompileBook(const CompileOptions& options, Diagnostics& diagnostics);

}  // namespace quillery::mobi
