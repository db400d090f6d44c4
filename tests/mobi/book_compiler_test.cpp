// Books compiled from generated packages, read back with libmobi: header, text, links,
// pictures and the order of the records around the text.

#include "mobi/book_compiler.h"

#include <gtest/gtest.h>

#include <regex>
#include <tuple>

#include "loaded_book.h"
#include "test_pictures.h"

namespace quillery::mobi {
namespace {

using testing::LibMobiBook;

// Every link of the generated chapters, and the guide's start, lands on the element it names.
void ExpectLinksLandOnTargets(const std::string& text, int chapters) {
    const std::regex link("<a filepos=([0-9]{10})>(onward|up|back)</a>");
    int checked = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
         it != std::sregex_iterator(); ++it, ++checked) {
        const std::size_t target = std::stoul((*it)[1].str());
        ASSERT_LT(target, text.size());
        const std::string landing = text.substr(target, 60), label = (*it)[2].str();
        int chapter = 0;  // the 1-based number of the chapter holding the link
        for (auto at = text.find("<h1"); at < static_cast<std::size_t>(it->position(0));
             at = text.find("<h1", at + 1))
            ++chapter;
        const std::string tag = label == "back" ? "<h1" : "<h2";
        const std::string name = label == "onward"
                                     ? "Section " + std::to_string(chapter % chapters + 1) + ".2"
                                 : label == "up" ? "Section " + std::to_string(chapter) + ".1"
                                                 : "Chapter " + std::to_string(chapter - 1);
        EXPECT_TRUE(landing.rfind(tag, 0) == 0 && landing.find(">" + name + "<") != landing.npos)
            << label << " in chapter " << chapter << " lands on " << landing;
    }
    EXPECT_GT(checked, chapters * 2);
    const std::regex start("<reference type=\"text\" title=\"Start\" filepos=([0-9]{10})");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, start));
    EXPECT_EQ(text.substr(std::stoul(match[1].str()), 14), "<h1>Chapter 1<");
}

// Every recindex names an image record that decodes.
void ExpectPicturesDecode(const LibMobiBook& reader, const std::string& text, bool gifOnly) {
    const std::uint32_t firstImage = *reader.data()->mh->image_index;
    const std::regex reference("recindex=\"([0-9]{5})\"");
    int checked = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), reference);
         it != std::sregex_iterator(); ++it, ++checked) {
        const std::size_t number = std::stoul((*it)[1].str());
        ASSERT_GE(number, 1u);
        const auto record = reader.Record(firstImage + number - 1);
        ASSERT_TRUE(record.has_value()) << "recindex " << number;
        EXPECT_LT(record->size(), 127u * 1024u);
        EXPECT_TRUE(testing::DecodePicture(*record).has_value()) << "recindex " << number;
        if (gifOnly) {
            EXPECT_EQ(record->rfind("GIF8", 0), 0u);
        }
    }
    EXPECT_GT(checked, 0);
}

// The records after the text in the order readers expect: the two-zero-byte record, HUFF and
// CDIC for a dictionary-compressed book, the index, the pictures, then FLIS, FCIS and the end
// of file record.
void ExpectRecordsInReaderOrder(const LibMobiBook& reader, std::size_t text, bool huffdic,
                                bool pictures) {
    const MOBIData* m = reader.data();
    EXPECT_EQ(m->rh->text_record_count, text);
    EXPECT_EQ(*reader.Record(text + 1), std::string(2, '\0'));
    EXPECT_EQ(*m->mh->first_text_index, 1);
    EXPECT_EQ(*m->mh->non_text_index, text + 2);
    std::uint32_t next = *m->mh->non_text_index;
    if (huffdic) {
        EXPECT_EQ(*m->mh->huff_rec_index, next);
        EXPECT_EQ(reader.Record(next)->substr(0, 4), "HUFF");
        next += *m->mh->huff_rec_count;
        EXPECT_EQ(reader.Record(next - 1)->substr(0, 4), "CDIC");
    }
    EXPECT_EQ(*m->mh->ncx_index, next);
    EXPECT_EQ(reader.Record(next)->substr(0, 4), "INDX");
    const std::uint32_t flis = *m->mh->flis_index;
    EXPECT_EQ(reader.Record(flis)->substr(0, 4), "FLIS");
    EXPECT_EQ(*m->mh->fcis_index, flis + 1);
    EXPECT_EQ(m->ph->rec_count, flis + 3u);
    // The content records run to the last picture (or the last index record).
    EXPECT_EQ(*m->mh->last_text_index, flis - 1);
    if (pictures) {
        EXPECT_GT(*m->mh->image_index, *m->mh->ncx_index);
    } else {
        // Where pictures would begin: a reader scanning from there finds none.
        EXPECT_EQ(*m->mh->image_index, flis);
        EXPECT_EQ(mobi_get_first_resource_record(m), flis);
    }
}

