#include "mobi/pictures.h"

#include <gtest/gtest.h>

#include <random>

#include "picture_check.h"
#include "test_pictures.h"

namespace quillery::mobi {
namespace {

using testing::DecodeGifIndependently;
using testing::DecodeJpegIndependently;
using testing::MakeTestPicture;
using testing::Pattern;

constexpr std::size_t kLimit = kMaxImageRecordBytes;

bool IsJpeg(const std::string& b) { return b.size() > 3 && b.compare(0, 3, "\xFF\xD8\xFF") == 0; }
bool IsGif(const std::string& b) { return b.size() > 6 && b.compare(0, 4, "GIF8") == 0; }

// The picture is what it says it is, decodes with an independent decoder to the size it states,
// and fits in one record.
void ExpectValidPicture(const Picture& picture, std::size_t maxBytes) {
  EXPECT_LE(picture.bytes.size(), maxBytes);
  std::optional<testing::DecodedSize> decoded;
  if (picture.mediaType == "image/jpeg") {
    EXPECT_TRUE(IsJpeg(picture.bytes));
    decoded = DecodeJpegIndependently(picture.bytes);
  } else {
    ASSERT_EQ(picture.mediaType, "image/gif");
    EXPECT_TRUE(IsGif(picture.bytes));
    decoded = DecodeGifIndependently(picture.bytes);
  }
  ASSERT_TRUE(decoded.has_value()) << picture.mediaType << " does not decode";
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

struct InputCase {
  std::string format;
  PictureFormat target;
  std::string expectedType;
  bool keptAsIs;
};

class EveryInputType : public ::testing::TestWithParam<InputCase> {};

TEST_P(EveryInputType, GivesAValidPictureOfTheSameSize) {
  const InputCase& c = GetParam();
  const std::string input = MakeTestPicture(c.format, 200, 150);
  const auto picture = Prepare(input, c.target);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->mediaType, c.expectedType);
  EXPECT_EQ(picture->width, 200);
  EXPECT_EQ(picture->height, 150);
  EXPECT_EQ(picture->bytes == input, c.keptAsIs);
  ExpectValidPicture(*picture, kLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, EveryInputType,
    ::testing::Values(InputCase{"jpeg", PictureFormat::Jpeg, "image/jpeg", true},
                      InputCase{"jpeg", PictureFormat::Gif, "image/gif", false},
                      InputCase{"gif", PictureFormat::Jpeg, "image/gif", true},
                      InputCase{"gif", PictureFormat::Gif, "image/gif", true},
                      InputCase{"png", PictureFormat::Jpeg, "image/jpeg", false},
                      InputCase{"png", PictureFormat::Gif, "image/gif", false},
                      InputCase{"png-alpha", PictureFormat::Jpeg, "image/jpeg", false},
                      InputCase{"bmp", PictureFormat::Jpeg, "image/jpeg", false},
                      InputCase{"bmp", PictureFormat::Gif, "image/gif", false}),
    [](const auto& info) {
      std::string name = info.param.format + "_to_" +
                         (info.param.target == PictureFormat::Jpeg ? "jpeg" : "gif");
      for (char& ch : name) {
        if (ch == '-') ch = '_';
      }
      return name;
    });

TEST(PrepareBookPicture, TransparentPartsBecomeWhiteInAJpeg) {
  const auto picture = Prepare(MakeTestPicture("png-alpha", 200, 100), PictureFormat::Jpeg);
  ASSERT_TRUE(picture.has_value());
  const auto transparentSide = testing::JpegPixel(picture->bytes, 20, 50);
  const auto opaqueSide = testing::JpegPixel(picture->bytes, 180, 50);
  ASSERT_TRUE(transparentSide && opaqueSide);
  for (int shift : {16, 8, 0}) EXPECT_GE((*transparentSide >> shift) & 0xFF, 245u);
  EXPECT_LT((*opaqueSide >> 16) & 0xFF, 245u);  // the opaque half keeps its colours
}

TEST(PrepareBookPicture, BigPhotoIsScaledDownToFitOneRecord) {
  const std::string photo = MakeTestPicture("jpeg", 2400, 1800, Pattern::Noise, 95);
  ASSERT_GT(photo.size(), 4 * kLimit);
  const auto picture = Prepare(photo, PictureFormat::Jpeg);
  ASSERT_TRUE(picture.has_value());
  ExpectValidPicture(*picture, kLimit);
  EXPECT_LT(picture->width, 2400);
  EXPECT_NEAR(picture->height, picture->width * 3 / 4, 1);  // proportions kept
}

TEST(PrepareBookPicture, OversizedJpegIsFirstReencodedAtLowerQualityKeepingItsSize) {
  // Noise at top quality is too big, while the same picture at a lower quality fits.
  const std::string photo = MakeTestPicture("jpeg", 420, 320, Pattern::Noise, 100);
  ASSERT_GT(photo.size(), kLimit);
  ASSERT_LE(MakeTestPicture("jpeg", 420, 320, Pattern::Noise, 40).size(), kLimit);
  const auto picture = Prepare(photo, PictureFormat::Jpeg);
  ASSERT_TRUE(picture.has_value());
  ExpectValidPicture(*picture, kLimit);
  EXPECT_EQ(picture->width, 420);
  EXPECT_EQ(picture->height, 320);
}

TEST(PrepareBookPicture, BigPictureAsGifIsScaledDownToFit) {
  const auto picture =
      Prepare(MakeTestPicture("png", 1500, 1000, Pattern::Noise), PictureFormat::Gif);
  ASSERT_TRUE(picture.has_value());
  ExpectValidPicture(*picture, kLimit);
  EXPECT_LT(picture->width, 1500);
}

TEST(PrepareBookPicture, OversizedGifBecomesJpegWhenJpegIsAllowed) {
  const std::string gif = MakeTestPicture("gif", 800, 600, Pattern::Noise);
  ASSERT_GT(gif.size(), kLimit);
  const auto picture = Prepare(gif, PictureFormat::Jpeg);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->mediaType, "image/jpeg");
  ExpectValidPicture(*picture, kLimit);
}

TEST(PrepareBookPicture, HonoursASmallerByteLimit) {
  const std::string input = MakeTestPicture("jpeg", 600, 400, Pattern::Noise, 90);
  for (const PictureFormat target : {PictureFormat::Jpeg, PictureFormat::Gif}) {
    const auto picture = Prepare(input, target, 20000);
    ASSERT_TRUE(picture.has_value());
    ExpectValidPicture(*picture, 20000);
  }
}

TEST(PrepareBookPicture, GivesUpWithAMessageWhenNothingCanFit) {
  std::string error;
  const auto picture = PrepareBookPicture(MakeTestPicture("png", 300, 300, Pattern::Noise),
                                          PictureFormat::Jpeg, 50, error);
  EXPECT_FALSE(picture.has_value());
  EXPECT_NE(error.find("small enough"), std::string::npos) << error;
}

TEST(MakeThumbnail, FitsTheLongerEdgeIntoTheBox) {
  std::string error;
  const auto wide = MakeThumbnail(MakeTestPicture("jpeg", 1200, 800), 330,
                                  PictureFormat::Jpeg, error);
  ASSERT_TRUE(wide.has_value()) << error;
  EXPECT_EQ(wide->width, 330);
  EXPECT_EQ(wide->height, 220);
  ExpectValidPicture(*wide, kLimit);

  const auto tall = MakeThumbnail(MakeTestPicture("bmp", 500, 1000), 330, PictureFormat::Gif,
                                  error);
  ASSERT_TRUE(tall.has_value()) << error;
  EXPECT_EQ(tall->height, 330);
  EXPECT_EQ(tall->width, 165);
  ExpectValidPicture(*tall, kLimit);
}

TEST(MakeThumbnail, NeverEnlargesASmallPicture) {
  std::string error;
  const auto thumb = MakeThumbnail(MakeTestPicture("png", 100, 50), 330, PictureFormat::Jpeg,
                                   error);
  ASSERT_TRUE(thumb.has_value()) << error;
  EXPECT_EQ(thumb->width, 100);
  EXPECT_EQ(thumb->height, 50);
  ExpectValidPicture(*thumb, kLimit);
}

TEST(MakeThumbnail, RefusesDamagedInputAndNonsenseSizes) {
  std::string error;
  EXPECT_FALSE(MakeThumbnail("not a picture", 330, PictureFormat::Jpeg, error).has_value());
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(
      MakeThumbnail(MakeTestPicture("png", 10, 10), 0, PictureFormat::Jpeg, error).has_value());
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace quillery::mobi
