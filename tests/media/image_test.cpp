#include "media/image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "media/draw.h"
#include "media/png_fixture.h"

namespace media {
namespace {

using media_test::PngSample;
using media_test::TempDir;
using media_test::WriteTestPng;

class ImageTest : public testing::Test {
 protected:
  void SetUp() override { ResetRenderState(); }
  void TearDown() override { ResetRenderState(); }

  ImagePtr Load(const PngSample& sample, int flags) {
    const std::string path = dir_.Path("image.png");
    EXPECT_TRUE(WriteTestPng(path, sample));
    return LoadImage(path, flags);
  }

  static uint32_t Pixel(const ImagePtr& image, int x, int y) {
    return ReadPixel(LockImage(image), x, y);
  }

  TempDir dir_;
};

TEST_F(ImageTest, DecodesEveryColourTypeToArgb) {
  PngSample rgba{2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {10, 20, 30, 40, 255, 128, 0, 255}};
  ImagePtr image = Load(rgba, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(ImageWidth(image), 2);
  EXPECT_EQ(ImageHeight(image), 1);
  EXPECT_EQ(Pixel(image, 0, 0), 0x280A141Eu);
  EXPECT_EQ(Pixel(image, 1, 0), 0xFFFF8000u);

  image = Load({2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 200, 100, 50}}, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixel(image, 0, 0), 0xFF010203u);
  EXPECT_EQ(Pixel(image, 1, 0), 0xFFC86432u);

  image = Load({2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x40, 0xF0}}, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixel(image, 1, 0), 0xFFF0F0F0u);

  image = Load({1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x80, 0x7F}}, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixel(image, 0, 0), 0x7F808080u);

  // 4-bit grey: 0xF0 packs a white and a black pixel.
  image = Load({2, 1, PNG_COLOR_TYPE_GRAY, 4, {0xF0}}, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixel(image, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(image, 1, 0), 0xFF000000u);
}

TEST_F(ImageTest, SixteenBitChannelsScaleToEightBits) {
  PngSample sample{1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0xFF, 0xFF, 0x80, 0x80, 0, 0, 0xFF, 0xFF}};
  ImagePtr image = Load(sample, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixel(image, 0, 0), 0xFFFF8000u);
}

TEST_F(ImageTest, PalettedWithAndWithoutTransparency) {
  PngSample sample{3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2}};
  sample.palette = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}};
  ImagePtr image = Load(sample, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixel(image, 1, 0), 0xFFFF0000u);
  EXPECT_EQ(Pixel(image, 2, 0), 0xFF0000FFu);

  sample.paletteAlpha = {0, 128};
  image = Load(sample, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(Pixel(image, 0, 0) >> 24, 0u);
  EXPECT_EQ(Pixel(image, 1, 0), 0x80FF0000u);
  EXPECT_EQ(Pixel(image, 2, 0), 0xFF0000FFu);
}

TEST_F(ImageTest, MaskColourBecomesTransparentOnlyWithoutAlpha) {
  const PngSample rgb{2, 1, PNG_COLOR_TYPE_RGB, 8, {255, 0, 255, 9, 9, 9}};
  SetMaskColor(255, 0, 255);
  ImagePtr masked = Load(rgb, kImageMasked);
  ASSERT_TRUE(masked);
  EXPECT_EQ(Pixel(masked, 0, 0) >> 24, 0u);
  EXPECT_EQ(Pixel(masked, 1, 0), 0xFF090909u);

  EXPECT_EQ(Pixel(Load(rgb, 0), 0, 0), 0xFFFF00FFu);
  EXPECT_EQ(Pixel(Load(rgb, kImageDefaultFlags), 0, 0) >> 24, 0u);  // default flags 3 mask

  const PngSample rgba{1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {255, 0, 255, 255}};
  EXPECT_EQ(Pixel(Load(rgba, kImageMasked), 0, 0), 0xFFFF00FFu);
}

