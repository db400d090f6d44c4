// The navigation index: linking reading-order items into entries, and the index records inside
// a minimal book, read back by libmobi (and, for the label records, by calibre's inspector).
#include "mobi/ncx_index.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <pugixml.hpp>

#include "mini_mobi.h"
#include "mobi/toc_links.h"
#include "required_tool.h"

namespace quillery::mobi {
namespace {

// A book text of `chapters` chapters with nested <h1>/<h2>/<h3> headings, and the items
// naming the headings in reading order.
struct NestedBook {
    std::string text = "<html><head><guide></guide></head><body>";
    std::vector<TocItem> items;

    void AddHeading(int level, const std::string& label) {
        items.push_back(TocItem{label, static_cast<std::uint32_t>(text.size()), level});
        const char h[3] = {'h', char('1' + level), '\0'};
        text.append("<").append(h).append(">").append(label).append("</").append(h);
        text.append("><p>Some text of ").append(label).append(".</p>");
    }
};

NestedBook MakeNestedBook(int chapters, int sections, int subsections,
                          const std::string& prefix = "Chapter") {
    NestedBook book;
    for (int c = 1; c <= chapters; ++c) {
        const std::string chapter = prefix + " " + std::to_string(c);
        book.AddHeading(0, chapter);
        for (int s = 1; s <= sections; ++s) {
            const std::string section = chapter + "." + std::to_string(s);
            book.AddHeading(1, section);
            for (int u = 1; u <= subsections; ++u)
                book.AddHeading(2, section + "." + std::to_string(u));
        }
        book.text += "<mbp:pagebreak/>";
    }
    book.text += "</body></html>";
    return book;
}

testing::MiniBook MiniBookWith(const std::string& text, std::vector<std::string> indexRecords,
                               std::uint32_t encoding = kIndexUtf8) {
    return {.textRecords = testing::SplitIntoTextRecords(text),
            .textLength = static_cast<std::uint32_t>(text.size()),
            .indexRecords = std::move(indexRecords),
            .encoding = encoding};
}

// One entry as a line: name, then offset, length, depth, parent, first and last child (-1: none).
std::string Line(const std::string& name, std::initializer_list<long> values) {
    std::string line = name;
    for (const long value : values) line.append(" ").append(std::to_string(value));
    return line;
}

std::string Line(const std::string& name, const TocEntry& e) {
    return Line(name, {e.offset, e.length, e.level, e.parent, e.firstChild, e.lastChild});
}

long TagValue(const MOBIIndexEntry& entry, std::size_t tag) {
    for (std::size_t t = 0; t < entry.tags_count; ++t) {
        if (entry.tags[t].tagid == tag && entry.tags[t].tagvalues_count > 0) {
            return entry.tags[t].tagvalues[0];
        }
    }
    return -1;
}

std::string Anchor(std::uint32_t offset) {  // as libmobi names the targets: ten digits
    const std::string digits = std::to_string(offset);
    return std::string(10 - digits.size(), '0').append(digits);
}

// A table of contents entry as a line: depth, label, target.
std::string TocLine(int depth, const std::string& label, const std::string& target) {
    return std::to_string(depth).append(" ").append(label).append(" -> ").append(target);
}

void CollectToc(const pugi::xml_node& parent, int depth, std::vector<std::string>& out) {
    for (const pugi::xml_node point : parent.children("navPoint")) {
        out.push_back(TocLine(depth, point.child("navLabel").child_value("text"),
                              point.child("content").attribute("src").value()));
        CollectToc(point, depth + 1, out);
    }
}

// What libmobi makes of the index: its raw entries and the table of contents it rebuilds.
struct LibmobiView {
    testing::MobiPtr data{nullptr, &mobi_free};
    std::unique_ptr<MOBIRawml, decltype(&mobi_free_rawml)> rawml{nullptr, &mobi_free_rawml};
    const MOBIIndx* ncx = nullptr;
    std::vector<std::string> entries;  // as Line() gives them
    std::vector<std::string> toc;      // in reading order
};

LibmobiView ReadWithLibmobi(const testing::MiniBook& book) {
    LibmobiView view;
    view.data = testing::LoadWithLibmobi(book);
    view.rawml.reset(mobi_init_rawml(view.data.get()));
    EXPECT_EQ(mobi_parse_rawml(view.rawml.get(), view.data.get()), MOBI_SUCCESS);
    view.ncx = view.rawml->ncx;
    for (std::size_t i = 0; view.ncx != nullptr && i < view.ncx->entries_count; ++i) {
        const MOBIIndexEntry& raw = view.ncx->entries[i];
        view.entries.push_back(
            Line(raw.label, {TagValue(raw, 1), TagValue(raw, 2), TagValue(raw, 4),
                             TagValue(raw, 21), TagValue(raw, 22), TagValue(raw, 23)}));
    }
    for (const MOBIPart* part = view.rawml->resources; part != nullptr; part = part->next) {
        if (part->type != T_NCX) continue;
        pugi::xml_document document;
        EXPECT_TRUE(document.load_buffer(part->data, part->size));
        CollectToc(document.child("ncx").child("navMap"), 0, view.toc);
    }
    return view;
}

TEST(LinkTocEntries, OrdersLevelByLevelWithFamilyLinksAndSectionLengths) {
    // Reading order: Preface, A, A.1, A.1.a, A.2, B, B.1, C, C.x; a deep first item counts as
    // top level, and a jump of two levels (C to C.x) as one.
    // clang-format off
    const auto entries = LinkTocEntries({{"Preface", 0, 2}, {"A", 10, 0}, {"A.1", 20, 1},
        {"A.1.a", 30, 2}, {"A.2", 40, 1}, {"B", 50, 0}, {"B.1", 60, 1}, {"C", 70, 0},
        {"C.x", 80, 2}}, 100);
    // clang-format on
    std::vector<std::string> lines;
    for (const TocEntry& entry : entries) lines.push_back(Line(entry.label, entry));
    const std::vector<std::string> expected = {
        "Preface 0 10 0 -1 -1 -1", "A 10 40 0 -1 4 5",    "B 50 20 0 -1 6 6",
        "C 70 30 0 -1 7 7",        "A.1 20 20 1 1 8 8",   "A.2 40 10 1 1 -1 -1",
        "B.1 60 10 1 2 -1 -1",     "C.x 80 20 1 3 -1 -1", "A.1.a 30 10 2 4 -1 -1"};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(BuildNcxIndexRecords({}).empty());
}

TEST(NcxIndexInLibmobi, EveryEntryArrivesWithItsNestingAndTarget) {
    // 21 entries, named with two hexadecimal digits; and 5000, named with four, which take
    // more than one data record while their short labels share one label record.
    struct Case {
        NestedBook book;
        int nameDigits;
        std::size_t dataRecords;
    };
    for (const Case& c :
         {Case{MakeNestedBook(3, 2, 2), 2, 1}, {MakeNestedBook(1000, 2, 1, "C"), 4, 2}}) {
        SCOPED_TRACE(c.book.items.size());
        const auto entries = LinkTocEntries(c.book.items, std::uint32_t(c.book.text.size()));
        const auto records = BuildNcxIndexRecords(entries);
        EXPECT_GE(records.size(), 1 + c.dataRecords + 1);  // header, data records, labels
        for (const std::string& record : records) EXPECT_LT(record.size(), 0x10000u);
        const LibmobiView view = ReadWithLibmobi(MiniBookWith(c.book.text, records));
        ASSERT_NE(view.ncx, nullptr);
        EXPECT_EQ(view.ncx->encoding, MOBI_UTF8);
        EXPECT_EQ(view.ncx->total_entries_count, entries.size());
        EXPECT_EQ(view.ncx->cncx_records_count, 1u);
        std::vector<std::string> expected, expectedToc;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            char name[24];
            std::snprintf(name, sizeof name, "%0*zX", c.nameDigits, i);
            expected.push_back(Line(name, entries[i]));
        }
        EXPECT_EQ(view.entries, expected);
        // libmobi rebuilds the table of contents from the family links; the targets land on
        // the headings they name.
        ASSERT_NE(view.rawml->markup, nullptr);
        const std::string markup(reinterpret_cast<const char*>(view.rawml->markup->data),
                                 view.rawml->markup->size);
        for (const TocItem& item : c.book.items) {
            expectedToc.push_back(
                TocLine(item.level, item.label, "part00000.html#" + Anchor(item.offset)));
            const std::string heading = "<h" + std::to_string(item.level + 1) + ">" + item.label;
            EXPECT_NE(markup.find("<a id=\"" + Anchor(item.offset) + "\"></a>" + heading),
                      std::string::npos)
                << item.label;
        }
        EXPECT_EQ(view.toc, expectedToc);
    }
}

TEST(NcxIndexInLibmobi, SingleEntryEdgeCases) {
    // A label too long for the label records is cut between characters; links to entries that
    // do not exist are left out; western books have cp1252 labels.
    struct Case {
        std::string label;
        int parent, firstChild, lastChild;
        std::uint32_t encoding;
        std::string expectedLabel;  // as libmobi gives it, in UTF-8
    };
    std::string longLabel = "x";  // then two-byte characters, the last whole one ending at 1023
    while (longLabel.size() < 2000) longLabel += "\xC3\xA9";
    const Case cases[] = {
        {longLabel, -1, -1, -1, kIndexUtf8, longLabel.substr(0, kMaxLabelBytes - 1)},
        {"alone", 7, -5, 1, kIndexUtf8, "alone"},
        {"Caf\xE9 cr\xE8me", -1, -1, -1, kIndexCp1252, "Caf\xC3\xA9 cr\xC3\xA8me"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedLabel.substr(0, 10));
        const TocEntry entry{c.label, 0, 0, 0, c.parent, c.firstChild, c.lastChild};
        const auto records = BuildNcxIndexRecords({entry}, c.encoding);
        const LibmobiView view = ReadWithLibmobi(MiniBookWith("<p>text</p>", records, c.encoding));
        ASSERT_NE(view.ncx, nullptr);
        EXPECT_EQ(view.ncx->encoding, c.encoding == kIndexCp1252 ? MOBI_CP1252 : MOBI_UTF8);
        EXPECT_EQ(view.entries, std::vector<std::string>{"00 0 0 0 -1 -1 -1"});
        EXPECT_EQ(view.toc, std::vector<std::string>{
                                TocLine(0, c.expectedLabel, "part00000.html#0000000000")});
    }
}

// Labels beyond 64 KB go to further label records, addressed as (record << 16) + position.
// libmobi 0.11 resolves labels in the first label record only, so calibre's inspector, which
// resolves them all, reads this index back.
TEST(NcxIndexInCalibre, LabelsInEveryLabelRecordAndEntriesInEveryDataRecordArrive) {
    QUILLERY_REQUIRE_TOOL(std::system("command -v calibre-debug >/dev/null 2>&1") == 0,
                          "calibre-debug");
    // 5000 entries with 45-byte labels: two data records and four label records.
    const NestedBook book = MakeNestedBook(1000, 2, 1, std::string(40, 'C'));
    const auto entries = LinkTocEntries(book.items, std::uint32_t(book.text.size()));
    const auto records = BuildNcxIndexRecords(entries);
    ASSERT_GE(records.size(), 1u + 2u + 4u);
    quillery::testing::TempDir dir;
    dir.Write("book.mobi", testing::BuildMiniMobi(MiniBookWith(book.text, records)));
    const std::string command =
        "cd '" + dir.path() + "' && calibre-debug --inspect-mobi book.mobi >inspect.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // Each entry of the report: "Index Entry(...)", then "\tname : value" lines.
    std::ifstream report(dir.path() + "decompiled_book/index.txt");
    std::string line, read, expected;
    while (std::getline(report, line)) {
        const std::size_t colon = line.find(" : ");
        if (colon == std::string::npos) continue;
        const std::string name = line.substr(0, colon), value = line.substr(colon + 3);
        if (name == "\tOffset in HTML") read.append(value);
        if (name == "\tLabel offset in CNCX") read.append(value.substr(value.find(" [")));
        if (name == "\tDepth of this entry in TOC") read.append(" ").append(value).append("\n");
    }
    for (const TocEntry& e : entries) {
        expected.append(std::to_string(e.offset)).append(" ['").append(e.label).append("'] ");
        expected.append(std::to_string(e.level)).append("\n");
    }
    EXPECT_EQ(read, expected);
}

}  // namespace
}  // namespace quillery::mobi
