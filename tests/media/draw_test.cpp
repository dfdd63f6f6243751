#include "media/draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace media {
namespace {

// Each test draws into a small target of its own; the back buffer stays untouched.
class DrawTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetRenderState();
    target_ = CreateImage(32, 32, 1, 0);
    SetDrawTarget(target_);
  }
  void TearDown() override {
    SetDrawTarget(nullptr);
    ResetRenderState();
  }

  static ImagePtr Solid(int w, int h, uint32_t argb, int flags = 0) {
    ImagePtr image = CreateImage(w, h, 1, flags);
    std::fill_n(image->Pixels(0), w * h, argb);
    return image;
  }
  void Fill(int r, int g, int b) {
    SetClearColor(r, g, b);
    Clear();
  }
  uint32_t At(int x, int y) const { return ReadPixel(LockImage(target_), x, y); }
  // Draws a 1 x 1 pixel of the given colour at (5, 5) and returns the result there.
  uint32_t DrawOne(uint32_t argb) {
    DrawImage(Solid(1, 1, argb), 5, 5);
    return At(5, 5);
  }

  ImagePtr target_;
};

// Channels may be off by one from rounding in fixed point.
void ExpectNear(uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8)
    EXPECT_NEAR(int(actual >> shift & 0xff), int(expected >> shift & 0xff), 1)
        << std::hex << "actual " << actual << " expected " << expected;
}

TEST_F(DrawTest, SolidReplacesAndTintMultipliesIn) {
  Fill(0, 100, 200);
  EXPECT_EQ(DrawOne(0xFFC86432u), 0xFFC86432u);
  SetColor(255, 128, 0);
  ExpectNear(DrawOne(0xFFC86432u), 0xFFC83200u);
  SetColor(255, 255, 255);
  SetBlend(7);  // unknown modes draw solid
  SetAlpha(0.3f);
  EXPECT_EQ(DrawOne(0x80102030u), 0x80102030u);
  SetAlpha(-0.1f);  // below 0 nothing is drawn
  EXPECT_EQ(DrawOne(0xFFFFFFFFu), 0x80102030u);
}

TEST_F(DrawTest, MaskTestsAlphaAtOneHalfWithoutBlending) {
  Fill(0, 0, 0);
  SetBlend(kBlendMask);
  SetAlpha(0.2f);                                // mask mode ignores the render alpha
  EXPECT_EQ(DrawOne(0x66FFFFFFu), 0xFF000000u);  // alpha 0.4: not drawn
  EXPECT_EQ(DrawOne(0x99C86432u), 0x99C86432u);  // alpha 0.6: replaces
}

TEST_F(DrawTest, AlphaLightAndShadeFollowTheirFormulas) {
  Fill(0, 100, 200);
  SetBlend(kBlendAlpha);
  SetAlpha(0.5f);
  ExpectNear(DrawOne(0xFFC86432u), 0xFF64647Du);
  SetAlpha(3);  // clamped to opaque
  EXPECT_EQ(DrawOne(0xFF102030u), 0xFF102030u);
  Fill(0, 100, 200);
  SetAlpha(1);
  ExpectNear(DrawOne(0x80C86432u), 0xFF64647Du);  // the pixel's own alpha counts too

  Fill(0, 0, 0);
  SetBlend(kBlendLight);
  SetAlpha(0.5f);
  ExpectNear(DrawOne(0xFFC86432u), 0xFF643219u);  // over black: source times alpha
  SetAlpha(1);
  ExpectNear(DrawOne(0xFFC86432u), 0xFFFF964Bu);  // adds and saturates

  Fill(200, 100, 50);
  SetBlend(kBlendShade);
  ExpectNear(DrawOne(0xFF80FF00u), 0xFF646400u);
  Fill(200, 100, 50);
  SetAlpha(0.5f);
  ExpectNear(DrawOne(0xFF80FF00u), 0xFF966419u);  // half way to unchanged
}

// A 4 x 2 image whose texel (x, y) holds the value 0xFF000000 + 16 * y + x.
ImagePtr Numbered(int flags) {
  ImagePtr image = CreateImage(4, 2, 1, flags);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) image->Pixels(0)[y * 4 + x] = 0xFF000000u + 16 * y + x;
  return image;
}

TEST_F(DrawTest, PlacementPutsTheHandleOnThePoint) {
  Fill(0, 0, 0);
  ImagePtr image = Numbered(kImageFiltered);  // pixel-exact draws never filter
  SetImageHandle(image, 1, 1);
  DrawImage(image, 10, 10);
  EXPECT_EQ(At(9, 9), 0xFF000000u);
  EXPECT_EQ(At(12, 10), 0xFF000013u);
  EXPECT_EQ(At(13, 10), 0xFF000000u);

  Fill(0, 0, 0);
  image = Numbered(0);
  SetImageHandle(image, 1, 1);
  SetRotation(90);  // texel (u, v) lands on column 10 - v, row 9 + u
  DrawImage(image, 10, 10);
  EXPECT_EQ(At(10, 9), 0xFF000000u);
  EXPECT_EQ(At(9, 12), 0xFF000013u);
  EXPECT_EQ(At(10, 11), 0xFF000002u);
  EXPECT_EQ(At(11, 9), 0xFF000000u);
}

