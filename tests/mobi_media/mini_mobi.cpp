#include "mini_mobi.h"

namespace quillery::mobi::testing {
namespace {

constexpr std::uint32_t kUnset = 0xFFFFFFFF;
constexpr std::size_t kTextRecordSize = 4096;
constexpr std::uint32_t kMobiHeaderLength = 232;

void Put32(std::string& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(char((v >> s) & 0xFF));
}
void Put16(std::string& out, std::uint32_t v) {
  out.push_back(char((v >> 8) & 0xFF));
  out.push_back(char(v & 0xFF));
}

std::string RecordZero(const MiniBook& book, std::uint32_t huffRecord, std::uint32_t indexRecord) {
  const auto textRecords = static_cast<std::uint32_t>(book.textRecords.size());
  const std::string title = "Index Test";
  std::string r;
  // PalmDOC header: no compression, text length, text record count and size, no encryption.
  Put16(r, book.compression);
  Put16(r, 0);
  Put32(r, book.textLength);
  Put16(r, textRecords);
  Put16(r, kTextRecordSize);
  Put16(r, 0);
  Put16(r, 0);
  // MOBI header (offsets from the start of the record).
  r += "MOBI";
  Put32(r, kMobiHeaderLength);
  Put32(r, 2);          // 24: book
  Put32(r, book.encoding);  // 28
  Put32(r, 0x51494C4C);  // 32: unique id
  Put32(r, 6);          // 36: format version
  for (int i = 0; i < 10; ++i) Put32(r, kUnset);  // 40-76: dictionary and extra indexes
  Put32(r, textRecords + 1);                      // 80: first record after the text
  Put32(r, 16 + kMobiHeaderLength);               // 84: full name offset
  Put32(r, static_cast<std::uint32_t>(title.size()));  // 88
  Put32(r, 9);       // 92: English
  Put32(r, 0);       // 96
  Put32(r, 0);       // 100
  Put32(r, 6);       // 104: minimum reader version
  Put32(r, kUnset);  // 108: no images
  Put32(r, book.huffRecords.empty() ? 0 : huffRecord);  // 112: dictionary compression
  Put32(r, static_cast<std::uint32_t>(book.huffRecords.size()));  // 116
  Put32(r, 0);       // 120
  Put32(r, 0);       // 124
  Put32(r, 0);       // 128: no EXTH
  r.append(32, '\0');  // 132-163
  Put32(r, kUnset);  // 164
  Put32(r, kUnset);  // 168: no DRM
  Put32(r, 0);       // 172
  Put32(r, 0);       // 176
  Put32(r, 0);       // 180
  r.append(8, '\0');   // 184-191
  Put16(r, 1);                // 192: first text record
  Put16(r, textRecords);      // 194: last text record
  Put32(r, 1);                // 196
  Put32(r, kUnset);           // 200: no FCIS
  Put32(r, 0);                // 204
  Put32(r, kUnset);           // 208: no FLIS
  Put32(r, 0);                // 212
  Put32(r, 0);                // 216
  Put32(r, 0);                // 220
  Put32(r, kUnset);           // 224: no sources
  Put32(r, 0);                // 228
  Put32(r, kUnset);           // 232
  Put32(r, kUnset);           // 236
  Put16(r, 0);                // 240
  Put16(r, 0);                // 242: no trailing entries
  Put32(r, indexRecord);      // 244: navigation index
  r += title;
  r.append(4 - r.size() % 4, '\0');
  return r;
}

}  // namespace

std::string BuildMiniMobi(const std::string& text, const std::vector<std::string>& indexRecords,
                          std::uint32_t encoding) {
  MiniBook book;
  for (std::size_t at = 0; at < text.size(); at += kTextRecordSize) {
    book.textRecords.push_back(text.substr(at, kTextRecordSize));
  }
  book.textLength = static_cast<std::uint32_t>(text.size());
  book.indexRecords = indexRecords;
  book.encoding = encoding;
  return BuildMiniMobi(book);
}

std::string BuildMiniMobi(const MiniBook& book) {
  std::vector<std::string> records = book.textRecords;
  const auto textRecords = static_cast<std::uint32_t>(records.size());
  const std::uint32_t huffRecord = textRecords + 1;
  const auto indexAt = static_cast<std::uint32_t>(huffRecord + book.huffRecords.size());
  const std::uint32_t indexRecord = book.indexRecords.empty() ? kUnset : indexAt;
  records.insert(records.begin(), RecordZero(book, huffRecord, indexRecord));
  records.insert(records.end(), book.huffRecords.begin(), book.huffRecords.end());
  records.insert(records.end(), book.indexRecords.begin(), book.indexRecords.end());
  records.push_back(std::string("\xE9\x8E\x0D\x0A", 4));

  std::string file(32, '\0');
  file.replace(0, 10, "Index_Test");
  Put16(file, 0);  // attributes
  Put16(file, 0);  // version
  for (int i = 0; i < 3; ++i) Put32(file, 0x60000000);  // created, modified, backed up
  for (int i = 0; i < 3; ++i) Put32(file, 0);  // modification number, app info, sort info
  file += "BOOKMOBI";
  Put32(file, static_cast<std::uint32_t>(2 * records.size() - 1));  // unique id seed
  Put32(file, 0);  // next record list
  Put16(file, static_cast<std::uint32_t>(records.size()));
  std::size_t offset = file.size() + 8 * records.size() + 2;
  for (std::size_t i = 0; i < records.size(); ++i) {
    Put32(file, static_cast<std::uint32_t>(offset));
    Put32(file, static_cast<std::uint32_t>(2 * i));  // attributes 0, unique id
    offset += records[i].size();
  }
  Put16(file, 0);
  for (const std::string& record : records) file += record;
  return file;
}

}  // namespace quillery::mobi::testing
