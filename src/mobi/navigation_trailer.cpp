// Builds the navigation trailing entries of the text records (see navigation_trailer.h).

#include "mobi/navigation_trailer.h"

#include <algorithm>

#include "mobi/text_records.h"

namespace quillery::mobi {
namespace {

// Seven bits a byte, most significant group first; `marked` says which byte carries the top
// bit: the last one (read forwards) or the first one (read backwards from the end).
enum class Marked { Last, First };
std::string VarWidth(std::uint32_t value, Marked marked) {
    std::string groups;
    do {
        groups.insert(groups.begin(), static_cast<char>(value & 0x7F));
        value >>= 7;
    } while (value != 0);
    if (marked == Marked::Last) {
        groups.back() = static_cast<char>(groups.back() | 0x80);
    } else {
        groups.front() = static_cast<char>(groups.front() | 0x80);
    }
    return groups;
}

// The first number of a sequence: the index number with the three flag bits below it.
std::string FlaggedNumber(std::uint32_t indexNumber, std::uint32_t flags) {
    return VarWidth((indexNumber << 3) | flags, Marked::Last);
}

// Whether an entry is a chapter with text: top-level and not empty.
bool IsChapter(const TocEntry& entry) { return entry.level == 0 && entry.length > 0; }

// The sequence of the record [recordStart, recordEnd) from the entries numbered in
// `candidates` (which hold at least every chapter touching the record).
std::string SequenceOf(const std::vector<TocEntry>& entries,
                       const std::vector<std::uint32_t>& candidates, std::size_t recordStart,
                       std::size_t recordEnd) {
    std::uint32_t first = 0;
    std::size_t touching = 0;  // chapters that begin or end inside the record
    bool completes = false;    // one of them both begins and ends inside it
    for (const std::uint32_t number : candidates) {
        const TocEntry& entry = entries[number];
        if (!IsChapter(entry)) continue;
        const std::size_t begin = entry.offset;
        const std::size_t end = static_cast<std::size_t>(entry.offset) + entry.length;
        if (begin >= recordEnd || end <= recordStart) continue;
        if (begin < recordStart && end > recordEnd) {
            // The record lies inside this chapter; top-level chapters do not overlap, so it
            // is the only one.
            return FlaggedNumber(number, 0b011) + VarWidth(0, Marked::Last) +
                   VarWidth(0, Marked::Last);
        }
        if (touching == 0 || number < first) first = number;
        ++touching;
        if (begin >= recordStart && end <= recordEnd) completes = true;
    }
    if (touching == 0) return {};
    if (touching == 1 && !completes) return FlaggedNumber(first, 0b010) + VarWidth(0, Marked::Last);
    // The count has one byte; more than 255 chapters inside 4,096 bytes of text would need
    // chapters of 16 bytes, which hold no heading.
    const auto count = static_cast<char>(std::min<std::size_t>(touching, 255));
    return FlaggedNumber(first, 0b110) + VarWidth(0, Marked::Last) + std::string(1, count);
}

}  // namespace

std::string NavigationSequence(const std::vector<TocEntry>& entries, std::size_t recordStart,
                               std::size_t recordEnd) {
    std::vector<std::uint32_t> all(entries.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::uint32_t>(i);
    return SequenceOf(entries, all, recordStart, recordEnd);
}

std::string SizedTrailingEntry(std::string_view data) {
    std::size_t sizeBytes = 1;
    std::string size;
    for (;;) {
        size = VarWidth(static_cast<std::uint32_t>(data.size() + sizeBytes), Marked::First);
        if (size.size() == sizeBytes) break;
        ++sizeBytes;
    }
    return std::string(data) + size;
}

void AppendNavigationEntries(std::span<std::string> records, const std::vector<TocEntry>& entries,
                             std::size_t textLength) {
    // Each chapter is listed with the records it touches, so that the work grows with the
    // records and chapters, not with their product.
    std::vector<std::vector<std::uint32_t>> touching(records.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!IsChapter(entries[i])) continue;
        const std::size_t begin = entries[i].offset;
        const std::size_t last = begin + entries[i].length - 1;
        for (std::size_t record = begin / kTextRecordSize;
             record <= last / kTextRecordSize && record < records.size(); ++record)
            touching[record].push_back(static_cast<std::uint32_t>(i));
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::size_t start = i * kTextRecordSize;
        const std::size_t end = std::min(textLength, start + kTextRecordSize);
        records[i] += SizedTrailingEntry(SequenceOf(entries, touching[i], start, end));
    }
}

}  // namespace quillery::mobi