TEST_F(DrawTest, NegativeScalesMirrorAboutTheHandle) {
  Fill(0, 0, 0);
  ImagePtr image = Numbered(0);
  SetImageHandle(image, 1, 1);
  SetScale(-1, 1);  // texel u lands on column 10 - u
  DrawImage(image, 10, 10);
  EXPECT_EQ(At(10, 9), 0xFF000000u);
  EXPECT_EQ(At(7, 10), 0xFF000013u);
  EXPECT_EQ(At(11, 9), 0xFF000000u);

  Fill(0, 0, 0);
  SetImageHandle(image, 0, 0);
  SetScale(2, -2);  // each texel covers 2 x 2 pixels, rows growing upwards
  DrawImage(image, 10, 10);
  EXPECT_EQ(At(10, 9), 0xFF000000u);
  EXPECT_EQ(At(17, 8), 0xFF000003u);
  EXPECT_EQ(At(16, 7), 0xFF000013u);
  EXPECT_EQ(At(17, 6), 0xFF000013u);
  EXPECT_EQ(At(17, 10), 0xFF000000u);
  EXPECT_EQ(At(18, 9), 0xFF000000u);
}

TEST_F(DrawTest, FilteredScalingBlendsNeighboursAndKeepsEdgesClean) {
  Fill(0, 0, 0);
  ImagePtr image = CreateImage(2, 1, 1, kImageFiltered);
  image->Pixels(0)[0] = 0xFF0000FFu;
  image->Pixels(0)[1] = 0x00FF0000u;  // transparent red must not tint the edge
  SetBlend(kBlendAlpha);
  SetScale(8, 8);
  DrawImage(image, 0, 0);
  EXPECT_EQ(At(2, 4), 0xFF0000FFu);
  const uint32_t middle = At(8, 4);
  EXPECT_EQ(middle >> 16 & 0xff, 0u);
  EXPECT_GT(middle & 0xff, 60u);
  EXPECT_LT(middle & 0xff, 200u);
}

// Filtered sampling reads a premultiplied copy that must follow the changes, also when the image
// was drawn while it was locked (the copy was made before the writes).
TEST_F(DrawTest, RewrittenPixelsShowAfterUnlock) {
  ImagePtr image = Solid(2, 2, 0xFF0000FFu, kImageFiltered);
  SetScale(4, 4);
  PixelBuffer pixels = LockImage(image);
  DrawImage(image, 0, 0);
  EXPECT_EQ(At(3, 3), 0xFF0000FFu);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) WritePixel(pixels, x, y, 0xFF00FF00u);
  UnlockImage(image);
  DrawImage(image, 0, 0);
  EXPECT_EQ(At(3, 3), 0xFF00FF00u);
}

TEST_F(DrawTest, DrawsIntoTheChosenTargetOnly) {
  ImagePtr back = BackBuffer();
  ASSERT_EQ(ImageWidth(back), 800);
  ASSERT_EQ(ImageHeight(back), 600);
  const uint32_t before = ReadPixel(LockImage(back), 1, 1);
  Fill(1, 2, 3);
  EXPECT_EQ(At(31, 31), 0xFF010203u);
  DrawImage(Solid(4, 4, 0xFFFFFFFFu), -2, -2);
  EXPECT_EQ(At(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(ReadPixel(LockImage(back), 1, 1), before);
  DrawImage(Solid(4, 4, 0xFFFFFFFFu), 1000, -5000);  // far off: clipped away
  SetScale(0, 1);
  DrawImage(Solid(4, 4, 0xFF00FF00u), 5, 5);  // zero scale: nothing
  EXPECT_EQ(At(5, 5), 0xFF010203u);
}

TEST(TextTest, FontCoversLatin1AndMeasuresLines) {
  const std::string names = Latin1("çº´¡áéíóúÁÉÍÓÚñÑüÜ¿");
  ASSERT_EQ(names.size(), 19u);
  EXPECT_EQ(names[0], '\xE7');
  for (char c : names) EXPECT_GT(TextWidth(std::string(1, c)), 0) << int(c);
  EXPECT_EQ(TextWidth("Ab"), TextWidth("A") + TextWidth("b"));
  EXPECT_EQ(TextWidth(""), 0);
  EXPECT_GT(TextBaseline(), TextCapHeight());
  EXPECT_LT(TextBaseline(), TextHeight());
}

// A black target of its own, drawn on with alpha blending from the default render state.
ImagePtr BlackTextTarget(int width, int height) {
  ResetRenderState();
  ImagePtr target = CreateImage(width, height, 1, 0);
  SetDrawTarget(target);
  SetClearColor(0, 0, 0);
  Clear();
  SetBlend(kBlendAlpha);
  return target;
}

// Text on the screen is read from a sofa: capitals of at least 18 px, standing on the baseline
// the font reports.
TEST(TextTest, CapitalsAreAtLeastEighteenPixelsTallAndStandOnTheBaseline) {
  ImagePtr target = BlackTextTarget(60, 60);
  DrawText("H", 10, 10);
  int top = 60, bottom = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x)
      if ((ReadPixel(LockImage(target), x, y) & 0xFF) > 128) top = std::min(top, y), bottom = y;
  SetDrawTarget(nullptr);
  EXPECT_GE(bottom - top + 1, 18);
  EXPECT_NEAR(bottom - top + 1, TextCapHeight(), 1);
  EXPECT_NEAR(bottom + 1, 10 + TextBaseline(), 1);
}

TEST(TextTest, TextDrawsInsideItsBoxWithTheRenderState) {
  ImagePtr target = BlackTextTarget(200, 40);
  SetColor(255, 0, 0);
  const std::string text = Latin1("Ñandú");
  DrawText(text, 10, 5);
  int lit = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      const uint32_t p = ReadPixel(LockImage(target), x, y);
      if ((p & 0xFFFFFF) == 0) continue;
      ++lit;
      EXPECT_EQ(p & 0xFFFF, 0u) << "tint must remove green and blue";
      EXPECT_TRUE(x >= 10 && x < 10 + TextWidth(text) && y >= 5 && y < 5 + TextHeight())
          << x << "," << y;
    }
  EXPECT_GT(lit, 50);
  SetDrawTarget(nullptr);
  ResetRenderState();
}

}  // namespace
}  // namespace media
