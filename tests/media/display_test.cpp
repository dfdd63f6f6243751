#include "media/display.h"

#include <gtest/gtest.h>

#include "media/draw.h"
#include "media/headless_backend.h"
#include "media/input.h"
#include "media/system.h"
#include "temp_dir.h"

namespace {

TEST(Display, FlipMinusOnePacesSixtyHertzOnTheVirtualClock) {
  std::vector<uint32_t> presented;
  media::HeadlessOptions options;
  options.onPresent = [&](uint32_t ms) { presented.push_back(ms); };
  media::UseBackend(media::MakeHeadlessBackend(options));
  media::Sleep(5);
  media::DisplayPtr display = media::OpenDisplay(800, 600, 0, 60, 0);
  ASSERT_TRUE(display);
  EXPECT_EQ(display->refreshRate, 60);
  for (int frame = 0; frame < 6; ++frame) media::Flip(-1);
  EXPECT_EQ(presented, (std::vector<uint32_t>{21, 38, 55, 71, 88, 105}));

  // A frame that took too long is shown at once and the pacing starts again from there.
  media::Sleep(50);
  media::Flip(-1);
  media::Flip(-1);
  EXPECT_EQ(presented[6], 155u);
  EXPECT_EQ(presented[7], 172u);  // 16 plus the carried accumulator

  media::Flip(0);
  media::Flip(1);
  EXPECT_EQ(presented.back(), 172u);  // only flip -1 waits here
}

TEST(Display, FullScreenCentresThePointer) {
  media::UseBackend(media::MakeHeadlessBackend({}));
  media::DisplayPtr display = media::OpenDisplay(800, 600, 32, 60, 0);
  ASSERT_TRUE(display);
  EXPECT_EQ(media::MouseX(), 400);
  EXPECT_EQ(media::MouseY(), 300);
}

TEST(Display, FlipPresentsTheBackBuffer) {
  TempDir dir;
  media::HeadlessOptions options;
  options.shots = {{0, dir.File("frame.png")}};
  media::UseBackend(media::MakeHeadlessBackend(options));
  ASSERT_TRUE(media::OpenDisplay(800, 600, 0, 60, 0));
  media::SetClearColor(10, 20, 30);
  media::Clear();
  media::Flip(-1);
  media::ImagePtr shot = media::LoadImage(dir.File("frame.png"), 0);
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->Width(), 800);
  EXPECT_EQ(shot->Height(), 600);
  EXPECT_EQ(shot->Pixels(0)[600 * 400], 0xff0a141eu);
  media::ResetRenderState();
}

}  // namespace
