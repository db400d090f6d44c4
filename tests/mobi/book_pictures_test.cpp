// Pictures as devices need them, read back from compiled books: CMYK JPEGs, animated GIFs,
// transparent PNGs and the SVG cover page of converted books, under both picture options.
// Records are decoded with libjpeg and giflib, not with the library the compiler uses.

#include <gd.h>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <functional>
#include <regex>

#include "mobi/book_compiler.h"
#include "mobi_reader.h"
#include "temp_dir.h"

namespace quillery::mobi {
namespace {

using testing::LibMobiBook;

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// A decoded image record: its format, colour components (JPEG), frames (GIF) and pixels.
struct Decoded {
    bool jpeg = false;
    int components = 0;  // in the JPEG file
    int frames = 0;      // in the GIF file
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

std::jmp_buf jpegFailed;

std::optional<Decoded> DecodeJpegRecord(const std::string& bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    errors.error_exit = [](j_common_ptr) { std::longjmp(jpegFailed, 1); };
    errors.output_message = [](j_common_ptr) {};
    Decoded picture;
    std::vector<unsigned char> row;
    if (setjmp(jpegFailed) != 0) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    picture.jpeg = true;
    picture.components = info.num_components;
    if (info.num_components != 3) {  // only RGB pictures are read further
        jpeg_destroy_decompress(&info);
        return picture;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    picture.width = int(info.output_width);
    picture.height = int(info.output_height);
    row.resize(std::size_t(picture.width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back({row[3 * x], row[3 * x + 1], row[3 * x + 2]});
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return picture;
}

std::optional<Decoded> DecodeGifRecord(const std::string& bytes) {
    std::string_view left = bytes;
    int error = 0;
    GifFileType* file = DGifOpen(
        &left,
        [](GifFileType* f, GifByteType* out, int wanted) {
            auto* rest = static_cast<std::string_view*>(f->UserData);
            const std::size_t count = std::min(rest->size(), std::size_t(wanted));
            std::memcpy(out, rest->data(), count);
            rest->remove_prefix(count);
            return int(count);
        },
        &error);
    if (file == nullptr) return std::nullopt;
    std::optional<Decoded> decoded;
    if (DGifSlurp(file) == GIF_OK && file->ImageCount > 0) {
        decoded.emplace();
        decoded->frames = file->ImageCount;
        const SavedImage& frame = file->SavedImages[0];
        const ColorMapObject* map =
            frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : file->SColorMap;
        decoded->width = frame.ImageDesc.Width;
        decoded->height = frame.ImageDesc.Height;
        for (int i = 0; map && i < decoded->width * decoded->height; ++i) {
            const GifColorType& c = map->Colors[frame.RasterBits[i] % map->ColorCount];
            decoded->pixels.push_back({c.Red, c.Green, c.Blue});
        }
    }
    DGifCloseFile(file, &error);
    return decoded;
}

std::optional<Decoded> DecodeRecord(const std::string& bytes) {
    if (bytes.rfind("\xFF\xD8", 0) == 0) return DecodeJpegRecord(bytes);
    if (bytes.rfind("GIF8", 0) == 0) return DecodeGifRecord(bytes);
    return std::nullopt;
}

bool Near(Rgb c, Rgb wanted) {
    return std::abs(c.r - wanted.r) < 40 && std::abs(c.g - wanted.g) < 40 &&
           std::abs(c.b - wanted.b) < 40;
}
constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};

// The bytes GD encoded; `encode` stores their count in its argument.
std::string Bytes(const std::function<void*(int*)>& encode) {
    int size = 0;
    void* data = encode(&size);
    std::string bytes(static_cast<const char*>(data), std::size_t(size));
    gdFree(data);
    return bytes;
}

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
    gdImagePtr red = gdImageCreate(40, 30);
    gdImageColorAllocate(red, 255, 0, 0);
    gdImagePtr blue = gdImageCreate(40, 30);
    gdImageColorAllocate(blue, 0, 0, 255);
    std::string bytes = Bytes([&](int* size) { return gdImageGifAnimBeginPtr(red, size, 1, 0); });
    bytes += Bytes([&](int* size) {
        return gdImageGifAnimAddPtr(red, size, 0, 0, 0, 50, gdDisposalNone, nullptr);
    });
    bytes += Bytes([&](int* size) {
        return gdImageGifAnimAddPtr(blue, size, 0, 0, 0, 50, gdDisposalNone, red);
    });
    bytes += Bytes([](int* size) { return gdImageGifAnimEndPtr(size); });
    gdImageDestroy(red);
    gdImageDestroy(blue);
    return bytes;
}

// A 50 x 40 PNG: the left half fully transparent, the right half blue.
std::string MakeTransparentPng() {
    gdImagePtr image = gdImageCreateTrueColor(50, 40);
    gdImageAlphaBlending(image, 0);
    gdImageSaveAlpha(image, 1);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            gdImageSetPixel(image, x, y,
                            x < 25 ? gdTrueColorAlpha(0, 0, 0, gdAlphaTransparent)
                                   : gdTrueColorAlpha(0, 0, 255, gdAlphaOpaque));
    std::string bytes = Bytes([&](int* size) { return gdImagePngPtr(image, size); });
    gdImageDestroy(image);
    return bytes;
}

// A 300 x 400 JPEG cover, red at the top, blue at the bottom.
std::string MakeCoverJpeg() {
    gdImagePtr image = gdImageCreateTrueColor(300, 400);
    gdImageFilledRectangle(image, 0, 0, 299, 199, gdTrueColor(255, 0, 0));
    gdImageFilledRectangle(image, 0, 200, 299, 399, gdTrueColor(0, 0, 255));
    std::string bytes = Bytes([&](int* size) { return gdImageJpegPtr(image, size, 90); });
    gdImageDestroy(image);
    return bytes;
}

// A package as converters write it: an SVG cover page named by the guide (no cover in the
// metadata), then a chapter showing each picture after its name.
std::string WritePackage(const quillery::testing::TempDir& dir) {
    dir.Write("book/images/cover.jpg", MakeCoverJpeg());
    dir.Write("book/images/cmyk.jpg", MakeCmykJpeg());
    dir.Write("book/images/anim.gif", MakeAnimatedGif());
    dir.Write("book/images/clear.png", MakeTransparentPng());
    dir.Write("book/text/cover.xhtml",
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<html "
              "xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>Cover</title></head><body>"
              "<div>cover <svg xmlns=\"http://www.w3.org/2000/svg\" "
              "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"100%\" "
              "height=\"100%\" viewBox=\"0 0 300 400\" preserveAspectRatio=\"none\"><image "
              "width=\"300\" height=\"400\" xlink:href=\"../images/cover.jpg\"/></svg></div>"
              "</body></html>");
    dir.Write("book/text/pictures.xhtml",
              "<html><body><h1>Pictures</h1><p>cmyk <img src=\"../images/cmyk.jpg\"></p>"
              "<p>anim <img src=\"../images/anim.gif\"></p><p>clear <img "
              "src=\"../images/clear.png\"></p></body></html>");
    return dir.Write(
        "book/content.opf",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<package "
        "xmlns=\"http://www.idpf.org/2007/opf\" version=\"2.0\" unique-identifier=\"uid\">"
        "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Pictures</dc:title>"
        "<dc:language>en</dc:language><dc:identifier id=\"uid\">pictures-1</dc:identifier>"
        "</metadata><manifest>"
        "<item id=\"page\" href=\"text/cover.xhtml\" media-type=\"application/xhtml+xml\"/>"
        "<item id=\"one\" href=\"text/pictures.xhtml\" media-type=\"application/xhtml+xml\"/>"
        "<item id=\"img1\" href=\"images/cover.jpg\" media-type=\"image/jpeg\"/>"
        "<item id=\"img2\" href=\"images/cmyk.jpg\" media-type=\"image/jpeg\"/>"
        "<item id=\"img3\" href=\"images/anim.gif\" media-type=\"image/gif\"/>"
        "<item id=\"img4\" href=\"images/clear.png\" media-type=\"image/png\"/>"
        "</manifest><spine><itemref idref=\"page\"/><itemref idref=\"one\"/></spine>"
        "<guide><reference type=\"cover\" title=\"Cover\" href=\"text/cover.xhtml\"/></guide>"
        "</package>");
}

struct CompiledPictures {
    std::string text;
    std::unique_ptr<LibMobiBook> reader;
    std::uint32_t firstImage = 0;
    // The image record shown after `name` in the text (its recindex), decoded.
    std::optional<Decoded> After(const std::string& name) const {
        std::smatch match;
        if (!std::regex_search(text, match, std::regex(name + " <img recindex=\"([0-9]{5})\"/>")))
            return std::nullopt;
        const auto record = reader->Record(firstImage + std::stoul(match[1].str()) - 1);
        return record ? DecodeRecord(*record) : std::nullopt;
    }
    std::optional<Decoded> ExthPicture(MOBIExthTag tag) const {
        const auto offset = reader->ExthNumber(tag);
        const auto record = offset ? reader->Record(firstImage + *offset) : std::nullopt;
        return record ? DecodeRecord(*record) : std::nullopt;
    }
};

TEST(BookPicturesForDevices, EachPictureKindIsWhatDevicesShow) {
    struct Row {
        const char* name;  // the picture, as the chapter names it
        std::function<void(const CompiledPictures&, bool gif)> check;
    };
    const Row rows[] = {
        {"CMYK JPEG: an RGB picture of the same colours",
         [](const CompiledPictures& book, bool gif) {
             const auto picture = book.After("cmyk");
             ASSERT_TRUE(picture.has_value());
             EXPECT_EQ(picture->jpeg, !gif);
             if (!gif) {
                 EXPECT_EQ(picture->components, 3);
             }
             ASSERT_EQ(picture->width, 64);
             EXPECT_TRUE(Near(picture->At(8, 24), kWhite));
             EXPECT_TRUE(Near(picture->At(56, 24), kRed));
         }},
        {"animated GIF: its first frame, converted like any picture that is not kept",
         [](const CompiledPictures& book, bool gif) {
             const auto picture = book.After("anim");
             ASSERT_TRUE(picture.has_value());
             EXPECT_EQ(picture->jpeg, !gif);
             if (gif) {
                 EXPECT_EQ(picture->frames, 1);
             }
             ASSERT_EQ(picture->width, 40);
             EXPECT_TRUE(Near(picture->At(20, 15), kRed));
         }},
        {"transparent PNG: converted, flattened on white",
         [](const CompiledPictures& book, bool gif) {
             const auto picture = book.After("clear");
             ASSERT_TRUE(picture.has_value());
             EXPECT_EQ(picture->jpeg, !gif);
             ASSERT_EQ(picture->width, 50);
             EXPECT_TRUE(Near(picture->At(5, 20), kWhite));
             EXPECT_TRUE(Near(picture->At(45, 20), kBlue));
         }},
        {"SVG cover page: the picture kept as <img>, the cover and thumbnail JPEG",
         [](const CompiledPictures& book, bool gif) {
             const auto page = book.After("cover");
             ASSERT_TRUE(page.has_value());
             EXPECT_EQ(page->jpeg, !gif);
             const auto cover = book.ExthPicture(EXTH_COVEROFFSET);
             const auto thumbnail = book.ExthPicture(EXTH_THUMBOFFSET);
             ASSERT_TRUE(cover.has_value() && thumbnail.has_value());
             EXPECT_TRUE(cover->jpeg && thumbnail->jpeg);
             EXPECT_EQ(cover->components, 3);
             ASSERT_EQ(cover->width, 300);
             EXPECT_TRUE(Near(cover->At(150, 50), kRed) && Near(cover->At(150, 350), kBlue));
             EXPECT_LE(std::max(thumbnail->width, thumbnail->height), 330);
         }},
    };
    for (const bool gif : {false, true}) {
        SCOPED_TRACE(gif ? "-gif" : "JPEG pictures");
        quillery::testing::TempDir dir;
        CompileOptions options;
        options.opfPath = WritePackage(dir);
        options.pictureFormat = gif ? PictureFormat::Gif : PictureFormat::Jpeg;
        options.keepText = true;
        Diagnostics diagnostics;
        auto compiled = CompileBook(options, diagnostics);
        ASSERT_TRUE(compiled.has_value());
        const std::string path = dir.path() + "pictures.mobi";
        std::ofstream(path, std::ios::binary) << compiled->bytes;
        CompiledPictures book;
        book.text = compiled->text;
        book.reader = std::make_unique<LibMobiBook>(path);
        ASSERT_TRUE(book.reader->loaded());
        book.firstImage = *book.reader->data()->mh->image_index;
        for (const auto& finding : diagnostics.findings())
            std::cerr << FormatFinding(finding) << "\n";
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            row.check(book, gif);
        }
    }
}

}  // namespace
}  // namespace quillery::mobi