TEST_F(ImageTest, DefaultFlagsAndAutoMidHandle) {
  const PngSample sample{4, 2, PNG_COLOR_TYPE_RGB, 8, std::vector<uint8_t>(24, 7)};
  ImagePtr image = Load(sample, kImageDefaultFlags);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Flags(), kImageMasked | kImageFiltered);
  EXPECT_EQ(image->HandleX(), 0);

  AutoMidHandle(true);
  image = Load(sample, 6);
  EXPECT_EQ(image->Flags(), 6);
  EXPECT_EQ(image->HandleX(), 2);
  EXPECT_EQ(image->HandleY(), 1);
  ImagePtr blank = CreateImage(5, 3, 1, kImageDynamic);
  EXPECT_EQ(blank->HandleX(), 2.5f);
  EXPECT_EQ(blank->HandleY(), 1.5f);
}

TEST_F(ImageTest, MissingOrBrokenFilesGiveNoImage) {
  EXPECT_FALSE(LoadImage(dir_.Path("absent.png")));

  const std::string garbage = dir_.Path("garbage.png");
  std::ofstream(garbage) << "this is no picture";
  EXPECT_FALSE(LoadImage(garbage));

  // A real PNG cut off in the middle of its pixel data.
  const std::string whole = dir_.Path("whole.png");
  PngSample big{64, 64, PNG_COLOR_TYPE_RGB_ALPHA, 8, {}};
  for (int i = 0; i < 64 * 64 * 4; ++i) big.rows.push_back(static_cast<uint8_t>(i * 7919 >> 3));
  ASSERT_TRUE(WriteTestPng(whole, big));
  std::ifstream in(whole, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const std::string cut = dir_.Path("cut.png");
  std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  EXPECT_FALSE(LoadImage(cut));
  EXPECT_TRUE(LoadImage(whole));
}

TEST_F(ImageTest, CreatedImagesAreTransparentAndEditable) {
  ImagePtr image = CreateImage(3, 2, 2, kImageDefaultFlags);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Frames(), 2);
  EXPECT_EQ(image->Flags(), 3);
  PixelBuffer second = LockImage(image, 1);
  EXPECT_EQ(ReadPixel(second, 2, 1), 0u);
  WritePixel(second, 2, 1, 0xFF123456u);
  WritePixel(second, 3, 1, 0xFFFFFFFFu);  // outside: ignored
  UnlockImage(image);
  EXPECT_EQ(ReadPixel(LockImage(image, 1), 2, 1), 0xFF123456u);
  EXPECT_EQ(ReadPixel(LockImage(image, 0), 2, 1), 0u);
  EXPECT_EQ(ReadPixel(second, -1, 0), 0u);
  EXPECT_EQ(LockImage(image, 2).pixels, nullptr);

  EXPECT_FALSE(CreateImage(-1, 4));
  EXPECT_FALSE(CreateImage(4, 4, 0));
  EXPECT_EQ(ImageWidth(nullptr), 0);
}

TEST_F(ImageTest, SavedPngLoadsBackIdenticallyWithStableBytes) {
  ImagePtr image = CreateImage(3, 2, 1, 0);
  PixelBuffer pixels = LockImage(image);
  WritePixel(pixels, 0, 0, 0xFF102030u);
  WritePixel(pixels, 2, 1, 0x80FFFFFFu);
  UnlockImage(image);
  const std::string a = dir_.Path("a.png"), b = dir_.Path("b.png");
  ASSERT_TRUE(SavePNG(*image, a));
  ASSERT_TRUE(SavePNG(*image, b));
  ImagePtr back = LoadImage(a, 0);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Width(), 3);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Pixel(back, x, y), Pixel(image, x, y));
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(fa), {}),
            std::string(std::istreambuf_iterator<char>(fb), {}));
  EXPECT_FALSE(SavePNG(*image, dir_.Path("no/such/dir.png")));
}

}  // namespace
}  // namespace media
