// The picture decoder without a window: real JPEG and bitmap files, and the broken ones.
#include <gtest/gtest.h>

#include "headless/headless_image_loader.h"
#include "headless/test_pictures.h"
#include "support/temp_dir.h"

namespace norva::headless {
namespace {

using test::MakeBmp24;
using test::MakeJpeg;

TEST(HeadlessImageLoader, DecodesJpegAndBitmapFilesByContent) {
  test::TempDir dir;
  HeadlessImageLoader loader;
  const auto jpeg = loader.Load(dir.Write("shot01.jpg", MakeJpeg(33, 17, 200, 100, 50)).string());
  ASSERT_TRUE(jpeg.ok()) << jpeg.error;
  EXPECT_EQ(jpeg.image.width, 33);
  EXPECT_EQ(jpeg.image.height, 17);
  ASSERT_EQ(jpeg.image.rgb.size(), 33u * 17 * 3);
  EXPECT_NEAR(jpeg.image.rgb[0], 200, 4);
  EXPECT_NEAR(jpeg.image.rgb[1], 100, 4);
  EXPECT_NEAR(jpeg.image.rgb[2], 50, 4);

  // A bitmap saved under a .jpg name still loads: the content decides.
  const auto bmp = loader.Load(dir.Write("thumb.jpg", MakeBmp24(5, 3)).string());
  ASSERT_TRUE(bmp.ok()) << bmp.error;
  EXPECT_EQ(bmp.image.width, 5);
  EXPECT_EQ(bmp.image.height, 3);
  // Bottom-up rows come out top first; pixel (x, y) is red x, green y, blue 7.
  const auto pixel = [&](int x, int y) {
    const auto at = static_cast<std::size_t>((y * 5 + x) * 3);
    return std::vector<int>{bmp.image.rgb[at], bmp.image.rgb[at + 1], bmp.image.rgb[at + 2]};
  };
  EXPECT_EQ(pixel(0, 0), (std::vector<int>{0, 0, 7}));
  EXPECT_EQ(pixel(4, 2), (std::vector<int>{4, 2, 7}));
}

TEST(HeadlessImageLoader, BrokenAndMissingFilesAreErrors) {
  test::TempDir dir;
  HeadlessImageLoader loader;
  const std::string jpeg = MakeJpeg(64, 64);
  const std::string bmp = MakeBmp24(8, 8);
  const std::pair<const char*, std::string> broken[] = {
      {"cut.jpg", jpeg.substr(0, jpeg.size() / 2)},
      {"header.jpg", jpeg.substr(0, 20)},
      {"text.jpg", "<html>not found</html>"},
      {"empty.jpg", ""},
      {"cut.bmp", bmp.substr(0, bmp.size() - 10)},
      {"palette.bmp", bmp.substr(0, 14) + std::string("\x28\0\0\0\x08\0\0\0\x08\0\0\0\x01\0\x08\0", 16)},
  };
  for (const auto& [name, bytes] : broken) {
    const auto result = loader.Load(dir.Write(name, bytes).string());
    EXPECT_FALSE(result.ok()) << name;
    EXPECT_TRUE(result.image.rgb.empty()) << name;
  }
  EXPECT_EQ(loader.Load((dir.path() / "missing.jpg").string()).error, "cannot open the file");
  EXPECT_NE(loader.Load(dir.Write("cut2.jpg", jpeg.substr(0, jpeg.size() / 2)).string()).error.find("JPEG"),
            std::string::npos);
}

TEST(DecodeBmp, PalettedTopDownAndThirtyTwoBitPictures) {
  // A 3 × 2 picture, 4 bits per pixel, top-down (negative height), two palette entries.
  std::string bmp = "BM";
  auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  put(0, 4), put(0, 4), put(14 + 40 + 8, 4);
  put(40, 4), put(3, 4), put(static_cast<std::uint32_t>(-2), 4), put(1, 2), put(4, 2), put(0, 4), put(0, 4);
  put(0, 4), put(0, 4), put(2, 4), put(0, 4);
  put(0x00FF0000, 4);                         // entry 0: red (stored blue, green, red, 0)
  put(0x000000FF, 4);                         // entry 1: blue
  bmp += std::string("\x01\x00\x00\x00", 4);  // row 0: 0, 1, 0
  bmp += std::string("\x11\x10\x00\x00", 4);  // row 1: 1, 1, 1
  const auto paletted = DecodeBmp(bmp);
  ASSERT_TRUE(paletted.ok()) << paletted.error;
  EXPECT_EQ(paletted.image.rgb, (std::vector<std::uint8_t>{255, 0, 0, 0, 0, 255, 255, 0, 0,  //
                                                           0, 0, 255, 0, 0, 255, 0, 0, 255}));

  // An index beyond a short palette reads no memory past it.
  std::string short_palette = bmp;
  short_palette[14 + 40 + 8] = '\x2F';
  const auto beyond = DecodeBmp(short_palette);
  ASSERT_TRUE(beyond.ok()) << beyond.error;
  EXPECT_EQ(beyond.image.rgb[3 * 1], 0);

  bmp = "BM";
  put(0, 4), put(0, 4), put(54, 4);
  put(40, 4), put(1, 4), put(1, 4), put(1, 2), put(32, 2), put(0, 4), put(0, 4);
  put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  put(0x00102030, 4);
  const auto thirty_two = DecodeBmp(bmp);
  ASSERT_TRUE(thirty_two.ok()) << thirty_two.error;
  EXPECT_EQ(thirty_two.image.rgb, (std::vector<std::uint8_t>{0x10, 0x20, 0x30}));
}

}  // namespace
}  // namespace norva::headless
