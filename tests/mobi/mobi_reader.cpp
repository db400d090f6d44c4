#include "mobi_reader.h"

#include <cstdlib>

namespace quillery::mobi::testing {

LibMobiBook::LibMobiBook(const std::string& path) {
    data_ = mobi_init();
    loaded_ = data_ && mobi_load_filename(data_, path.c_str()) == MOBI_SUCCESS;
}

LibMobiBook::~LibMobiBook() {
    if (data_) mobi_free(data_);
}

std::optional<std::string> LibMobiBook::Text() const {
    if (!loaded_) return std::nullopt;
    const std::size_t capacity = mobi_get_text_maxsize(data_) + 1;
    std::string text(capacity, '\0');
    std::size_t length = capacity;
    if (mobi_get_rawml(data_, text.data(), &length) != MOBI_SUCCESS) return std::nullopt;
    text.resize(length);
    return text;
}

std::optional<std::string> LibMobiBook::ExthText(MOBIExthTag tag) const {
    MOBIExthHeader* record = mobi_get_exthrecord_by_tag(data_, tag);
    if (!record) return std::nullopt;
    return std::string(static_cast<const char*>(record->data), record->size);
}

std::optional<std::uint32_t> LibMobiBook::ExthNumber(MOBIExthTag tag) const {
    MOBIExthHeader* record = mobi_get_exthrecord_by_tag(data_, tag);
    if (!record || record->size != 4) return std::nullopt;
    return mobi_decode_exthvalue(static_cast<const unsigned char*>(record->data), record->size);
}

std::optional<std::string> LibMobiBook::Record(std::size_t index) const {
    const MOBIPdbRecord* record = mobi_get_record_by_seqnumber(data_, index);
    if (!record) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(record->data), record->size);
}

bool LibMobiBook::ParsesRawml() const {
    MOBIRawml* rawml = mobi_init_rawml(data_);
    if (!rawml) return false;
    const bool ok = mobi_parse_rawml(rawml, data_) == MOBI_SUCCESS;
    mobi_free_rawml(rawml);
    return ok;
}

std::optional<std::vector<ReadNcxEntry>> LibMobiBook::Ncx() const {
    MOBIRawml* rawml = mobi_init_rawml(data_);
    if (!rawml) return std::nullopt;
    std::optional<std::vector<ReadNcxEntry>> result;
    if (mobi_parse_rawml_opt(rawml, data_, true, false, false) == MOBI_SUCCESS && rawml->ncx) {
        const MOBIIndx* index = rawml->ncx;
        std::vector<ReadNcxEntry> entries;
        for (std::size_t i = 0; i < index->entries_count; ++i) {
            const MOBIIndexEntry& entry = index->entries[i];
            ReadNcxEntry read;
            for (std::size_t t = 0; t < entry.tags_count; ++t) {
                const MOBIIndexTag& tag = entry.tags[t];
                if (tag.tagvalues_count == 0) continue;
                const std::uint32_t value = tag.tagvalues[0];
                switch (tag.tagid) {
                    case 1:
                        read.offset = value;
                        break;
                    case 2:
                        read.length = value;
                        break;
                    case 4:
                        read.level = static_cast<int>(value);
                        break;
                    case 21:
                        read.parent = static_cast<int>(value);
                        break;
                    case 22:
                        read.firstChild = static_cast<int>(value);
                        break;
                    case 23:
                        read.lastChild = static_cast<int>(value);
                        break;
                    case 3: {
                        // The label: a forward-encoded length, then the bytes, in a CNCX record.
                        const std::size_t record = value >> 16;
                        std::size_t at = value & 0xFFFF;
                        if (record >= index->cncx_records_count) break;
                        const MOBIPdbRecord* cncx = index->cncx_record;
                        for (std::size_t k = 0; k < record && cncx; ++k) cncx = cncx->next;
                        if (!cncx) break;
                        std::size_t length = 0;
                        while (at < cncx->size) {
                            const unsigned char byte = cncx->data[at++];
                            length = (length << 7) | (byte & 0x7F);
                            if (byte & 0x80) break;
                        }
                        if (at + length <= cncx->size)
                            read.label.assign(reinterpret_cast<const char*>(cncx->data + at),
                                              length);
                        break;
                    }
                    default:
                        break;
                }
            }
            entries.push_back(read);
        }
        result = std::move(entries);
    }
    mobi_free_rawml(rawml);
    return result;
}

}  // namespace quillery::mobi::testing
