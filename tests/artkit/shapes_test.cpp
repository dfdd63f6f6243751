// Ellipses, centred text and the seeded generator the scenery and menu sources rely on.
#include <gtest/gtest.h>

#include "artkit.h"

namespace {

uint32_t AlphaAt(const artkit::Canvas& canvas, int x, int y) {
  return canvas.StraightArgb()[static_cast<size_t>(y) * canvas.Width() + x] >> 24;
}

TEST(ArtkitShapes, EllipseCoversItsAxesOnly) {
  artkit::Canvas canvas(40, 20);
  artkit::EllipsePath(canvas.Cairo(), 20, 10, 18, 8);
  artkit::SetColor(canvas.Cairo(), 0xFF000000);
  cairo_fill(canvas.Cairo());
  EXPECT_EQ(AlphaAt(canvas, 20, 10), 255u);
  EXPECT_EQ(AlphaAt(canvas, 4, 10), 255u);
  EXPECT_EQ(AlphaAt(canvas, 20, 1), 0u);  // above the short axis
  EXPECT_EQ(AlphaAt(canvas, 2, 2), 0u);   // the corner
}

TEST(ArtkitShapes, CentredTextIsBalancedAroundItsCentre) {
  artkit::Canvas canvas(200, 40);
  artkit::DrawCentredText(canvas.Cairo(), "HOLA", 100, 30, 24, 0xFFFFFFFF, 0xFF000000, 2);
  std::vector<uint32_t> pixels = canvas.StraightArgb();
  int left = 200, right = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x)
      if (pixels[y * 200 + x] >> 24) left = std::min(left, x), right = std::max(right, x);
  EXPECT_NEAR((left + right) / 2.0, 100, 4);
}

TEST(ArtkitRng, SameSeedSameSequenceAndValuesInRange) {
  artkit::Rng a(42), b(42), c(43);
  bool differs = false;
  bool sawLow = false, sawHigh = false;
  for (int i = 0; i < 1000; ++i) {
    uint64_t value = a.Next();
    EXPECT_EQ(value, b.Next());
    differs |= value != c.Next();
    double u = a.Uniform(-2, 3);
    b.Uniform(-2, 3);
    EXPECT_GE(u, -2);
    EXPECT_LT(u, 3);
    int k = a.Int(1, 4);
    b.Int(1, 4);
    ASSERT_GE(k, 1);
    ASSERT_LE(k, 4);
    sawLow |= k == 1, sawHigh |= k == 4;
  }
  EXPECT_TRUE(differs);
  EXPECT_TRUE(sawLow && sawHigh);
}

}  // namespace
