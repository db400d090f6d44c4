// Fuzzes the text compressions: PalmDOC and Huffdic must give back exactly the input text
// (PalmDOC through our own decompressor, Huffdic through libmobi's), and PalmDOC's
// decompressor must refuse or read any bytes without harm.
#include <mobi.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "mini_mobi_file.h"
#include "mobi/huffdic.h"
#include "mobi/palmdoc.h"

namespace {

// The text libmobi reads from a book of the Huffdic records.
std::string HuffdicRoundTrip(const std::string& text) {
    using namespace quillery::mobi;
    const auto records = testing::SplitIntoTextRecords(text);
    ThreadPool pool(2);
    const HuffdicBook book = HuffdicCompress(records, pool);
    if (HuffdicCompress(records).textRecords != book.textRecords) __builtin_trap();
    std::string file = testing::BuildMiniMobi({.textRecords = book.textRecords,
                                               .textLength = std::uint32_t(text.size()),
                                               .compression = 17480,
                                               .huffRecords = book.huffCdicRecords});
    std::unique_ptr<FILE, decltype(&std::fclose)> stream(fmemopen(file.data(), file.size(), "rb"),
                                                         &std::fclose);
    std::unique_ptr<MOBIData, decltype(&mobi_free)> mobi(mobi_init(), &mobi_free);
    if (!stream || !mobi || mobi_load_file(mobi.get(), stream.get()) != MOBI_SUCCESS)
        __builtin_trap();
    std::string out(text.size() + 4096, '\0');
    std::size_t length = out.size();
    if (mobi_get_rawml(mobi.get(), out.data(), &length) != MOBI_SUCCESS) __builtin_trap();
    out.resize(length);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillery::mobi;
    const std::string text(reinterpret_cast<const char*>(data), size);
    PalmDocDecompress(text);
    // PalmDOC works on records of at most 4,096 bytes.
    const std::string piece = text.substr(0, 4096);
    const auto back = PalmDocDecompress(PalmDocCompress(piece));
    if (!back || *back != piece) __builtin_trap();
    if (!text.empty() && HuffdicRoundTrip(text) != text) __builtin_trap();
    return 0;
}
