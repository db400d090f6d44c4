// A MOBI file as libmobi, an independent reader, sees it (see mobi_reader.h).

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
    std::size_t length = mobi_get_text_maxsize(data_) + 1;
    std::string text(length, '\0');
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
    const bool ok = rawml && mobi_parse_rawml(rawml, data_) == MOBI_SUCCESS;
    if (rawml) mobi_free_rawml(rawml);
    return ok;
}

namespace {

// A CNCX string: a forward-encoded length, then the bytes; `value` is record << 16 | offset.
std::string CncxLabel(const MOBIIndx& index, std::uint32_t value) {
    const MOBIPdbRecord* cncx = index.cncx_record;
    for (std::size_t k = 0; k < (value >> 16) && cncx; ++k) cncx = cncx->next;
    if (!cncx || (value >> 16) >= index.cncx_records_count) return "?";
    std::size_t at = value & 0xFFFF, length = 0;
    while (at < cncx->size) {
        const unsigned char byte = cncx->data[at++];
        length = (length << 7) | (byte & 0x7F);
        if (byte & 0x80) break;
    }
    if (at + length > cncx->size) return "?";
    return std::string(reinterpret_cast<const char*>(cncx->data + at), length);
}

}  // namespace

std::optional<std::vector<ReadNcxEntry>> LibMobiBook::Ncx() const {
    MOBIRawml* rawml = mobi_init_rawml(data_);
    std::optional<std::vector<ReadNcxEntry>> result;
    if (rawml && mobi_parse_rawml_opt(rawml, data_, true, false, false) == MOBI_SUCCESS &&
        rawml->ncx) {
        result.emplace();
        for (std::size_t i = 0; i < rawml->ncx->entries_count; ++i) {
            const MOBIIndexEntry& entry = rawml->ncx->entries[i];
            ReadNcxEntry& read = result->emplace_back();
            for (std::size_t t = 0; t < entry.tags_count; ++t) {
                const MOBIIndexTag& tag = entry.tags[t];
                if (tag.tagvalues_count == 0) continue;
                const std::uint32_t value = tag.tagvalues[0];
                if (tag.tagid == 1) read.offset = value;
                if (tag.tagid == 2) read.length = value;
                if (tag.tagid == 3) read.label = CncxLabel(*rawml->ncx, value);
                if (tag.tagid == 4) read.level = static_cast<int>(value);
                if (tag.tagid == 21) read.parent = static_cast<int>(value);
            }
        }
    }
    if (rawml) mobi_free_rawml(rawml);
    return result;
}

}  // namespace quillery::mobi::testing
