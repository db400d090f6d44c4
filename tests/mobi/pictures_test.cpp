// Pictures for image records: every input type, pictures too big for one record, damaged input.
// Results are checked with libjpeg and giflib, independently of the library the compiler uses.
#include "mobi/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "test_pictures.h"

namespace quillery::mobi {
namespace {

using namespace testing;
constexpr std::size_t kLimit = kMaxImageRecordBytes;

// A width x height test picture made with GD: a smooth gradient (compresses well) or noise (the
// worst case for every encoder), as "jpeg", "png", "png-alpha" (left half transparent), "gif"
// or "bmp".
std::string MakePicture(const std::string& format, int width, int height, bool noise = false,
                        int jpegQuality = 90) {
    gdImagePtr image = gdImageCreateTrueColor(width, height);
    std::mt19937 random(42);
    const bool withAlpha = format == "png-alpha";
    gdImageAlphaBlending(image, 0);
    gdImageSaveAlpha(image, withAlpha ? 1 : 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha = withAlpha && x < width / 2 ? gdAlphaTransparent : gdAlphaOpaque;
            gdImageSetPixel(image, x, y,
                            noise
                                ? gdTrueColorAlpha(int(random() & 0xFF), int(random() & 0xFF),
                                                   int(random() & 0xFF), alpha)
                                : gdTrueColorAlpha(255 * x / width, 255 * y / height, 128, alpha));
        }
    }
    return EncodeAndDestroy(image, withAlpha ? "png" : format, jpegQuality);
}

// The picture is what its media type says, an RGB or grey JPEG or a GIF that decodes whole, at
// the size it states, within maxBytes.
void ExpectValidPicture(const Picture& picture, std::size_t maxBytes = kLimit) {
    EXPECT_LE(picture.bytes.size(), maxBytes);
    const bool jpeg = picture.mediaType == "image/jpeg";
    ASSERT_TRUE(jpeg || picture.mediaType == "image/gif") << picture.mediaType;
    const auto decoded = jpeg ? DecodeJpeg(picture.bytes) : DecodeGif(picture.bytes);
    ASSERT_TRUE(decoded.has_value()) << picture.mediaType << " does not decode";
    EXPECT_NE(decoded->components, 4);
    EXPECT_EQ(decoded->width, picture.width);
    EXPECT_EQ(decoded->height, picture.height);
}

std::optional<Picture> Prepare(const std::string& bytes, PictureFormat target,
                               std::size_t maxBytes = kLimit) {
    std::string error;
    auto picture = PrepareBookPicture(bytes, target, maxBytes, error);
    EXPECT_EQ(picture.has_value(), error.empty()) << error;
    return picture;
}

TEST(PrepareBookPicture, EveryInputTypeGivesAValidPictureOfTheSameSize) {
    struct Case {
        const char* format;
        PictureFormat target;
        const char* mediaType;
        bool keptAsIs;
    };
    const Case cases[] = {
        {"jpeg", PictureFormat::Jpeg, "image/jpeg", true},
        {"jpeg", PictureFormat::Gif, "image/gif", false},
        {"gif", PictureFormat::Jpeg, "image/gif", true},
        {"gif", PictureFormat::Gif, "image/gif", true},
        {"png", PictureFormat::Jpeg, "image/jpeg", false},
        {"png", PictureFormat::Gif, "image/gif", false},
        {"png-alpha", PictureFormat::Jpeg, "image/jpeg", false},
        {"bmp", PictureFormat::Jpeg, "image/jpeg", false},
        {"bmp", PictureFormat::Gif, "image/gif", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " as " + c.mediaType);
        const std::string input = MakePicture(c.format, 200, 150);
        const auto picture = Prepare(input, c.target);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->mediaType, c.mediaType);
        EXPECT_EQ(picture->width, 200);
        EXPECT_EQ(picture->height, 150);
        EXPECT_EQ(picture->bytes == input, c.keptAsIs);
        ExpectValidPicture(*picture);
    }
}

