// Device navigation read back from compiled books: the navigation trailing entry of every text
// record and the order of the NCX index, checked with libmobi's view of the book and a
// trailing-entry reader written here from the format's description (not the compiler's code).

#include <gtest/gtest.h>

#include "loaded_book.h"
#include "mobi/navigation_trailer.h"

namespace quillery::mobi {
namespace {

using testing::ReadNcxEntry;

// A forward variable-width number at `at` (the last byte has its top bit set); advances `at`.
std::uint32_t ReadForward(const std::string& bytes, std::size_t& at) {
    std::uint32_t value = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at++]);
        value = (value << 7) | (byte & 0x7F);
        if (byte & 0x80) break;
    }
    return value;
}

// The trailing entries of a text record whose extra data flags are 3: the navigation entry
// is last, its size read backwards from the end (the first byte of the size has its top bit
// set); before it, the multibyte entry, whose last byte counts the bytes before it.
struct TrailingEntries {
    std::string body, multibyte, navigation;
};
std::optional<TrailingEntries> SplitTrailingEntries(std::string record) {
    std::uint32_t size = 0;
    for (std::size_t k = 1, shift = 0; k <= 4 && k <= record.size(); ++k, shift += 7) {
        const auto byte = static_cast<unsigned char>(record[record.size() - k]);
        size |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if (byte & 0x80) break;
    }
    if (size == 0 || size > record.size()) return std::nullopt;
    TrailingEntries entries;
    std::size_t sizeBytes = 1;
    while (!(static_cast<unsigned char>(record[record.size() - sizeBytes]) & 0x80)) ++sizeBytes;
    entries.navigation = record.substr(record.size() - size, size - sizeBytes);
    record.resize(record.size() - size);
    if (record.empty()) return std::nullopt;
    const std::size_t overlap = static_cast<unsigned char>(record.back()) & 3;
    if (overlap + 1 > record.size()) return std::nullopt;
    entries.multibyte = record.substr(record.size() - 1 - overlap, overlap);
    record.resize(record.size() - 1 - overlap);
    entries.body = std::move(record);
    return entries;
}

