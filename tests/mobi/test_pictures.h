#pragma once
// Pictures for the compiler's tests: GD images encoded as test input, and image records read
// back with libjpeg and giflib, independently of the library the compiler uses.

#include <gd.h>
#include <gif_lib.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillery::mobi::testing {

// The bytes GD encoded (freed here); throws when GD could not encode.
inline std::string TakeGdBytes(void* data, int size) {
    if (data == nullptr) throw std::runtime_error("GD could not encode a test picture");
    std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(size));
    gdFree(data);
    return bytes;
}

// `image` encoded as "jpeg" (or "jpg"), "png", "bmp", "tiff", "webp" or "gif" (reduced to 256
// colours, with or without dithering); the image is destroyed.
inline std::string EncodeAndDestroy(gdImagePtr image, const std::string& format,
                                    int jpegQuality = 90, bool ditherGif = false) {
    int size = 0;
    void* data = nullptr;
    if (format == "jpeg" || format == "jpg") data = gdImageJpegPtr(image, &size, jpegQuality);
    if (format == "png") data = gdImagePngPtr(image, &size);
    if (format == "bmp") data = gdImageBmpPtr(image, &size, 0);
    if (format == "tiff") data = gdImageTiffPtr(image, &size);
    if (format == "webp") data = gdImageWebpPtr(image, &size);
    if (format == "gif") {
        gdImageTrueColorToPalette(image, ditherGif ? 1 : 0, 256);
        data = gdImageGifPtr(image, &size);
    }
    gdImageDestroy(image);
    return TakeGdBytes(data, size);
}

struct Rgb {
    int r = 0, g = 0, b = 0;
};
inline constexpr Rgb kWhite{255, 255, 255}, kRed{255, 0, 0}, kBlue{0, 0, 255};
inline bool Near(Rgb c, Rgb wanted) {
    return std::abs(c.r - wanted.r) < 40 && std::abs(c.g - wanted.g) < 40 &&
           std::abs(c.b - wanted.b) < 40;
}

// A decoded picture: its format, colour components (JPEG), frames (GIF), size (a GIF's screen)
// and the pixels of its first frame (none for a four-component JPEG, which devices cannot show).
struct DecodedPicture {
    bool jpeg = false;
    int components = 0, frames = 0;
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels.at(std::size_t(y) * width + x); }
};

inline std::optional<DecodedPicture> DecodeJpeg(const std::string& bytes) {
    static std::jmp_buf failed;
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    errors.error_exit = [](j_common_ptr) { std::longjmp(failed, 1); };
    errors.output_message = [](j_common_ptr) {};
    DecodedPicture picture;  // constructed before setjmp, so the jump skips no constructor
    std::vector<unsigned char> row;
    if (setjmp(failed) != 0) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    picture.jpeg = true;
    picture.components = info.num_components;
    picture.width = int(info.image_width);
    picture.height = int(info.image_height);
    if (info.num_components == 4) {
        jpeg_destroy_decompress(&info);
        return picture;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    row.resize(std::size_t(info.output_width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (std::size_t x = 0; x < info.output_width; ++x)
            picture.pixels.push_back({row[3 * x], row[3 * x + 1], row[3 * x + 2]});
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return picture;
}

// Nullopt unless giflib reads the whole file and finds a frame.
inline std::optional<DecodedPicture> DecodeGif(const std::string& bytes) {
    std::string_view left = bytes;
    int error = 0;
    const auto read = [](GifFileType* f, GifByteType* out, int wanted) {
        auto* rest = static_cast<std::string_view*>(f->UserData);
        const std::size_t count = std::min(rest->size(), std::size_t(wanted));
        std::memcpy(out, rest->data(), count);
        rest->remove_prefix(count);
        return int(count);
    };
    GifFileType* file = DGifOpen(&left, read, &error);
    if (file == nullptr) return std::nullopt;
    std::optional<DecodedPicture> decoded;
    if (DGifSlurp(file) == GIF_OK && file->ImageCount > 0) {
        decoded.emplace();
        decoded->frames = file->ImageCount;
        decoded->width = file->SWidth;
        decoded->height = file->SHeight;
        const SavedImage& frame = file->SavedImages[0];
        const ColorMapObject* map =
            frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : file->SColorMap;
        const int frameSize = frame.ImageDesc.Width * frame.ImageDesc.Height;
        for (int i = 0; map && frameSize == file->SWidth * file->SHeight && i < frameSize; ++i) {
            const GifColorType& c = map->Colors[frame.RasterBits[i] % map->ColorCount];
            decoded->pixels.push_back({c.Red, c.Green, c.Blue});
        }
    }
    DGifCloseFile(file, &error);
    return decoded;
}

// A JPEG or GIF image record, told by its signature.
inline std::optional<DecodedPicture> DecodePicture(const std::string& bytes) {
    if (bytes.starts_with("\xFF\xD8")) return DecodeJpeg(bytes);
    if (bytes.starts_with("GIF8")) return DecodeGif(bytes);
    return std::nullopt;
}

}  // namespace quillery::mobi::testing
