// Trimmed images must draw exactly as the originals did, whatever the transform.
#include <gtest/gtest.h>

#include <vector>

#include "media/draw.h"

namespace media {
namespace {

class TrimTest : public testing::Test {
 protected:
  void SetUp() override { ResetRenderState(); }
  void TearDown() override {
    SetDrawTarget(nullptr);
    ResetRenderState();
  }

  // What the image leaves on a grey 64 x 64 target.
  static std::vector<uint32_t> Drawn(const ImagePtr& image, float x, float y) {
    ImagePtr target = CreateImage(64, 64, 1, 0);
    std::fill_n(target->Pixels(0), 64 * 64, 0xFF808080u);
    SetDrawTarget(target);
    DrawImage(image, x, y);
    SetDrawTarget(nullptr);
    const uint32_t* pixels = target->Pixels(0);
    return {pixels, pixels + 64 * 64};
  }
};

// A 40 x 30 picture with a soft-edged blob well inside it.
ImagePtr Blob(int flags) {
  ImagePtr image = CreateImage(40, 30, 2, flags);
  for (int f = 0; f < 2; ++f) {
    PixelBuffer pixels = LockImage(image, f);
    for (int y = 11; y < 19; ++y)
      for (int x = 14 + f; x < 23 + 2 * f; ++x)
        WritePixel(pixels, x, y, uint32_t(60 + 20 * (x % 8)) << 24 | (x * 9) << 16 | y * 7);
  }
  SetImageHandle(image, 20, 15);
  return image;
}

TEST_F(TrimTest, CutsToTheContentOfEveryFrameAndDrawsTheSame) {
  const ImagePtr image = Blob(kImageFiltered);
  const ImagePtr trimmed = TrimTransparentEdges(image);
  ASSERT_TRUE(trimmed);
  // Frame 1 reaches further right; one transparent texel of margin on every side.
  EXPECT_EQ(ImageWidth(trimmed), 25 - 14 + 2);
  EXPECT_EQ(ImageHeight(trimmed), 19 - 11 + 2);
  EXPECT_EQ(trimmed->Frames(), 2);
  EXPECT_EQ(trimmed->Flags(), kImageFiltered);

  struct Pose {
    int blend;
    float angle, sx, sy;
  };
  const Pose poses[] = {{kBlendAlpha, 0, 1, 1},     {kBlendAlpha, 33, 1.7f, 1.7f},
                        {kBlendAlpha, 0, -1, 2.5f}, {kBlendLight, 200, 0.6f, 0.9f},
                        {kBlendShade, 90, 1, 1},    {kBlendMask, 12, 2, 2}};
  for (const Pose& pose : poses) {
    SetBlend(pose.blend);
    SetTransform(pose.angle, pose.sx, pose.sy);
    EXPECT_EQ(Drawn(trimmed, 31.5f, 30.25f), Drawn(image, 31.5f, 30.25f))
        << "blend " << pose.blend << " angle " << pose.angle;
  }
}

TEST_F(TrimTest, EmptyAndFullImages) {
  const ImagePtr empty = CreateImage(800, 600, 1, 0);
  const ImagePtr cut = TrimTransparentEdges(empty);
  SetBlend(kBlendAlpha);
  EXPECT_EQ(ImageWidth(cut), 2);  // one texel and its margin, nothing drawn
  EXPECT_EQ(Drawn(cut, 0, 0), Drawn(empty, 0, 0));

  const ImagePtr full = CreateImage(5, 5, 1, 0);
  std::fill_n(full->Pixels(0), 25, 0xFF102030u);
  EXPECT_EQ(TrimTransparentEdges(full), full);  // nothing to cut: the same image
  EXPECT_EQ(TrimTransparentEdges(nullptr), nullptr);
}

}  // namespace
}  // namespace media
