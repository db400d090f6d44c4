// The book's navigation index (the NCX index of the compiled book) (see ncx_index.h).

#include "mobi/ncx_index.h"

#include <algorithm>

namespace quillery::mobi {
namespace {

// Layout of the index records written here (all numbers big-endian):
//
// Every INDX record starts with a 192-byte header: "INDX", the header length (192), 0, the
// record kind (0 for the index header record, 1 for a data record), the index type (header
// record only), the offset of the record's IDXT block, the number of data records (header
// record) or of entries (data record), then, in the header record only, the text encoding,
// the language (unset), the total number of entries, ORDT/LIGT fields (unused, 0), the number
// of CNCX records and, at 180, the offset of the TAGX block.
//
// The header record goes on with the TAGX block (which tags an entry may carry, with their
// bit in the entry's control byte) and one summary per data record (the name of its last
// entry and its entry count), located by its IDXT block.
//
// A data record holds entries: the name (length byte + bytes), one control byte telling which
// tags follow, and each present tag's value as a variable-width number; its IDXT block gives
// the 16-bit position of every entry. Labels live in CNCX records as a variable-width length
// followed by the bytes; an entry points at its label with (CNCX record number << 16) plus
// the position inside that record.

constexpr std::size_t kIndxHeaderLength = 192;
constexpr std::uint32_t kHeaderRecordKind = 0;
constexpr std::uint32_t kDataRecordKind = 1;
// The index type of the header record: 2, the value navigation indexes of books made for the
// reading devices carry ("normal" 0 is the dictionaries' headword index).
constexpr std::uint32_t kNavigationIndexType = 2;
// Entry positions in IDXT are 16-bit; records stay well below that with room for the IDXT.
constexpr std::size_t kMaxIndexRecordBytes = 0xF000;
// Label offsets keep 16 bits for the position inside a CNCX record.
constexpr std::size_t kMaxCncxRecordBytes = 0xFFF0;

struct TagSpec {
    std::uint8_t tag;
    std::uint8_t mask;
};
// The tags of a navigation entry, in the order their values are written.
constexpr TagSpec kOffsetTag{1, 0x01};
constexpr TagSpec kLengthTag{2, 0x02};
constexpr TagSpec kLabelTag{3, 0x04};
constexpr TagSpec kDepthTag{4, 0x08};
constexpr TagSpec kParentTag{21, 0x10};
constexpr TagSpec kFirstChildTag{22, 0x20};
constexpr TagSpec kLastChildTag{23, 0x40};
constexpr TagSpec kAllTags[] = {kOffsetTag, kLengthTag,     kLabelTag,    kDepthTag,
                                kParentTag, kFirstChildTag, kLastChildTag};

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((value >> shift) & 0xFF));
}
void Put16(std::string& out, std::uint32_t value) {
    out.push_back(char((value >> 8) & 0xFF));
    out.push_back(char(value & 0xFF));
}
void Set32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = char((value >> (24 - 8 * i)) & 0xFF);
}
void PadTo4(std::string& out) {
    while (out.size() % 4 != 0) out.push_back('\0');
}

