#include "mini_mobi.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace quillery::mobi::testing {
namespace {

constexpr std::uint32_t kUnset = 0xFFFFFFFF;
constexpr std::size_t kTextRecordSize = 4096;

void Set(std::string& out, std::size_t at, std::uint32_t value, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) out[at + i] = char(value >> (8 * (bytes - 1 - i)));
}

// Record 0; offsets are from the start of the record.
std::string RecordZero(const MiniBook& book, std::uint32_t huffAt, std::uint32_t indexAt) {
    const auto textRecords = static_cast<std::uint32_t>(book.textRecords.size());
    std::string r(248, '\0');
    Set(r, 0, book.compression, 2);
    Set(r, 4, book.textLength);
    Set(r, 8, textRecords, 2);
    Set(r, 10, kTextRecordSize, 2);
    r.replace(16, 4, "MOBI");
    Set(r, 20, 232);  // header length
    Set(r, 24, 2);    // a book
    Set(r, 28, book.encoding);
    Set(r, 36, 6);                                                    // format version
    for (std::size_t at = 40; at <= 76; at += 4) Set(r, at, kUnset);  // dictionary indexes
    Set(r, 80, textRecords + 1);                                      // first record after the text
    Set(r, 104, 6);                                                   // minimum reader version
    Set(r, 108, kUnset);                                              // no images
    Set(r, 112, book.huffRecords.empty() ? 0 : huffAt);
    Set(r, 116, static_cast<std::uint32_t>(book.huffRecords.size()));
    Set(r, 168, kUnset);  // no DRM
    Set(r, 192, 1, 2);    // first and last text record
    Set(r, 194, textRecords, 2);
    Set(r, 244, book.indexRecords.empty() ? kUnset : indexAt);
    return r;
}

}  // namespace

std::vector<std::string> SplitIntoTextRecords(const std::string& text) {
    std::vector<std::string> records;
    for (std::size_t at = 0; at < text.size(); at += kTextRecordSize) {
        records.push_back(text.substr(at, kTextRecordSize));
    }
    return records;
}

std::string BuildMiniMobi(const MiniBook& book) {
    const auto huffAt = static_cast<std::uint32_t>(book.textRecords.size() + 1);
    const auto indexAt = static_cast<std::uint32_t>(huffAt + book.huffRecords.size());
    std::vector<std::string> records = {RecordZero(book, huffAt, indexAt)};
    for (const auto* group : {&book.textRecords, &book.huffRecords, &book.indexRecords}) {
        records.insert(records.end(), group->begin(), group->end());
    }
    // Palm database header and record list.
    std::string file(78 + 8 * records.size() + 2, '\0');
    file.replace(0, 9, "Mini_Book");
    file.replace(60, 8, "BOOKMOBI");
    Set(file, 76, static_cast<std::uint32_t>(records.size()), 2);
    for (std::size_t i = 0; i < records.size(); ++i) {
        Set(file, 78 + 8 * i, static_cast<std::uint32_t>(file.size()));
        Set(file, 78 + 8 * i + 4, static_cast<std::uint32_t>(2 * i));  // unique id
        file += records[i];
    }
    return file;
}

MobiPtr LoadWithLibmobi(const MiniBook& book) {
    quillery::testing::TempDir dir;
    const std::string path = dir.Write("book.mobi", BuildMiniMobi(book));
    MobiPtr data(mobi_init(), &mobi_free);
    EXPECT_EQ(mobi_load_filename(data.get(), path.c_str()), MOBI_SUCCESS);
    return data;
}

}  // namespace quillery::mobi::testing