TEST(CompiledBook, HeaderMetadataCoverPicturesAndTableOfContentsAreWhatThePackageSays) {
    quillery::testing::TempDir dir;
    auto built = testing::CompileTestBook(dir, CompileOptions{});
    ASSERT_TRUE(built);
    const LibMobiBook& reader = *built->reader;
    const MOBIData* m = reader.data();
    EXPECT_EQ(std::string(m->ph->type, 4) + std::string(m->ph->creator, 4), "BOOKMOBI");
    EXPECT_STREQ(m->ph->name, "The_Test_Book");
    EXPECT_EQ(m->rh->text_length, built->compiled.text.size());
    EXPECT_EQ(m->rh->text_record_size, 4096);
    // Book type, format version and its minimum, locale of "en", multibyte and navigation
    // trailing entries.
    EXPECT_EQ(std::make_tuple(*m->mh->mobi_type, *m->mh->version, *m->mh->min_version,
                              *m->mh->locale, *m->mh->extra_flags),
              std::make_tuple(2u, 6u, 6u, 9u, std::uint16_t{3}));
    EXPECT_NE(built->compiled.text.find("<h2 align=\"center\""), std::string::npos);  // book.css
    // The record layout is checked by the navigation tests; the last record ends the file.
    EXPECT_EQ(*reader.Record(m->ph->rec_count - 1), std::string("\xE9\x8E\x0D\x0A", 4));
    const std::pair<char* (*)(const MOBIData*), const char*> fields[] = {
        {mobi_meta_get_title, "The Test Book"},
        {mobi_meta_get_author, "Ann Author"},
        {mobi_meta_get_publisher, "Quill Press"},
        {mobi_meta_get_language, "en"}};
    for (const auto& [get, expected] : fields) {
        char* value = get(m);
        EXPECT_STREQ(value, expected);
        free(value);
    }
    EXPECT_EQ(reader.ExthText(EXTH_DESCRIPTION), "A book made for the tests.");
    EXPECT_EQ(reader.ExthText(EXTH_SUBJECT), "Testing");
    EXPECT_EQ(reader.ExthText(EXTH_PUBLISHINGDATE), "2024-05-01");
    EXPECT_EQ(reader.ExthText(EXTH_UPDATEDTITLE), "The Test Book");
    EXPECT_EQ(reader.ExthText(EXTH_DOCTYPE), "EBOK");
    EXPECT_EQ(reader.ExthNumber(EXTH_CREATORSOFT), 201u);

    // Four pictures of the chapters, the cover and its thumbnail.
    ASSERT_EQ(built->compiled.imageCount, 6u);
    const std::uint32_t firstImage = *m->mh->image_index;
    EXPECT_EQ(mobi_get_first_resource_record(m), firstImage);
    const auto cover = reader.ExthNumber(EXTH_COVEROFFSET);
    const auto thumbnail = reader.ExthNumber(EXTH_THUMBOFFSET);
    ASSERT_TRUE(cover && thumbnail);
    const auto coverPicture = testing::DecodePicture(*reader.Record(firstImage + *cover));
    const auto thumbPicture = testing::DecodePicture(*reader.Record(firstImage + *thumbnail));
    ASSERT_TRUE(coverPicture && thumbPicture);
    EXPECT_NEAR(double(coverPicture->width) / coverPicture->height, 0.75, 0.01);  // 600 x 800
    EXPECT_TRUE(thumbPicture->width > 0 &&
                std::max(thumbPicture->width, thumbPicture->height) <= 330);
    EXPECT_TRUE(reader.ParsesRawml());

    // The NCX index holds the nested table of contents of toc.ncx.
    ASSERT_TRUE(mobi_exists_ncx(m));
    const auto entries = reader.Ncx();
    ASSERT_TRUE(entries.has_value());
    const std::string& text = built->compiled.text;
    std::vector<std::string> lines;  // the tree in reading order, as "level|label"
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const auto& entry = (*entries)[i];
        EXPECT_GT(entry.length, 0u);
        EXPECT_LE(entry.offset + entry.length, text.size());
        const std::string landing = text.substr(entry.offset, 40);
        EXPECT_EQ(landing.rfind(entry.level == 0 ? "<h1" : "<h2", 0), 0u) << landing;
        EXPECT_NE(landing.find(">" + entry.label + "<"), std::string::npos) << landing;
        if (entry.level != 0) continue;
        lines.push_back("0|" + entry.label);
        for (const auto& child : *entries)
            if (child.parent == static_cast<int>(i))
                lines.push_back(std::to_string(child.level) + "|" + child.label);
    }
    EXPECT_EQ(lines, built->book.tocLines);
}

