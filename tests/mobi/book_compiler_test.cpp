// Books compiled from generated packages, read back with libmobi.

#include "mobi/book_compiler.h"

#include <gd.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

#include "mobi/command_line.h"
#include "mobi/package_paths.h"
#include "mobi/text_records.h"
#include "mobi_reader.h"
#include "temp_dir.h"
#include "test_book.h"

namespace quillery::mobi {
namespace {

using testing::LibMobiBook;
using testing::TestBook;

struct Built {
    TestBook book;
    CompiledBook compiled;
    std::string mobiPath;
    Diagnostics diagnostics;
};

std::unique_ptr<Built> Build(const quillery::testing::TempDir& dir, CompileOptions options,
                             testing::TestBookOptions bookOptions = {}) {
    auto built = std::make_unique<Built>();
    built->book = testing::WriteTestBook(dir.path() + "book", bookOptions);
    options.opfPath = built->book.opfPath;
    auto compiled = CompileBook(options, built->diagnostics);
    if (!compiled) return nullptr;
    built->compiled = std::move(*compiled);
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(built->book.folder, "book.mobi", built->compiled.bytes, error))
        << error;
    built->mobiPath = built->book.folder + "book.mobi";
    return built;
}

bool DecodesAsPicture(const std::string& bytes, int* width = nullptr, int* height = nullptr) {
    gdImagePtr image = nullptr;
    const int size = static_cast<int>(bytes.size());
    void* data = const_cast<char*>(bytes.data());
    if (bytes.rfind("\xFF\xD8", 0) == 0)
        image = gdImageCreateFromJpegPtr(size, data);
    else if (bytes.rfind("GIF8", 0) == 0)
        image = gdImageCreateFromGifPtr(size, data);
    if (!image) return false;
    if (width) *width = gdImageSX(image);
    if (height) *height = gdImageSY(image);
    gdImageDestroy(image);
    return true;
}

int CountOf(const std::string& text, const std::string& what, std::size_t before) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos && at < before;
         at = text.find(what, at + 1))
        ++count;
    return count;
}

// Every link of the generated chapters lands on the element it names.
void ExpectLinksLandOnTargets(const std::string& text, int chapters) {
    const std::regex link("<a filepos=([0-9]{10})>([a-z]+)</a>");
    int checked = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
         it != std::sregex_iterator(); ++it) {
        const auto at = static_cast<std::size_t>(it->position(0));
        const std::size_t target = std::stoul((*it)[1].str());
        ASSERT_LT(target, text.size());
        const std::string label = (*it)[2].str();
        const std::string landing = text.substr(target, 60);
        const int chapter =
            CountOf(text, "<h1", at);  // 1-based number of the chapter holding the link
        if (label == "onward") {
            EXPECT_EQ(landing.rfind("<h2", 0), 0u) << landing;
            EXPECT_NE(landing.find(">Section " + std::to_string(chapter % chapters + 1) + ".2<"),
                      std::string::npos)
                << landing;
        } else if (label == "up") {
            EXPECT_EQ(landing.rfind("<h2", 0), 0u) << landing;
            EXPECT_NE(landing.find(">Section " + std::to_string(chapter) + ".1<"),
                      std::string::npos)
                << landing;
        } else if (label == "back") {
            EXPECT_EQ(landing.rfind("<h1", 0), 0u) << landing;
            EXPECT_NE(landing.find(">Chapter " + std::to_string(chapter - 1) + "<"),
                      std::string::npos)
                << landing;
        } else {
            ADD_FAILURE() << "unexpected link " << label;
        }
        ++checked;
    }
    EXPECT_GT(checked, chapters * 2);
    // The guide's start reference lands on the first chapter.
    const std::regex start("<reference type=\"text\" title=\"Start\" filepos=([0-9]{10})");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(text, match, start));
    EXPECT_EQ(text.substr(std::stoul(match[1].str()), 20).rfind("<h1>Chapter 1<", 0), 0u);
}

