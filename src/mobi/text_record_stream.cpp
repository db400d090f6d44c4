// The book's text records made while the text is written (see text_record_stream.h).

#include "mobi/text_record_stream.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "mobi/huffdic.h"
#include "mobi/palmdoc.h"

namespace quillery::mobi {
namespace {

// A record is cut once this many bytes after it are written: its multibyte trailing entry
// holds the continuation bytes of a character it cuts, at most three.
constexpr std::size_t kLookahead = 3;
// "0000000000": the digits of a filepos.
constexpr std::size_t kDigits = 10;
// Room left after each record for its navigation trailing entry (at most eight bytes), so
// that adding it later moves no record.
constexpr std::size_t kNavigationRoom = 16;
// Records compressed by one job of the pool.
constexpr std::size_t kRecordsPerJob = 16;

std::string Record(std::string_view body, const std::string& trailing) {
    std::string record;
    record.reserve(body.size() + trailing.size() + kNavigationRoom);
    record += body;
    record += trailing;
    return record;
}

}  // namespace

void TextRecordStream::Take(Kf7Text& text) {
    const std::size_t end = length();
    Kf7Text::Released released = text.ReleaseInto(window_);
    if (released.start != end) throw std::logic_error("the book's text was released out of order");
    for (auto& link : released.waiting) {
        const std::size_t at = link.digitsAt;
        waitingFor_.emplace(link.target, at);
        waiting_.emplace(at, std::move(link));
    }
    for (const auto& key : released.defined) {
        const auto [first, last] = waitingFor_.equal_range(key);
        if (first == last) continue;
        const std::uint32_t position = text.AnchorPosition(key);
        for (auto link = first; link != last; ++link) Resolve(link->second, position);
        waitingFor_.erase(first, last);
    }
}

void TextRecordStream::Add(Kf7Text& text) {
    Take(text);
    Cut(false);
}

std::vector<UnresolvedLink> TextRecordStream::Finish(Kf7Text& text) {
    Take(text);
    // The links whose target never came lead to their fallback, or to 0.
    std::vector<UnresolvedLink> unresolved;
    while (!waiting_.empty()) {
        const Link& link = waiting_.begin()->second;
        unresolved.push_back({link.target, link.origin});
        const bool fallback = !link.fallback.empty() && text.HasAnchor(link.fallback);
        Resolve(link.digitsAt, fallback ? text.AnchorPosition(link.fallback) : 0);
    }
    waitingFor_.clear();
    Cut(true);
    return unresolved;
}

void TextRecordStream::Resolve(std::size_t digitsAt, std::uint32_t position) {
    WriteDigits(digitsAt, FormatFilepos(position));
    waiting_.erase(digitsAt);
    mayGo_.push_back(digitsAt / kTextRecordSize);
    mayGo_.push_back((digitsAt + kDigits - 1) / kTextRecordSize);
}

void TextRecordStream::WriteDigits(std::size_t at, const std::string& digits) {
    for (std::size_t k = 0; k < digits.size(); ++k) {
        const std::size_t position = at + k;
        if (position >= windowStart_)
            window_[position - windowStart_] = digits[k];
        else
            held_.at(position / kTextRecordSize).bytes[position % kTextRecordSize] = digits[k];
    }
}

bool TextRecordStream::Waits(std::size_t start, std::size_t end) const {
    // The first link whose digits end after `start`.
    const auto first = waiting_.lower_bound(start < kDigits ? 0 : start - kDigits + 1);
    return first != waiting_.end() && first->first < end;
}

void TextRecordStream::Cut(bool ending) {
    std::vector<Piece> ready;
    const std::string_view window = window_;
    std::size_t offset = 0;  // of the next record in the window
    for (;;) {
        const std::size_t start = windowStart_ + offset;
        const std::size_t total = length();
        if (start >= total || (!ending && start + kTextRecordSize + kLookahead > total)) break;
        const std::size_t size = std::min(kTextRecordSize, total - start);
        Piece piece;
        piece.index = start / kTextRecordSize;
        piece.bytes.assign(window.substr(offset, size));
        piece.trailing = MultibyteTrailingEntry(window.substr(offset), size, utf8_);
        if (Waits(start, start + size))
            held_.emplace(piece.index, std::move(piece));
        else
            ready.push_back(std::move(piece));
        offset += size;
    }
    window_.erase(0, offset);
    windowStart_ += offset;
    for (const std::size_t index : mayGo_) {
        const auto held = held_.find(index);
        if (held == held_.end()) continue;
        const std::size_t start = index * kTextRecordSize;
        if (Waits(start, start + held->second.bytes.size())) continue;
        ready.push_back(std::move(held->second));
        held_.erase(held);
    }
    mayGo_.clear();
    if (!ready.empty()) Emit(std::move(ready));
}

void TextRecordStream::Emit(std::vector<Piece> pieces) {
    if (compression_ == TextCompression::Huffdic) {
        // Huffdic compresses all the pieces against one dictionary, once they are all there.
        for (auto& piece : pieces) uncompressed_.push_back(std::move(piece));
        return;
    }
    if (keepText_) uncompressed_.insert(uncompressed_.end(), pieces.begin(), pieces.end());
    // Jobs of a few records, so that the many records a late chapter frees are shared out.
    for (std::size_t first = 0; first < pieces.size(); first += kRecordsPerJob) {
        const auto from = pieces.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = pieces.begin() + static_cast<std::ptrdiff_t>(
                                             std::min(first + kRecordsPerJob, pieces.size()));
        Submit(std::vector<Piece>(std::make_move_iterator(from), std::make_move_iterator(to)));
    }
}

void TextRecordStream::Submit(std::vector<Piece> pieces) {
    Batch batch;
    for (const auto& piece : pieces) batch.indexes.push_back(piece.index);
    batch.records = pool_.Submit([compression = compression_, pieces = std::move(pieces)] {
        std::vector<std::string> records;
        records.reserve(pieces.size());
        std::string compressed;
        compressed.reserve(kTextRecordSize + kTextRecordSize / 8);
        for (const auto& piece : pieces) {
            if (compression != TextCompression::PalmDoc) {
                records.push_back(Record(piece.bytes, piece.trailing));
                continue;
            }
            compressed.clear();
            PalmDocCompressInto(piece.bytes, compressed);
            records.push_back(Record(compressed, piece.trailing));
        }
        return records;
    });
    batches_.push_back(std::move(batch));
}

StreamedRecords TextRecordStream::TakeRecords() {
    if (!waiting_.empty() || !held_.empty() || !window_.empty())
        throw std::logic_error("the book's text records are taken before the text is finished");
    StreamedRecords result;
    result.textRecords.resize((length() + kTextRecordSize - 1) / kTextRecordSize);
    for (auto& batch : batches_) {
        auto records = batch.records.get();
        for (std::size_t i = 0; i < records.size(); ++i)
            result.textRecords[batch.indexes[i]] = std::move(records[i]);
    }
    batches_.clear();
    std::sort(uncompressed_.begin(), uncompressed_.end(),
              [](const Piece& a, const Piece& b) { return a.index < b.index; });
    if (keepText_) {
        result.text.reserve(length());
        for (const auto& piece : uncompressed_) result.text += piece.bytes;
    }
    if (compression_ == TextCompression::Huffdic) {
        std::vector<std::string> pieces;
        pieces.reserve(uncompressed_.size());
        for (auto& piece : uncompressed_) pieces.push_back(std::move(piece.bytes));
        HuffdicBook huffdic = HuffdicCompress(pieces, pool_);
        for (std::size_t i = 0; i < huffdic.textRecords.size(); ++i)
            result.textRecords[i] = Record(huffdic.textRecords[i], uncompressed_[i].trailing);
        result.huffCdicRecords = std::move(huffdic.huffCdicRecords);
    }
    uncompressed_.clear();
    return result;
}

}  // namespace quillery::mobi
