// Text records cut while the text is written: the same records, text and unresolved links as
// cutting the whole text once every link is filled in, whatever the order in which link
// targets arrive (before, after, never) and wherever the digits of a link fall.

#include "mobi/text_record_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace quillery::mobi {
namespace {

// "p<part>#<item>", the key of an anchor.
std::string Key(unsigned part, unsigned item) {
    std::string key = "p";
    key += std::to_string(part);
    key += '#';
    key += std::to_string(item);
    return key;
}

// A part of the book (a chapter): text with multibyte characters, anchors and links to
// anchors of any part, some never defined, some with a fallback.
Kf7Text MakePart(unsigned part, unsigned parts, bool western, std::mt19937& random) {
    Kf7Text text(western);
    const std::string words[] = {"quill ", "caf\xC3\xA9 ", "\xE2\x98\x83 ", "ink\n", "<page> "};
    for (unsigned item = 0; item < 400; ++item) {
        for (int n = static_cast<int>(random() % 6); n > 0; --n) text.Text(words[random() % 5]);
        text.Anchor(Key(part, item));
        const unsigned target = random() % (parts + 2);  // past the last part: never defined
        const std::string key = Key(target, random() % 400);
        text.Markup("<a ");
        text.Link(key, Key(part, 0), random() % 2 ? Key(target, 0) : std::string());
        text.Markup(">");
    }
    return text;
}

struct Book {
    std::vector<std::string> records;
    std::string text;
    std::vector<std::pair<std::string, std::string>> unresolved;
};

std::vector<std::pair<std::string, std::string>> Pairs(const std::vector<UnresolvedLink>& links) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& link : links) pairs.emplace_back(link.target, link.origin);
    return pairs;
}

// The whole text written, its links filled in, then cut.
Book CutWhole(unsigned parts, bool western, TextCompression compression, std::size_t& straddling) {
    std::mt19937 random(11);
    Kf7Text text(western);
    text.Markup("<html>");
    for (unsigned part = 0; part < parts; ++part)
        text.Append(MakePart(part, parts, western, random));
    // Links written before their target (or without one) whose digits cross a record boundary.
    straddling = 0;
    for (const auto& link : text.links()) {
        const bool before =
            !text.HasAnchor(link.target) || text.AnchorPosition(link.target) > link.digitsAt;
        straddling +=
            before && link.digitsAt / kTextRecordSize != (link.digitsAt + 9) / kTextRecordSize;
    }
    Book book;
    book.unresolved = Pairs(text.ResolveLinks());
    book.text = text.bytes();
    book.records = BuildTextRecords(book.text, compression, !western);
    return book;
}

// The same text handed to the stream part by part.
Book CutStreamed(unsigned parts, bool western, TextCompression compression, unsigned threads) {
    std::mt19937 random(11);
    ThreadPool pool(threads);
    TextRecordStream stream(compression, !western, true, pool);
    Kf7Text text(western);
    text.Markup("<html>");
    for (unsigned part = 0; part < parts; ++part) {
        text.Append(MakePart(part, parts, western, random));
        stream.Add(text);
    }
    Book book;
    book.unresolved = Pairs(stream.Finish(text));
    StreamedRecords records = stream.TakeRecords();
    book.records = std::move(records.textRecords);
    book.text = std::move(records.text);
    return book;
}

TEST(TextRecordStream, MakesTheRecordsOfTheWholeText) {
    const struct {
        bool western;
        TextCompression compression;
        unsigned threads;
    } cases[] = {
        {false, TextCompression::None, 1},
        {false, TextCompression::PalmDoc, 2},
        {true, TextCompression::PalmDoc, 1},
        {true, TextCompression::None, 2},
    };
    for (const auto& c : cases) {
        std::size_t straddling = 0;
        const Book whole = CutWhole(40, c.western, c.compression, straddling);
        const Book streamed = CutStreamed(40, c.western, c.compression, c.threads);
        ASSERT_GT(straddling, 0u) << "no waiting link's digits cross a record boundary";
        ASSERT_FALSE(whole.unresolved.empty());
        EXPECT_EQ(streamed.text, whole.text);
        EXPECT_EQ(streamed.unresolved, whole.unresolved);
        ASSERT_EQ(streamed.records.size(), whole.records.size());
        for (std::size_t i = 0; i < whole.records.size(); ++i)
            EXPECT_EQ(streamed.records[i], whole.records[i]) << "record " << i;
    }
}

}  // namespace
}  // namespace quillery::mobi
