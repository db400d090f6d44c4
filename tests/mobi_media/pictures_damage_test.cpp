// Damaged, truncated and hostile pictures: never a crash, a clear refusal instead.
#include <gtest/gtest.h>

#include <random>

#include "mobi/pictures.h"
#include "test_pictures.h"

namespace quillery::mobi {
namespace {

using testing::MakeTestPicture;

const char* const kFormats[] = {"jpeg", "png", "gif", "bmp"};

TEST(DamagedPictures, EmptyAndUnknownInputIsRefusedWithAMessage) {
  for (const std::string& input : {std::string(), std::string("plain text, not a picture"),
                                  std::string("\xFF\xD8\xFF", 3), std::string("GIF89a"),
                                  std::string("BM")}) {
    std::string error;
    EXPECT_FALSE(PrepareBookPicture(input, PictureFormat::Jpeg, kMaxImageRecordBytes, error))
        << input;
    EXPECT_FALSE(error.empty());
  }
}

TEST(DamagedPictures, TruncatedPicturesAreRefusedNamingTheFormat) {
  for (const char* format : kFormats) {
    const std::string whole = MakeTestPicture(format, 120, 90);
    for (const std::size_t keep : {whole.size() / 4, whole.size() / 2, whole.size() - 9}) {
      std::string error;
      const auto picture =
          PrepareBookPicture(whole.substr(0, keep), PictureFormat::Jpeg, kMaxImageRecordBytes,
                             error);
      EXPECT_FALSE(picture.has_value()) << format << " cut to " << keep << " bytes";
      EXPECT_NE(error.find("picture"), std::string::npos) << error;
    }
  }
}

TEST(DamagedPictures, HugeDeclaredSizeIsRefusedBeforeDecoding) {
  std::string png = MakeTestPicture("png", 16, 16);
  // IHDR width and height: 200000 x 200000 pixels.
  const std::string huge("\x00\x03\x0D\x40", 4);
  png.replace(16, 4, huge);
  png.replace(20, 4, huge);
  std::string error;
  EXPECT_FALSE(PrepareBookPicture(png, PictureFormat::Jpeg, kMaxImageRecordBytes, error));
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

// Random truncations and bit flips of every input type: whatever comes back is either a
// refusal with a message or a valid picture within the limit.
TEST(DamagedPictures, FuzzedPicturesNeverCrashAndNeverExceedTheLimit) {
  std::mt19937 random(1234);
  int refused = 0;
  int accepted = 0;
  for (const char* format : kFormats) {
    const std::string whole = MakeTestPicture(format, 64, 48);
    for (int round = 0; round < 150; ++round) {
      std::string damaged = whole;
      if (round % 2 == 0) {
        damaged.resize(random() % whole.size());
      } else {
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int f = 0; f < flips; ++f) {
          damaged[random() % damaged.size()] ^= static_cast<char>(1u << (random() % 8));
        }
      }
      const PictureFormat target = round % 3 == 0 ? PictureFormat::Gif : PictureFormat::Jpeg;
      std::string error;
      const auto picture = PrepareBookPicture(damaged, target, kMaxImageRecordBytes, error);
      if (picture) {
        ++accepted;
        EXPECT_LE(picture->bytes.size(), kMaxImageRecordBytes);
        EXPECT_GT(picture->width, 0);
        EXPECT_GT(picture->height, 0);
      } else {
        ++refused;
        EXPECT_FALSE(error.empty());
      }
      std::string thumbError;
      const auto thumb = MakeThumbnail(damaged, 32, target, thumbError);
      if (thumb) {
        EXPECT_LE(thumb->width, 32);
        EXPECT_LE(thumb->height, 32);
      } else {
        EXPECT_FALSE(thumbError.empty());
      }
    }
  }
  // Every truncation must be refused, so at least half of the rounds were.
  EXPECT_GE(refused, 4 * 150 / 2);
  EXPECT_GT(accepted, 0);  // a flipped bit in pixel data still decodes
}

}  // namespace
}  // namespace quillery::mobi
