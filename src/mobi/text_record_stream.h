#pragma once
// The book's text records made while the text is still being written: each record of 4,096
// bytes is cut as soon as its bytes (and the few after it that its multibyte trailing entry
// looks at) are written and the links in it point at known positions, and PalmDOC records are
// compressed on the pool's threads meanwhile. A record with a link to a place not yet written
// waits, alone, for that place. So the whole uncompressed text is never held at once, and the
// records are the same, in the same order, whatever the number of threads.

#include <cstddef>
#include <future>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "mobi/kf7_text.h"
#include "mobi/text_records.h"
#include "mobi/thread_pool.h"

namespace quillery::mobi {

struct StreamedRecords {
    // Compressed as the book asks, each followed by its multibyte trailing entry, with room
    // for a navigation trailing entry.
    std::vector<std::string> textRecords;
    std::vector<std::string> huffCdicRecords;  // the dictionary of Huffdic books
    std::string text;                          // the whole text, when it is kept
};

class TextRecordStream {
public:
    TextRecordStream(TextCompression compression, bool utf8, bool keepText, ThreadPool& pool)
        : compression_(compression), utf8_(utf8), keepText_(keepText), pool_(pool) {}

    // Takes the bytes written in the book's text since the last call; the links waiting for a
    // place that `text` now knows are filled in.
    void Add(Kf7Text& text);
    // Takes the end of the text: links whose target never came point at their fallback (or
    // 0) and are returned in text order.
    std::vector<UnresolvedLink> Finish(Kf7Text& text);
    // The records, once every one is made (after Finish).
    StreamedRecords TakeRecords();

    std::size_t length() const { return windowStart_ + window_.size(); }

private:
    struct Piece {
        std::size_t index = 0;
        std::string bytes;     // the uncompressed record
        std::string trailing;  // its multibyte trailing entry
    };
    using Link = Kf7Text::WrittenLink;

    // Takes the bytes and waiting links, and fills in the links waiting for an anchor that
    // was defined meanwhile.
    void Take(Kf7Text& text);
    // Fills in the link waiting at `digitsAt` with `position`; it waits no more.
    void Resolve(std::size_t digitsAt, std::uint32_t position);
    void WriteDigits(std::size_t at, const std::string& digits);
    bool Waits(std::size_t start, std::size_t end) const;
    // Cuts the records that are whole, then hands on the held ones no link holds back now.
    void Cut(bool ending);
    void Emit(std::vector<Piece> pieces);
    // Compresses the pieces on the pool.
    void Submit(std::vector<Piece> pieces);

    TextCompression compression_;
    bool utf8_;
    bool keepText_;
    ThreadPool& pool_;
    std::string window_;  // the text from windowStart_ on, not yet cut into records
    std::size_t windowStart_ = 0;
    std::map<std::size_t, Link> waiting_;  // by the position of their digits
    std::unordered_multimap<std::string, std::size_t> waitingFor_;  // target -> digits
    std::map<std::size_t, Piece> held_;  // records cut while a link in them waited
    std::vector<std::size_t> mayGo_;     // held records whose links were filled in since
    struct Batch {
        std::vector<std::size_t> indexes;
        std::future<std::vector<std::string>> records;
    };
    std::vector<Batch> batches_;
    std::vector<Piece> uncompressed_;  // Huffdic's pieces, or every piece when the text is kept
};

}  // namespace quillery::mobi