// Seven bits per byte, most significant group first; the last byte has its top bit set.
void PutVarWidth(std::string& out, std::uint32_t value) {
    char groups[5];
    int count = 0;
    do {
        groups[count++] = char(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    groups[0] = char(groups[0] | 0x80);
    while (count > 0) out.push_back(groups[--count]);
}

std::string CutLabel(const std::string& label, std::uint32_t codePage) {
    if (label.size() <= kMaxLabelBytes) return label;
    std::size_t end = kMaxLabelBytes;
    if (codePage == kIndexUtf8) {
        while (end > 0 && (std::uint8_t(label[end]) & 0xC0) == 0x80) --end;
    }
    return label.substr(0, end);
}

// Collects the labels into CNCX records and hands out their offsets.
class LabelRecords {
public:
    std::uint32_t Add(const std::string& label) {
        std::string item;
        PutVarWidth(item, static_cast<std::uint32_t>(label.size()));
        item += label;
        if (records_.empty() || records_.back().size() + item.size() > kMaxCncxRecordBytes) {
            records_.emplace_back();
        }
        std::string& record = records_.back();
        const auto offset =
            static_cast<std::uint32_t>(((records_.size() - 1) << 16) | record.size());
        record += item;
        return offset;
    }
    std::vector<std::string> Take() {
        for (auto& record : records_) PadTo4(record);
        return std::move(records_);
    }

private:
    std::vector<std::string> records_;
};

// Entries are named by their number in upper-case hexadecimal, all with the same even number
// of digits, so that the names read back as numbers and sort in entry order.
std::string EntryName(std::size_t number, std::size_t total) {
    std::size_t width = 2;
    const std::size_t largest = total > 0 ? total - 1 : 0;
    while (width < 16 && (largest >> (4 * width)) != 0) width += 2;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string name(width, '0');
    for (std::size_t i = 0; i < width; ++i) {
        name[width - 1 - i] = kDigits[(number >> (4 * i)) & 0xF];
    }
    return name;
}

bool IsEntryNumber(int value, std::size_t total) {
    return value >= 0 && static_cast<std::size_t>(value) < total;
}

std::string EncodeEntry(const std::string& name, const TocEntry& entry, std::uint32_t labelOffset,
                        std::size_t total) {
    std::uint8_t control = kOffsetTag.mask | kLengthTag.mask | kLabelTag.mask | kDepthTag.mask;
    if (IsEntryNumber(entry.parent, total)) control |= kParentTag.mask;
    if (IsEntryNumber(entry.firstChild, total)) control |= kFirstChildTag.mask;
    if (IsEntryNumber(entry.lastChild, total)) control |= kLastChildTag.mask;

    std::string out;
    out.push_back(char(name.size()));
    out += name;
    out.push_back(char(control));
    PutVarWidth(out, entry.offset);
    PutVarWidth(out, entry.length);
    PutVarWidth(out, labelOffset);
    PutVarWidth(out, static_cast<std::uint32_t>(std::max(entry.level, 0)));
    if (control & kParentTag.mask) PutVarWidth(out, static_cast<std::uint32_t>(entry.parent));
    if (control & kFirstChildTag.mask) {
        PutVarWidth(out, static_cast<std::uint32_t>(entry.firstChild));
    }
    if (control & kLastChildTag.mask) PutVarWidth(out, static_cast<std::uint32_t>(entry.lastChild));
    return out;
}

std::string IndxHeader(std::uint32_t kind) {
    std::string out = "INDX";
    Put32(out, kIndxHeaderLength);
    Put32(out, 0);
    Put32(out, kind);
    out.resize(kIndxHeaderLength, '\0');
    return out;
}

// Appends the IDXT block (entry positions) and records its offset in the header.
void FinishWithIdxt(std::string& record, const std::vector<std::uint16_t>& positions) {
    PadTo4(record);
    Set32(record, 20, static_cast<std::uint32_t>(record.size()));
    record += "IDXT";
    for (std::uint16_t position : positions) Put16(record, position);
    PadTo4(record);
}

struct DataRecord {
    std::string bytes;
    std::vector<std::uint16_t> positions;
    std::string lastName;
};

void CloseDataRecord(DataRecord& record) {
    Set32(record.bytes, 24, static_cast<std::uint32_t>(record.positions.size()));
    FinishWithIdxt(record.bytes, record.positions);
}

std::string TagTable() {
    std::string out = "TAGX";
    Put32(out, static_cast<std::uint32_t>(12 + 4 * (std::size(kAllTags) + 1)));
    Put32(out, 1);  // one control byte per entry
    for (const TagSpec& entry : kAllTags) {
        out.push_back(char(entry.tag));
        out.push_back(char(1));  // one value
        out.push_back(char(entry.mask));
        out.push_back(char(0));
    }
    out += std::string("\0\0\0\x01", 4);  // end of the control byte's tags
    return out;
}

std::string HeaderRecord(const std::vector<DataRecord>& data, std::size_t totalEntries,
                         std::size_t labelRecordCount, std::uint32_t codePage) {
    std::string out = IndxHeader(kHeaderRecordKind);
    Set32(out, 16, kNavigationIndexType);
    Set32(out, 24, static_cast<std::uint32_t>(data.size()));
    Set32(out, 28, codePage);
    Set32(out, 32, 0xFFFFFFFF);  // language: not set
    Set32(out, 36, static_cast<std::uint32_t>(totalEntries));
    Set32(out, 52, static_cast<std::uint32_t>(labelRecordCount));
    Set32(out, 180, kIndxHeaderLength);
    out += TagTable();
    std::vector<std::uint16_t> positions;
    for (const DataRecord& record : data) {
        positions.push_back(static_cast<std::uint16_t>(out.size()));
        out.push_back(char(record.lastName.size()));
        out += record.lastName;
        Put16(out, static_cast<std::uint32_t>(record.positions.size()));
    }
    FinishWithIdxt(out, positions);
    return out;
}

}  // namespace

std::vector<std::string> BuildNcxIndexRecords(const std::vector<TocEntry>& entries) {
    return BuildNcxIndexRecords(entries, kIndexUtf8);
}

std::vector<std::string> BuildNcxIndexRecords(const std::vector<TocEntry>& entries,
                                              std::uint32_t codePage) {
    if (entries.empty()) return {};
    LabelRecords labels;
    std::vector<DataRecord> data;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string name = EntryName(i, entries.size());
        const std::uint32_t labelOffset = labels.Add(CutLabel(entries[i].label, codePage));
        const std::string encoded = EncodeEntry(name, entries[i], labelOffset, entries.size());
        // Room needed for this entry plus the IDXT block with its position.
        const auto fits = [&](const DataRecord& record) {
            const std::size_t idxtBytes = 4 + 2 * (record.positions.size() + 1) + 6;
            return record.bytes.size() + encoded.size() + idxtBytes <= kMaxIndexRecordBytes;
        };
        if (data.empty() || !fits(data.back())) {
            if (!data.empty()) CloseDataRecord(data.back());
            data.push_back(DataRecord{IndxHeader(kDataRecordKind), {}, {}});
            Set32(data.back().bytes, 28, 0xFFFFFFFF);
            Set32(data.back().bytes, 32, 0xFFFFFFFF);
        }
        DataRecord& record = data.back();
        record.positions.push_back(static_cast<std::uint16_t>(record.bytes.size()));
        record.bytes += encoded;
        record.lastName = name;
    }
    CloseDataRecord(data.back());

    std::vector<std::string> labelRecords = labels.Take();
    std::vector<std::string> records;
    records.push_back(HeaderRecord(data, entries.size(), labelRecords.size(), codePage));
    for (DataRecord& record : data) records.push_back(std::move(record.bytes));
    for (std::string& record : labelRecords) records.push_back(std::move(record));
    return records;
}

}  // namespace quillery::mobi