void ExpectPicturesDecode(const LibMobiBook& reader, const std::string& text, bool gifOnly) {
    const std::uint32_t firstImage = *reader.data()->mh->image_index;
    const std::regex reference("recindex=\"([0-9]{5})\"");
    int checked = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), reference);
         it != std::sregex_iterator(); ++it) {
        const std::size_t number = std::stoul((*it)[1].str());
        ASSERT_GE(number, 1u);
        const auto record = reader.Record(firstImage + number - 1);
        ASSERT_TRUE(record.has_value());
        EXPECT_LT(record->size(), 127u * 1024u);
        EXPECT_TRUE(DecodesAsPicture(*record)) << "recindex " << number;
        if (gifOnly) {
            EXPECT_EQ(record->rfind("GIF8", 0), 0u);
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

TEST(CompiledBook, LibmobiReadsTheHeaderAndMetadata) {
    quillery::testing::TempDir dir;
    auto built = Build(dir, CompileOptions{});
    ASSERT_TRUE(built);
    LibMobiBook reader(built->mobiPath);
    ASSERT_TRUE(reader.loaded());
    const MOBIData* m = reader.data();
    EXPECT_EQ(std::string(m->ph->type, 4), "BOOK");
    EXPECT_EQ(std::string(m->ph->creator, 4), "MOBI");
    EXPECT_STREQ(m->ph->name, "The_Test_Book");
    EXPECT_EQ(m->rh->compression_type, 2);
    EXPECT_EQ(m->rh->text_length, built->compiled.text.size());
    EXPECT_EQ(m->rh->text_record_size, 4096);
    EXPECT_EQ(*m->mh->mobi_type, 2u);
    EXPECT_EQ(*m->mh->text_encoding, MOBI_UTF8);
    EXPECT_EQ(*m->mh->version, 6u);
    EXPECT_EQ(*m->mh->min_version, 6u);
    EXPECT_EQ(*m->mh->locale, 9u);
    EXPECT_EQ(*m->mh->first_text_index, 1);
    EXPECT_EQ(*m->mh->extra_flags, 1);
    EXPECT_EQ(reader.Record(*m->mh->flis_index)->substr(0, 4), "FLIS");
    EXPECT_EQ(reader.Record(*m->mh->fcis_index)->substr(0, 4), "FCIS");
    const std::size_t recordCount = m->ph->rec_count;
    EXPECT_EQ(*reader.Record(recordCount - 1), std::string("\xE9\x8E\x0D\x0A", 4));
    EXPECT_EQ(*m->mh->last_text_index, *m->mh->flis_index - 1);

    char* title = mobi_meta_get_title(m);
    char* author = mobi_meta_get_author(m);
    char* publisher = mobi_meta_get_publisher(m);
    char* language = mobi_meta_get_language(m);
    EXPECT_STREQ(title, "The Test Book");
    EXPECT_STREQ(author, "Ann Author");
    EXPECT_STREQ(publisher, "Quill Press");
    EXPECT_STREQ(language, "en");
    free(title);
    free(author);
    free(publisher);
    free(language);
    EXPECT_EQ(reader.ExthText(EXTH_DESCRIPTION), "A book made for the tests.");
    EXPECT_EQ(reader.ExthText(EXTH_SUBJECT), "Testing");
    EXPECT_EQ(reader.ExthText(EXTH_PUBLISHINGDATE), "2024-05-01");
    EXPECT_EQ(reader.ExthText(EXTH_UPDATEDTITLE), "The Test Book");
    EXPECT_EQ(reader.ExthText(EXTH_DOCTYPE), "EBOK");
    EXPECT_EQ(reader.ExthNumber(EXTH_CREATORSOFT), 201u);
    EXPECT_EQ(reader.ExthNumber(EXTH_CREATORMAJOR), 1u);
    EXPECT_TRUE(reader.ParsesRawml());
}

TEST(CompiledBook, TextRecordsDecompressToTheTextAndLinksLandOnTheirTargets) {
    for (int level : {0, 1}) {
        SCOPED_TRACE(level);
        quillery::testing::TempDir dir;
        CompileOptions options;
        options.compressionLevel = level;
        auto built = Build(dir, options);
        ASSERT_TRUE(built);
        LibMobiBook reader(built->mobiPath);
        ASSERT_TRUE(reader.loaded());
        EXPECT_EQ(reader.data()->rh->compression_type, level == 0 ? 1 : 2);
        const auto text = reader.Text();
        ASSERT_TRUE(text.has_value());
        ASSERT_EQ(text->size(), built->compiled.text.size());
        EXPECT_TRUE(*text == built->compiled.text);
        EXPECT_GT(built->compiled.textRecordCount, 10u);
        ExpectLinksLandOnTargets(*text, 6);
        // Compression must pay off on text.
        std::size_t recordBytes = 0;
        for (std::size_t i = 1; i <= built->compiled.textRecordCount; ++i)
            recordBytes += reader.Record(i)->size();
        std::size_t entryBytes = 0;
        for (std::size_t end = 4096; end < built->compiled.text.size() + 4096; end += 4096) {
            entryBytes += MultibyteTrailingEntry(built->compiled.text,
                                                 std::min(end, built->compiled.text.size()), true)
                              .size();
        }
        EXPECT_GT(entryBytes, built->compiled.textRecordCount);  // some boundaries cut a character
        if (level == 0) {
            EXPECT_EQ(recordBytes, built->compiled.text.size() + entryBytes);
        } else {
            EXPECT_LT(recordBytes, built->compiled.text.size() * 3 / 4);
        }
    }
}

TEST(CompiledBook, UsesPicturesThatDecodeAndKeepsEveryRecordSmall) {
    quillery::testing::TempDir dir;
    auto built = Build(dir, CompileOptions{});
    ASSERT_TRUE(built);
    LibMobiBook reader(built->mobiPath);
    ASSERT_TRUE(reader.loaded());
    ExpectPicturesDecode(reader, *reader.Text(), false);
    // Four pictures of the chapters, the cover and its thumbnail.
    EXPECT_EQ(built->compiled.imageCount, 6u);
    const std::uint32_t firstImage = *reader.data()->mh->image_index;
    const auto cover = reader.ExthNumber(EXTH_COVEROFFSET);
    const auto thumbnail = reader.ExthNumber(EXTH_THUMBOFFSET);
    ASSERT_TRUE(cover && thumbnail);
    int width = 0, height = 0;
    ASSERT_TRUE(DecodesAsPicture(*reader.Record(firstImage + *cover), &width, &height));
    EXPECT_EQ(width * 4, height * 3);  // the 600 x 800 cover
    ASSERT_TRUE(DecodesAsPicture(*reader.Record(firstImage + *thumbnail), &width, &height));
    EXPECT_LE(std::max(width, height), 330);
    EXPECT_GT(width, 0);
    EXPECT_EQ(mobi_get_first_resource_record(reader.data()), firstImage);
    // JPEG and GIF pictures small enough are kept byte for byte; PNG and BMP become JPEG.
    std::vector<std::string> records;
    for (std::size_t i = 0; i < built->compiled.imageCount; ++i)
        records.push_back(*reader.Record(firstImage + i));
    const auto kept = [&](const std::string& path) {
        const auto original = ReadWholeFile(built->book.folder + path);
        return std::find(records.begin(), records.end(), *original) != records.end();
    };
    EXPECT_TRUE(kept(built->book.pictures[0]));  // pic1.jpg
    EXPECT_TRUE(kept(built->book.pictures[2]));  // pic3.gif
    EXPECT_FALSE(kept(built->book.pictures[1]));
    EXPECT_FALSE(kept(built->book.pictures[3]));
    for (const auto& record : records) {
        EXPECT_TRUE(record.rfind("\xFF\xD8", 0) == 0 || record.rfind("GIF8", 0) == 0);
    }
}

TEST(CompiledBook, ABookWithoutPicturesHasNoImageRecordsAndNoCover) {
    quillery::testing::TempDir dir;
    testing::TestBookOptions bookOptions;
    bookOptions.pictures = 0;
    bookOptions.cover = false;
    bookOptions.chapters = 2;
    auto built = Build(dir, CompileOptions{}, bookOptions);
    ASSERT_TRUE(built);
    EXPECT_EQ(built->compiled.imageCount, 0u);
    LibMobiBook reader(built->mobiPath);
    ASSERT_TRUE(reader.loaded());
    EXPECT_EQ(*reader.data()->mh->image_index, 0xFFFFFFFFu);
    EXPECT_FALSE(reader.ExthNumber(EXTH_COVEROFFSET).has_value());
    EXPECT_FALSE(reader.ExthNumber(EXTH_THUMBOFFSET).has_value());
    EXPECT_TRUE(*reader.Text() == built->compiled.text);
    EXPECT_EQ(built->compiled.text.find("recindex"), std::string::npos);
    EXPECT_TRUE(reader.ParsesRawml());
}

TEST(CompiledBook, GifOptionMakesEveryPictureAGif) {
    quillery::testing::TempDir dir;
    CompileOptions options;
    options.pictureFormat = PictureFormat::Gif;
    auto built = Build(dir, options);
    ASSERT_TRUE(built);
    LibMobiBook reader(built->mobiPath);
    ASSERT_TRUE(reader.loaded());
    ExpectPicturesDecode(reader, *reader.Text(), true);
}

TEST(CompiledBook, WesternBooksAreWindows1252WithReferencesForTheRest) {
    quillery::testing::TempDir dir;
    CompileOptions options;
    options.western = true;
    auto built = Build(dir, options);
    ASSERT_TRUE(built);
    LibMobiBook reader(built->mobiPath);
    ASSERT_TRUE(reader.loaded());
    EXPECT_EQ(*reader.data()->mh->text_encoding, MOBI_CP1252);
    const auto text = reader.Text();
    ASSERT_TRUE(text && *text == built->compiled.text);
    EXPECT_NE(text->find("caf\xE9"), std::string::npos);
    EXPECT_NE(text->find("\x93quoted\x94"), std::string::npos);
    EXPECT_NE(text->find("snow&#9731;man"), std::string::npos);
    EXPECT_NE(text->find("&#128512;smile"), std::string::npos);
    EXPECT_EQ(text->find("\xE2\x98\x83"), std::string::npos);
    ExpectLinksLandOnTargets(*text, 6);
}

TEST(CompiledBook, HuffdicRecordsDecompressToTheText) {
    for (bool western : {false, true}) {
        SCOPED_TRACE(western);
        quillery::testing::TempDir dir;
        CompileOptions options;
        options.compressionLevel = 2;
        options.western = western;
        auto built = Build(dir, options);
        ASSERT_TRUE(built);
        EXPECT_EQ(built->diagnostics.Count(Severity::Warning), 0);
        LibMobiBook reader(built->mobiPath);
        ASSERT_TRUE(reader.loaded());
        const MOBIData* m = reader.data();
        EXPECT_EQ(m->rh->compression_type, 17480);
        ASSERT_GE(*m->mh->huff_rec_count, 2u);
        EXPECT_EQ(reader.Record(*m->mh->huff_rec_index)->substr(0, 4), "HUFF");
        EXPECT_EQ(reader.Record(*m->mh->huff_rec_index + 1)->substr(0, 4), "CDIC");
        const auto text = reader.Text();
        ASSERT_TRUE(text.has_value());
        EXPECT_TRUE(*text == built->compiled.text);
        ExpectLinksLandOnTargets(*text, 6);
        ExpectPicturesDecode(reader, *text, false);
    }
}

TEST(CompiledBook, NcxIndexHoldsTheNestedTableOfContents) {
    quillery::testing::TempDir dir;
    auto built = Build(dir, CompileOptions{});
    ASSERT_TRUE(built);
    LibMobiBook reader(built->mobiPath);
    ASSERT_TRUE(reader.loaded());
    ASSERT_TRUE(mobi_exists_ncx(reader.data()));
    const auto entries = reader.Ncx();
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), built->book.tocLines.size());
    const std::string& text = built->compiled.text;
    std::vector<std::string> chapters;
    std::map<std::string, std::vector<std::string>> sections;
    for (const auto& entry : *entries) {
        if (entry.level == 0) {
            chapters.push_back(entry.label);
            EXPECT_EQ(text.substr(entry.offset, 4 + entry.label.size() + 1),
                      "<h1>" + entry.label + "<");
        } else {
            ASSERT_EQ(entry.level, 1);
            ASSERT_GE(entry.parent, 0);
            sections[(*entries)[static_cast<std::size_t>(entry.parent)].label].push_back(
                entry.label);
            EXPECT_NE(text.substr(entry.offset, 40).find(">" + entry.label + "<"),
                      std::string::npos);
        }
        EXPECT_GT(entry.length, 0u);
        EXPECT_LE(entry.offset + entry.length, text.size());
    }
    std::vector<std::string> expected;
    for (const auto& line : built->book.tocLines) {
        if (line[0] == '0') expected.push_back(line.substr(2));
    }
    EXPECT_EQ(chapters, expected);
    EXPECT_EQ(sections["Chapter 2"],
              (std::vector<std::string>{"Section 2.1", "Section 2.2", "Section 2.3"}));
}

}  // namespace
}  // namespace quillery::mobi