// What a navigation sequence says: its form (the low three bits of the first number), the
// index number of the first chapter and, for form 0b110, the count of chapters.
struct Navigation {
    int form = -1;  // -1: empty sequence
    std::uint32_t first = 0;
    int count = 0;
    bool operator==(const Navigation&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Navigation& n) {
    return out << "{form " << n.form << ", first " << n.first << ", count " << n.count << "}";
}

std::optional<Navigation> DecodeNavigation(const std::string& bytes) {
    Navigation read;
    if (bytes.empty()) return read;
    std::size_t at = 0;
    const std::uint32_t head = ReadForward(bytes, at);
    read.form = static_cast<int>(head & 7);
    read.first = head >> 3;
    if (read.form & 0b010) {
        if (ReadForward(bytes, at) != 0) return std::nullopt;
    }
    if (read.form & 0b100) {
        if (at >= bytes.size()) return std::nullopt;
        read.count = static_cast<unsigned char>(bytes[at++]);
    }
    if (read.form & 0b001) {
        if (ReadForward(bytes, at) != 0) return std::nullopt;
    }
    if (at != bytes.size()) return std::nullopt;
    return read;
}

// The sequence a record [start, end) must carry, from the index entries libmobi read: the
// top-level entries that begin or end inside the record, or the one the record lies in.
Navigation ExpectedNavigation(const std::vector<ReadNcxEntry>& ncx, std::size_t start,
                              std::size_t end) {
    std::vector<std::uint32_t> touching;
    bool whole = false;
    for (std::size_t i = 0; i < ncx.size(); ++i) {
        const ReadNcxEntry& entry = ncx[i];
        const std::size_t from = entry.offset, to = entry.offset + entry.length;
        if (entry.level != 0 || entry.length == 0 || from >= end || to <= start) continue;
        if (from < start && to > end) return {0b011, static_cast<std::uint32_t>(i), 0};
        touching.push_back(static_cast<std::uint32_t>(i));
        whole = whole || (from >= start && to <= end);
    }
    if (touching.empty()) return {};
    if (touching.size() == 1 && !whole) return {0b010, touching[0], 0};
    return {0b110, touching[0], static_cast<int>(touching.size())};
}

std::optional<testing::CompiledTestBook> Compile(const quillery::testing::TempDir& dir, int level,
                                                 const testing::TestBookOptions& bookOptions = {}) {
    CompileOptions options;
    options.compressionLevel = level;
    return testing::CompileTestBook(dir, options, bookOptions);
}

TEST(BookNavigation, EveryTextRecordCarriesTheChaptersItTouchesAndTheIndexIsOrdered) {
    struct Row {
        const char* name;
        int level;
        int chapters;
        std::size_t chapterBytes;
    };
    const Row rows[] = {
        {"-c0, chapters of several records", 0, 5, 14000},
        {"-c1, chapters shorter than a record", 1, 12, 1500},
        {"-c2", 2, 6, 9000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        quillery::testing::TempDir dir;
        testing::TestBookOptions bookOptions;
        bookOptions.chapters = row.chapters;
        bookOptions.chapterBytes = row.chapterBytes;
        auto built = Compile(dir, row.level, bookOptions);
        ASSERT_TRUE(built);
        const MOBIData* m = built->reader->data();
        EXPECT_EQ(*m->mh->extra_flags, 3);
        // libmobi strips both trailing entries and decompresses the text exactly.
        EXPECT_EQ(built->reader->Text().value_or(""), built->compiled.text);
        const auto ncx = built->reader->Ncx();
        ASSERT_TRUE(ncx.has_value());
        // The index lists its entries by depth, then in reading order, in a typed header.
        ASSERT_EQ(ncx->size(), built->book.tocLines.size());
        for (std::size_t i = 1; i < ncx->size(); ++i) {
            const ReadNcxEntry &before = (*ncx)[i - 1], &entry = (*ncx)[i];
            EXPECT_TRUE(before.level < entry.level ||
                        (before.level == entry.level && before.offset < entry.offset))
                << "entry " << i << " \"" << entry.label << "\" follows \"" << before.label << "\"";
            if (entry.level > 0) {
                ASSERT_GE(entry.parent, 0);
                EXPECT_EQ((*ncx)[entry.parent].level, entry.level - 1);
            }
        }
        const std::string header = *built->reader->Record(*m->mh->ncx_index);
        const std::string data = *built->reader->Record(*m->mh->ncx_index + 1);
        const auto at = [](const std::string& record, std::size_t offset) {
            return (std::uint32_t(std::uint8_t(record[offset])) << 24) |
                   (std::uint32_t(std::uint8_t(record[offset + 1])) << 16) |
                   (std::uint32_t(std::uint8_t(record[offset + 2])) << 8) |
                   std::uint32_t(std::uint8_t(record[offset + 3]));
        };
        EXPECT_EQ(header.substr(0, 4), "INDX");
        EXPECT_EQ(at(header, 12), 0u);  // the header record
        EXPECT_EQ(at(header, 16), 2u);  // the index type of a book's navigation index
        EXPECT_EQ(at(data, 12), 1u);    // a data record
        int forms[8] = {};
        for (std::size_t i = 1; i <= built->compiled.textRecordCount; ++i) {
            SCOPED_TRACE("text record " + std::to_string(i));
            const auto entries = SplitTrailingEntries(*built->reader->Record(i));
            ASSERT_TRUE(entries.has_value());
            const std::size_t start = (i - 1) * 4096;
            const std::size_t end = std::min(start + 4096, built->compiled.text.size());
            if (row.level == 0) {
                EXPECT_EQ(entries->body, built->compiled.text.substr(start, end - start));
            }
            // The multibyte entry repeats the rest of a character the boundary cuts.
            std::size_t cut = 0;
            while (end + cut < built->compiled.text.size() &&
                   (built->compiled.text[end + cut] & 0xC0) == 0x80)
                ++cut;
            EXPECT_EQ(entries->multibyte, built->compiled.text.substr(end, cut));
            const auto read = DecodeNavigation(entries->navigation);
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(*read, ExpectedNavigation(*ncx, start, end));
            if (read->form >= 0) ++forms[read->form];
        }
        // The books exercise the forms their chapter sizes call for.
        EXPECT_GT(forms[0b110], 0);
        if (row.chapterBytes > 8192) {
            EXPECT_GT(forms[0b011], 0);
            EXPECT_GT(forms[0b010], 0);
        }
    }
}

TEST(NavigationTrailer, SequencesAndSizesHaveTheDocumentedForm) {
    // Two chapters of 6,000 bytes with a section each, then a short third chapter.
    std::vector<TocEntry> entries(5);
    entries[0] = {"One", 0, 6000, 0};
    entries[1] = {"Two", 6000, 6000, 0};
    entries[2] = {"Three", 12000, 100, 0};
    entries[3] = {"One.1", 3000, 3000, 1, 0};
    entries[4] = {"Empty", 12100, 0, 0};
    struct Row {
        std::size_t start, end;
        Navigation expected;
    };
    const Row rows[] = {
        {0, 4096, {0b010, 0, 0}},       // chapter 0 starts, goes on
        {4096, 8192, {0b110, 0, 2}},    // chapter 0 ends, chapter 1 starts
        {8192, 12288, {0b110, 1, 2}},   // 1 ends, 2 complete
        {12100, 12200, {}},             // past every chapter (the empty one has no text)
        {6500, 7000, {0b011, 1, 0}},    // inside chapter 1
        {11000, 12050, {0b110, 1, 2}},  // 1 ends, 2 starts
        {5000, 6000, {0b010, 0, 0}},    // only the end of chapter 0
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.start) + ".." + std::to_string(row.end));
        const std::string sequence = NavigationSequence(entries, row.start, row.end);
        EXPECT_EQ(DecodeNavigation(sequence), row.expected);
    }
    // The size counts itself and grows a byte past 127.
    EXPECT_EQ(SizedTrailingEntry(""), "\x81");
    EXPECT_EQ(SizedTrailingEntry(std::string(126, 'x')).size(), 127u);
    EXPECT_EQ(SizedTrailingEntry(std::string(126, 'x')).back(), '\xFF');
    const std::string longer = SizedTrailingEntry(std::string(127, 'x'));
    ASSERT_EQ(longer.size(), 129u);
    EXPECT_EQ(longer.substr(127), "\x81\x01");
    const auto split = SplitTrailingEntries(std::string("text\0", 5) + SizedTrailingEntry("ab"));
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->body, "text");
    EXPECT_EQ(split->navigation, "ab");
}

}  // namespace
}  // namespace quillery::mobi
