// The EXTH block of record 0 (see exth.h).

#include "mobi/exth.h"

#include "mobi/byte_writer.h"

namespace quillery::mobi {

void ExthBlock::AddText(std::uint32_t type, const std::string& text) {
    if (!text.empty()) records_.push_back({type, text});
}

void ExthBlock::AddNumber(std::uint32_t type, std::uint32_t value) {
    std::string data;
    PutU32(data, value);
    records_.push_back({type, data});
}

std::string ExthBlock::Serialize() const {
    std::string body;
    for (const auto& record : records_) {
        PutU32(body, record.type);
        PutU32(body, static_cast<std::uint32_t>(record.data.size() + 8));
        body += record.data;
    }
    std::string out = "EXTH";
    PutU32(out, static_cast<std::uint32_t>(body.size() + 12));
    PutU32(out, static_cast<std::uint32_t>(records_.size()));
    out += body;
    while (out.size() % 4 != 0) out += '\0';
    return out;
}

}  // namespace quillery::mobi
