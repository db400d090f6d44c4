// The Palm database container of a MOBI book (see palm_database.h).

#include "mobi/palm_database.h"

#include "mobi/byte_writer.h"

namespace quillery::mobi {

std::vector<std::string_view> PalmDatabase::Pieces() const {
    std::vector<std::string_view> pieces;
    pieces.reserve(records.size() + 1);
    pieces.emplace_back(header);
    for (const auto& record : records) pieces.emplace_back(record);
    return pieces;
}

std::string PalmDatabase::Bytes() const {
    std::size_t total = header.size();
    for (const auto& record : records) total += record.size();
    std::string bytes;
    bytes.reserve(total);
    for (const auto piece : Pieces()) bytes += piece;
    return bytes;
}

PalmDatabase BuildPalmDatabase(const std::string& name, std::vector<std::string> records,
                               std::uint32_t time) {
    constexpr std::size_t kHeaderSize = 78;
    std::string out;
    out.reserve(kHeaderSize + 8 * records.size() + 2);
    std::string paddedName = name.substr(0, 31);
    paddedName.resize(32, '\0');
    out += paddedName;
    PutU16(out, 0);     // attributes
    PutU16(out, 0);     // version
    PutU32(out, time);  // created
    PutU32(out, time);  // modified
    PutU32(out, 0);     // last backed up
    PutU32(out, 0);     // modification number
    PutU32(out, 0);     // application info
    PutU32(out, 0);     // sort info
    out += "BOOK";
    out += "MOBI";
    PutU32(out, static_cast<std::uint32_t>(2 * records.size() - 1));  // unique id seed
    PutU32(out, 0);                                                   // next record list
    PutU16(out, static_cast<std::uint16_t>(records.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(kHeaderSize + 8 * records.size() + 2);
    for (std::size_t i = 0; i < records.size(); ++i) {
        PutU32(out, offset);
        const std::uint32_t uniqueId = static_cast<std::uint32_t>(2 * i);
        PutU8(out, 0);  // record attributes
        PutU8(out, static_cast<std::uint8_t>((uniqueId >> 16) & 0xFF));
        PutU16(out, static_cast<std::uint16_t>(uniqueId & 0xFFFF));
        offset += static_cast<std::uint32_t>(records[i].size());
    }
    PutU16(out, 0);  // gap before the first record
    return {std::move(out), std::move(records)};
}

}  // namespace quillery::mobi