TEST(PrepareBookPicture, PicturesTooBigForTheLimitAreMadeToFit) {
    struct Case {
        const char* name;
        std::string input;
        PictureFormat target;
        std::size_t limit;
        const char* mediaType;
        bool keepsSize;  // else scaled down, keeping its proportions
    };
    const Case cases[] = {
        {"big photo", MakePicture("jpeg", 2400, 1800, true, 95), PictureFormat::Jpeg, kLimit,
         "image/jpeg", false},
        // Too big at top quality, while the same picture at a lower quality fits.
        {"lower quality is enough", MakePicture("jpeg", 420, 320, true, 100), PictureFormat::Jpeg,
         kLimit, "image/jpeg", true},
        {"big picture as GIF", MakePicture("png", 1500, 1000, true), PictureFormat::Gif, kLimit,
         "image/gif", false},
        {"big GIF becomes JPEG", MakePicture("gif", 800, 600, true), PictureFormat::Jpeg, kLimit,
         "image/jpeg", false},
        {"small limit, GIF", MakePicture("jpeg", 600, 400, true), PictureFormat::Gif, 20000,
         "image/gif", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_GT(c.input.size(), c.limit);
        std::string error;
        const auto original = PrepareBookPicture(c.input, c.target, 1 << 30, error);
        ASSERT_TRUE(original.has_value()) << error;
        const auto picture = Prepare(c.input, c.target, c.limit);
        ASSERT_TRUE(picture.has_value());
        EXPECT_EQ(picture->mediaType, c.mediaType);
        ExpectValidPicture(*picture, c.limit);
        if (c.keepsSize) {
            EXPECT_EQ(picture->width, original->width);
            EXPECT_EQ(picture->height, original->height);
        } else {
            EXPECT_LT(picture->width, original->width);
            EXPECT_NEAR(picture->height, picture->width * original->height / original->width, 1);
        }
    }
    std::string error;
    EXPECT_FALSE(
        PrepareBookPicture(MakePicture("png", 300, 300, true), PictureFormat::Jpeg, 50, error));
    EXPECT_NE(error.find("small enough"), std::string::npos) << error;
}

TEST(MakeThumbnail, FitsTheLongerEdgeIntoTheBoxNeverEnlarging) {
    struct Case {
        const char* format;
        int width, height;
        PictureFormat target;
        int thumbWidth, thumbHeight;
    };
    const Case cases[] = {{"jpeg", 1200, 800, PictureFormat::Jpeg, 330, 220},
                          {"bmp", 500, 1000, PictureFormat::Gif, 165, 330},
                          {"png", 100, 50, PictureFormat::Jpeg, 100, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        std::string error;
        const auto thumb =
            MakeThumbnail(MakePicture(c.format, c.width, c.height), 330, c.target, error);
        ASSERT_TRUE(thumb.has_value()) << error;
        EXPECT_EQ(thumb->width, c.thumbWidth);
        EXPECT_EQ(thumb->height, c.thumbHeight);
        ExpectValidPicture(*thumb);
    }
    std::string error;
    EXPECT_FALSE(MakeThumbnail(MakePicture("png", 10, 10), 0, PictureFormat::Jpeg, error));
    EXPECT_FALSE(error.empty());
}

// Unreadable input, truncations and random bit flips of every input type: a refusal with a
// message (always for a truncation) or a picture within the limit, never a crash.
TEST(DamagedPictures, DamagedPicturesAreRefusedOrFitTheLimit) {
    std::string png = MakePicture("png", 16, 16), error;
    const std::string huge("\x00\x03\x0D\x40", 4);  // IHDR: 200000 x 200000 pixels
    png.replace(16, 4, huge).replace(20, 4, huge);
    EXPECT_FALSE(PrepareBookPicture(png, PictureFormat::Jpeg, kLimit, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;  // refused before decoding

    std::vector<std::string> truncated = {"", "not a picture", "\xFF\xD8\xFF", "GIF89a", "BM"};
    std::vector<std::string> flipped;
    std::mt19937 random(1234);
    for (const char* format : {"jpeg", "png", "gif", "bmp"}) {
        const std::string whole = MakePicture(format, 64, 48);
        for (const std::size_t keep : {whole.size() / 4, whole.size() / 2, whole.size() - 9}) {
            truncated.push_back(whole.substr(0, keep));
        }
        for (int round = 0; round < 20; ++round) {
            truncated.push_back(whole.substr(0, random() % whole.size()));
            flipped.push_back(whole);
            for (int f = 0; f < 1 + int(random() % 8); ++f) {
                flipped.back()[random() % whole.size()] ^= char(1u << (random() % 8));
            }
        }
    }
    for (const auto* inputs : {&truncated, &flipped}) {
        for (std::size_t i = 0; i < inputs->size(); ++i) {
            const std::string& input = (*inputs)[i];
            SCOPED_TRACE(input.substr(0, 4) + ", " + std::to_string(input.size()) + " bytes");
            const PictureFormat target = i % 3 == 0 ? PictureFormat::Gif : PictureFormat::Jpeg;
            std::string error;
            const auto picture = PrepareBookPicture(input, target, kLimit, error);
            EXPECT_EQ(picture.has_value(), error.empty()) << error;
            if (inputs == &truncated) {
                EXPECT_FALSE(picture);
                EXPECT_NE(error.find("picture"), std::string::npos) << error;
            } else if (picture) {  // kept as it is (a few bytes), or re-encoded
                EXPECT_GT(std::min(picture->width, picture->height), 0);
                // A GIF, kept or not, must read whole and at its stated size with giflib.
                if (picture->bytes != input || picture->mediaType == "image/gif") {
                    ExpectValidPicture(*picture);
                }
            }
            error.clear();
            const auto thumb = MakeThumbnail(input, 32, target, error);
            EXPECT_EQ(thumb.has_value(), error.empty()) << error;
            EXPECT_TRUE(!thumb || std::max(thumb->width, thumb->height) <= 32);
        }
    }
}

}  // namespace
}  // namespace quillery::mobi