TEST(CompiledBook, EveryOptionWritesTextThatDecompressesExactlyWithLinksAndPicturesInPlace) {
    struct Row {  // compressionType: as the record header names it
        const char* flags;
        int level;
        PictureFormat pictures;
        bool western;
        int compressionType;
        bool withPictures = true;
    };
    const Row rows[] = {
        {"-c0", 0, PictureFormat::Jpeg, false, 1},
        {"-c1", 1, PictureFormat::Jpeg, false, 2},
        {"-c2", 2, PictureFormat::Jpeg, false, 17480},
        {"-gif", 1, PictureFormat::Gif, false, 2},
        {"-western", 1, PictureFormat::Jpeg, true, 2},
        {"-c0 -gif -western", 0, PictureFormat::Gif, true, 1},
        {"-c2 -western", 2, PictureFormat::Jpeg, true, 17480},
        {"-c2, no pictures, no cover", 2, PictureFormat::Jpeg, false, 17480, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.flags);
        quillery::testing::TempDir dir;
        CompileOptions options;
        options.compressionLevel = row.level;
        options.pictureFormat = row.pictures;
        options.western = row.western;
        testing::TestBookOptions bookOptions;
        if (!row.withPictures) bookOptions.pictures = 0, bookOptions.cover = false;
        auto built = testing::CompileTestBook(dir, options, bookOptions);
        ASSERT_TRUE(built);
        EXPECT_EQ(built->diagnostics.Count(Severity::Warning), 0);
        const LibMobiBook& reader = *built->reader;
        const MOBIData* m = reader.data();
        const std::string& written = built->compiled.text;
        EXPECT_EQ(m->rh->compression_type, row.compressionType);
        EXPECT_EQ(*m->mh->text_encoding, row.western ? MOBI_CP1252 : MOBI_UTF8);
        const auto text = reader.Text();
        ASSERT_TRUE(text.has_value());
        ASSERT_EQ(text->size(), written.size());
        EXPECT_TRUE(*text == written);
        ExpectLinksLandOnTargets(*text, 6);
        EXPECT_TRUE(reader.ParsesRawml());
        if (row.withPictures) {
            ExpectPicturesDecode(reader, *text, row.pictures == PictureFormat::Gif);
        } else {
            EXPECT_FALSE(reader.ExthNumber(EXTH_COVEROFFSET).has_value());
            EXPECT_FALSE(reader.ExthNumber(EXTH_THUMBOFFSET).has_value());
            EXPECT_EQ(text->find("recindex"), std::string::npos);
        }
        if (row.western) {
            for (const char* kept :
                 {"caf\xE9 ", "\x93quoted\x94", "snow&#9731;man", "&#128512;smile"})
                EXPECT_NE(text->find(kept), std::string::npos) << kept;
            EXPECT_EQ(text->find("\xE2\x98\x83"), std::string::npos);
        }
        // The records of a -c0 book are checked byte for byte by the navigation tests.
        const std::size_t records = built->compiled.textRecordCount;
        ASSERT_EQ(records, (written.size() + 4095) / 4096);
        ExpectRecordsInReaderOrder(reader, records, row.level == 2, row.withPictures);
        if (row.level == 1) {
            std::size_t recordBytes = 0;
            for (std::size_t i = 1; i <= records; ++i) recordBytes += reader.Record(i)->size();
            EXPECT_LT(recordBytes, written.size() * 3 / 4);
        }
    }
}

}  // namespace
}  // namespace quillery::mobi
