#include <gtest/gtest.h>

#include "media/draw.h"

namespace media {
namespace {

ImagePtr Box(int w, int h, uint32_t argb = 0xFF050505u) {
  ImagePtr image = CreateImage(w, h, 1, kImageDynamic);
  std::fill_n(image->Pixels(0), w * h, argb);
  MidHandleImage(image);
  return image;
}

bool Collide(const ImagePtr& a, float ax, float ay, float aRot, const ImagePtr& b, float bx,
             float by, float bRot, float aSx = 1, float aSy = 1) {
  return ImagesCollide(a, ax, ay, 0, aRot, aSx, aSy, b, bx, by, 0, bRot, 1, 1);
}

TEST(CollideTest, AxisAlignedBoxesOverlapOnlyWhenTheyShareAPixel) {
  ImagePtr a = Box(10, 10), b = Box(10, 10);
  EXPECT_TRUE(Collide(a, 0, 0, 0, b, 9, 0, 0));
  EXPECT_FALSE(Collide(a, 0, 0, 0, b, 10, 0, 0));  // edges touch, no pixel shared
  EXPECT_FALSE(Collide(a, 0, 0, 0, b, 0, -10, 0));
  EXPECT_TRUE(Collide(a, -1000, 500, 0, b, -995, 505, 0));                // off screen still counts
  EXPECT_FALSE(ImagesCollide(a, 0, 0, 1, 0, 1, 1, b, 0, 0, 0, 0, 1, 1));  // no such frame
  EXPECT_FALSE(ImagesCollide(nullptr, 0, 0, 0, 0, 1, 1, b, 0, 0, 0, 0, 1, 1));
}

TEST(CollideTest, RotatedBoxesUseTheirTurnedOutline) {
  ImagePtr square = Box(20, 20), dot = Box(2, 2);
  // (12, 12) lies in the square's corner, which a 45 degree turn swings away.
  EXPECT_TRUE(Collide(square, 0, 0, 0, dot, 8, 8, 0));
  EXPECT_FALSE(Collide(square, 0, 0, 45, dot, 8, 8, 0));
  EXPECT_TRUE(Collide(square, 0, 0, 45, dot, 12, 0, 0));  // the turned corner reaches 14.1
  EXPECT_FALSE(Collide(square, 0, 0, 0, dot, 12, 0, 0));

  // The game's tall and wide blocks: standing side by side they miss, tipped over they meet.
  ImagePtr tall = Box(25, 90), wide = Box(50, 40);
  EXPECT_FALSE(Collide(tall, 100, 400, 0, wide, 150, 400, 0));
  EXPECT_TRUE(Collide(tall, 100, 400, 90, wide, 150, 400, 0));
  EXPECT_TRUE(Collide(tall, 100, 400, 0, wide, 150, 400, 0, 3, 1));  // widened by scale
}

TEST(CollideTest, OnlyOpaquePixelsCountAndMirroringMovesThem) {
  // Left half opaque, right half transparent; the handle at the centre.
  ImagePtr half = Box(10, 10, 0);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 5; ++x) half->Pixels(0)[y * 10 + x] = 0xFFFFFFFFu;
  ImagePtr dot = Box(2, 2);
  EXPECT_FALSE(Collide(half, 0, 0, 0, dot, 3, 0, 0));
  EXPECT_TRUE(Collide(half, 0, 0, 0, dot, -3, 0, 0));
  EXPECT_TRUE(Collide(half, 0, 0, 0, dot, 3, 0, 0, -1, 1));
  EXPECT_FALSE(Collide(half, 0, 0, 0, dot, -3, 0, 0, -1, 1));

  ImagePtr faint = Box(10, 10, 0x7FFFFFFFu);  // alpha just under one half
  EXPECT_FALSE(Collide(faint, 0, 0, 0, dot, 0, 0, 0));
}

}  // namespace
}  // namespace media
