// Pictures as devices need them, read back from compiled books: CMYK JPEGs, animated GIFs,
// transparent PNGs and the SVG cover page of converted books, under both picture options.
// Records are decoded with libjpeg and giflib, not with the library the compiler uses.

#include <gtest/gtest.h>

#include <regex>

#include "loaded_book.h"
#include "small_package.h"
#include "temp_dir.h"
#include "test_pictures.h"

namespace quillery::mobi {
namespace {

using namespace testing;

// A 64 x 48 CMYK JPEG as print workflows write it (Adobe marker, inverted values): the left
// half without ink (white), the right half full magenta and yellow (red).
std::string MakeCmykJpeg() {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = 64;
    info.image_height = 48;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_CMYK);  // writes the Adobe marker
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(64 * 4);
    for (int x = 0; x < 64; ++x) {
        const bool ink = x >= 32;  // inverted: 255 is no ink
        row[4 * x] = 255;
        row[4 * x + 1] = ink ? 0 : 255;
        row[4 * x + 2] = ink ? 0 : 255;
        row[4 * x + 3] = 255;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(out), size);
    free(out);
    return bytes;
}

// A 40 x 30 GIF of two frames: red, then blue.
std::string MakeAnimatedGif() {
    gdImagePtr red = gdImageCreate(40, 30), blue = gdImageCreate(40, 30);
    gdImageColorAllocate(red, 255, 0, 0);
    gdImageColorAllocate(blue, 0, 0, 255);
    int size = 0;
    const auto take = [&size](void* data) { return TakeGdBytes(data, size); };  // after encoding
    std::string bytes = take(gdImageGifAnimBeginPtr(red, &size, 1, 0));
    bytes += take(gdImageGifAnimAddPtr(red, &size, 0, 0, 0, 50, gdDisposalNone, nullptr));
    bytes += take(gdImageGifAnimAddPtr(blue, &size, 0, 0, 0, 50, gdDisposalNone, red));
    bytes += take(gdImageGifAnimEndPtr(&size));
    gdImageDestroy(red);
    gdImageDestroy(blue);
    return bytes;
}

// A 50 x 40 PNG: the left half fully transparent, the right half blue.
std::string MakeTransparentPng() {
    gdImagePtr image = gdImageCreateTrueColor(50, 40);
    gdImageAlphaBlending(image, 0);
    gdImageSaveAlpha(image, 1);
    gdImageFilledRectangle(image, 0, 0, 24, 39, gdTrueColorAlpha(0, 0, 0, gdAlphaTransparent));
    gdImageFilledRectangle(image, 25, 0, 49, 39, gdTrueColorAlpha(0, 0, 255, gdAlphaOpaque));
    return EncodeAndDestroy(image, "png");
}

// A 300 x 400 JPEG cover, red at the top, blue at the bottom.
std::string MakeCoverJpeg() {
    gdImagePtr image = gdImageCreateTrueColor(300, 400);
    gdImageFilledRectangle(image, 0, 0, 299, 199, gdTrueColor(255, 0, 0));
    gdImageFilledRectangle(image, 0, 200, 299, 399, gdTrueColor(0, 0, 255));
    return EncodeAndDestroy(image, "jpeg");
}

// A package as converters write it: an SVG cover page named by the guide (no cover in the
// metadata), then a chapter showing each picture after its name.
std::string WritePackage(const quillery::testing::TempDir& dir) {
    return WriteSmallPackage(
        dir,
        {{{"text/cover.xhtml",
           "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<html "
           "xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>Cover</title></head><body>"
           "<div>cover <svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"100%\" "
           "height=\"100%\" viewBox=\"0 0 300 400\" preserveAspectRatio=\"none\"><image "
           "width=\"300\" height=\"400\" xlink:href=\"../images/cover.jpg\"/></svg></div>"
           "</body></html>"},
          {"text/pictures.xhtml",
           "<html><body><h1>Pictures</h1><p>cmyk <img src=\"../images/cmyk.jpg\"></p>"
           "<p>anim <img src=\"../images/anim.gif\"></p><p>clear <img "
           "src=\"../images/clear.png\"></p></body></html>"},
          {"images/cover.jpg", MakeCoverJpeg()},
          {"images/cmyk.jpg", MakeCmykJpeg()},
          {"images/anim.gif", MakeAnimatedGif()},
          {"images/clear.png", MakeTransparentPng()}},
         "<guide><reference type=\"cover\" title=\"Cover\" href=\"text/cover.xhtml\"/></guide>"});
}

// A compiled book and the image records shown in its text or named by its EXTH header.
struct CompiledPictures {
    LoadedBook book;
    std::uint32_t FirstImage() const { return *book.reader->data()->mh->image_index; }
    std::optional<DecodedPicture> Decoded(std::optional<std::uint32_t> index) const {
        const auto record = index ? book.reader->Record(FirstImage() + *index) : std::nullopt;
        return record ? DecodePicture(*record) : std::nullopt;
    }
    // The picture shown after `name` in the text (its recindex counts from 1).
    std::optional<DecodedPicture> After(const std::string& name) const {
        std::smatch match;
        const std::regex img(name + " <img recindex=\"([0-9]{5})\"/>");
        if (!std::regex_search(book.compiled.text, match, img)) return std::nullopt;
        return Decoded(std::stoul(match[1].str()) - 1);
    }
};

TEST(BookPicturesForDevices, EachPictureKindIsWhatDevicesShow) {
    struct Probe {
        int x, y;
        Rgb colour;
    };
    struct Row {
        const char* name;
        const char* shownAfter;  // the word the chapter writes before the picture
        int width;
        std::vector<Probe> probes;
    };
    const Row rows[] = {
        {"CMYK JPEG: an RGB picture of the same colours",
         "cmyk",
         64,
         {{8, 24, kWhite}, {56, 24, kRed}}},
        {"animated GIF: its first frame, converted like any picture that is not kept",
         "anim",
         40,
         {{20, 15, kRed}}},
        {"transparent PNG: converted, flattened on white",
         "clear",
         50,
         {{5, 20, kWhite}, {45, 20, kBlue}}},
        {"SVG cover page: the picture kept as <img>",
         "cover",
         300,
         {{150, 50, kRed}, {150, 350, kBlue}}},
    };
    for (const bool gif : {false, true}) {
        SCOPED_TRACE(gif ? "-gif" : "JPEG pictures");
        quillery::testing::TempDir dir;
        CompileOptions options;
        options.opfPath = WritePackage(dir);
        options.pictureFormat = gif ? PictureFormat::Gif : PictureFormat::Jpeg;
        Diagnostics diagnostics;
        auto loaded = CompileAndLoad(options, diagnostics);
        ASSERT_TRUE(loaded.has_value());
        const CompiledPictures book{std::move(*loaded)};
        const auto check = [&](const Row& row) {  // a failed ASSERT ends only this row
            const auto picture = book.After(row.shownAfter);
            ASSERT_TRUE(picture.has_value());
            EXPECT_EQ(picture->jpeg, !gif);
            EXPECT_EQ(picture->jpeg ? picture->components : picture->frames, gif ? 1 : 3);
            ASSERT_EQ(picture->width, row.width);
            ASSERT_EQ(picture->pixels.size(), std::size_t(picture->width) * picture->height);
            for (const Probe& probe : row.probes)
                EXPECT_TRUE(Near(picture->At(probe.x, probe.y), probe.colour)) << probe.x;
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            check(row);
        }
        // The cover and its thumbnail are JPEGs whatever the picture option.
        const auto cover = book.Decoded(book.book.reader->ExthNumber(EXTH_COVEROFFSET));
        const auto thumbnail = book.Decoded(book.book.reader->ExthNumber(EXTH_THUMBOFFSET));
        ASSERT_TRUE(cover.has_value() && thumbnail.has_value());
        EXPECT_TRUE(cover->jpeg && thumbnail->jpeg);
        EXPECT_EQ(cover->components, 3);
        ASSERT_EQ(cover->width, 300);
        EXPECT_TRUE(Near(cover->At(150, 50), kRed) && Near(cover->At(150, 350), kBlue));
        EXPECT_LE(std::max(thumbnail->width, thumbnail->height), 330);
    }
}

}  // namespace
}  // namespace quillery::mobi
