// Small synthetic pictures encoded as real baseline JPEG files (libjpeg) (see jpeg_picture.h).

#include "jpeg_picture.h"

#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "prose.h"

namespace quillery::bench {

namespace {

// RGB pixels: a diagonal colour gradient with a few flat rectangles, plus per-pixel noise
// for detailed pictures (noise defeats JPEG compression and gives big files).
std::vector<unsigned char> DrawPixels(const PictureSpec& picture) {
    Prng rng(picture.seed);
    const int w = picture.width, h = picture.height;
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    const int r0 = rng.Below(256), g0 = rng.Below(256), b0 = rng.Below(256);
    const int r1 = rng.Below(256), g1 = rng.Below(256), b1 = rng.Below(256);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int t = (x + y) * 256 / (w + h);
            unsigned char* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
            p[0] = static_cast<unsigned char>(r0 + (r1 - r0) * t / 256);
            p[1] = static_cast<unsigned char>(g0 + (g1 - g0) * t / 256);
            p[2] = static_cast<unsigned char>(b0 + (b1 - b0) * t / 256);
        }
    }
    const int shapes = 3 + rng.Below(5);
    for (int s = 0; s < shapes; ++s) {
        const int x0 = rng.Below(w), y0 = rng.Below(h);
        const int x1 = std::min(w, x0 + 1 + static_cast<int>(rng.Below(w / 2 + 1)));
        const int y1 = std::min(h, y0 + 1 + static_cast<int>(rng.Below(h / 2 + 1)));
        const unsigned char c[3] = {static_cast<unsigned char>(rng.Below(256)),
                                    static_cast<unsigned char>(rng.Below(256)),
                                    static_cast<unsigned char>(rng.Below(256))};
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                for (int k = 0; k < 3; ++k)
                    rgb[(static_cast<std::size_t>(y) * w + x) * 3 + k] = c[k];
    }
    if (picture.detailed) {
        for (unsigned char& v : rgb) {
            const int n = static_cast<int>(v) + static_cast<int>(rng.Next() & 63) - 32;
            v = static_cast<unsigned char>(n < 0 ? 0 : (n > 255 ? 255 : n));
        }
    }
    return rgb;
}

std::vector<unsigned char> EncodeJpeg(const std::vector<unsigned char>& rgb,
                                      const PictureSpec& picture) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, picture.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(
            &rgb[static_cast<std::size_t>(cinfo.next_scanline) * picture.width * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<unsigned char> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

}  // namespace

bool WriteJpegPicture(const std::string& path, const PictureSpec& picture) {
    const std::vector<unsigned char> jpeg = EncodeJpeg(DrawPixels(picture), picture);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(jpeg.data()),
              static_cast<std::streamsize>(jpeg.size()));
    return static_cast<bool>(out);
}

}  // namespace quillery::bench
