// The house plate: flat fill, one shade step below, dark outline inside its rectangle.
#include <gtest/gtest.h>

#include "artkit.h"

namespace {

uint32_t PixelAt(const artkit::Canvas& canvas, int x, int y) {
  return canvas.StraightArgb()[static_cast<size_t>(y) * canvas.Width() + x];
}

int Brightness(uint32_t argb) {
  return ((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF);
}

TEST(ArtkitPlate, FillsWithOneShadeStepBelowAndOutlinesInside) {
  artkit::Canvas canvas(60, 40);
  artkit::DrawPlate(canvas.Cairo(), 0, 0, 60, 40, 8, 0xFF80C040, 0xFF101010, 3, 0.5);
  EXPECT_EQ(PixelAt(canvas, 30, 10), 0xFF80C040u);
  EXPECT_EQ(PixelAt(canvas, 30, 30), artkit::Shade(0xFF80C040u, 0.78));
  EXPECT_LT(Brightness(PixelAt(canvas, 30, 30)), Brightness(PixelAt(canvas, 30, 10)));
  EXPECT_EQ(PixelAt(canvas, 30, 1), 0xFF101010u);  // outline on the top edge
  EXPECT_EQ(PixelAt(canvas, 0, 0) >> 24, 0u);      // rounded corner stays clear
}

TEST(ArtkitPlate, ASquarePlateIsOpaqueToItsCornerPixels) {
  artkit::Canvas canvas(30, 10);
  artkit::DrawPlate(canvas.Cairo(), 0, 0, 30, 10, 0, 0xFFC0B090, 0xFF101010, 3);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(PixelAt(canvas, x, y) >> 24, 255u) << x << "," << y;
}

TEST(ArtkitPlate, ShadeScalesColourAndKeepsAlpha) {
  EXPECT_EQ(artkit::Shade(0x80FF8040u, 0.5), 0x80804020u);
  EXPECT_EQ(artkit::Shade(0xFF102030u, 0.0), 0xFF000000u);
}

}  // namespace
