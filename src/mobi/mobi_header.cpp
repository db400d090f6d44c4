// Record 0 of a MOBI 6 book (see mobi_header.h).

#include "mobi/mobi_header.h"

#include "mobi/byte_writer.h"

namespace quillery::mobi {

std::string BuildRecord0(const MobiHeaderFields& f) {
    std::string r;
    // PalmDOC header.
    PutU16(r, static_cast<std::uint16_t>(f.compression));
    PutU16(r, 0);
    PutU32(r, f.textLength);
    PutU16(r, f.textRecordCount);
    PutU16(r, static_cast<std::uint16_t>(kTextRecordSize));
    PutU16(r, 0);  // no encryption
    PutU16(r, 0);
    // MOBI header.
    r += "MOBI";
    PutU32(r, kMobiHeaderLength);
    PutU32(r, 2);  // a book
    PutU32(r, f.encoding);
    PutU32(r, f.uniqueId);
    PutU32(r, 6);  // file version
    for (int i = 0; i < 10; ++i)
        PutU32(r, kNoRecord);  // orthographic, inflection, names, keys, extra 0-5
    PutU32(r, f.firstNonBookRecord);
    const std::size_t fullNameOffsetAt = r.size();
    PutU32(r, 0);  // full name offset, set below
    PutU32(r, static_cast<std::uint32_t>(f.fullName.size()));
    PutU32(r, f.locale);
    PutU32(r, 0);  // input language
    PutU32(r, 0);  // output language
    PutU32(r, 6);  // minimal reader version
    PutU32(r, f.firstImageRecord);
    PutU32(r, f.huffRecord);
    PutU32(r, f.huffRecordCount);
    PutU32(r, 0);     // huffman table offset
    PutU32(r, 0);     // huffman table length
    PutU32(r, 0x50);  // EXTH flags: an EXTH block follows
    r.append(32, '\0');
    PutU32(r, kNoRecord);
    PutU32(r, kNoRecord);  // DRM offset
    PutU32(r, 0);          // DRM count
    PutU32(r, 0);          // DRM size
    PutU32(r, 0);          // DRM flags
    r.append(8, '\0');
    PutU16(r, f.firstContentRecord);
    PutU16(r, f.lastContentRecord);
    PutU32(r, 1);
    PutU32(r, f.fcisRecord);
    PutU32(r, 1);
    PutU32(r, f.flisRecord);
    PutU32(r, 1);
    r.append(8, '\0');
    PutU32(r, kNoRecord);
    PutU32(r, 0);
    PutU32(r, kNoRecord);
    PutU32(r, kNoRecord);
    PutU32(r, f.extraRecordDataFlags);
    PutU32(r, f.ncxIndexRecord);
    // r.size() == 16 + kMobiHeaderLength here.
    r += f.exth.Serialize();
    SetU32(r, fullNameOffsetAt, static_cast<std::uint32_t>(r.size()));
    r += f.fullName;
    r.append(2, '\0');
    while (r.size() % 4 != 0) r += '\0';
    return r;
}

std::string BuildFlisRecord() {
    std::string r = "FLIS";
    PutU32(r, 8);
    PutU16(r, 65);
    PutU16(r, 0);
    PutU32(r, 0);
    PutU32(r, kNoRecord);
    PutU16(r, 1);
    PutU16(r, 3);
    PutU32(r, 3);
    PutU32(r, 1);
    PutU32(r, kNoRecord);
    return r;
}

std::string BuildFcisRecord(std::uint32_t textLength) {
    std::string r = "FCIS";
    PutU32(r, 20);
    PutU32(r, 16);
    PutU32(r, 1);
    PutU32(r, 0);
    PutU32(r, textLength);
    PutU32(r, 0);
    PutU32(r, 32);
    PutU32(r, 8);
    PutU16(r, 1);
    PutU16(r, 1);
    PutU32(r, 0);
    return r;
}

std::string BuildEndOfFileRecord() { return std::string("\xE9\x8E\x0D\x0A", 4); }

}  // namespace quillery::mobi
