#include "media/frame_pacer.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePacer, SixtyHertzSpreadsTheRemainderOverFrames) {
  media::FramePacer pacer;
  pacer.Start(60, 1000);
  uint32_t now = 1000;
  // period 16, remainder 40: the accumulator reaches 60 on two frames out of three.
  const int steps[] = {16, 17, 17, 16, 17, 17};
  for (int step : steps) {
    uint32_t due = pacer.DueTime() + step;
    EXPECT_EQ(pacer.NextWait(now), static_cast<int>(due - now));
    now = due;  // slept exactly until the due time
  }
  EXPECT_EQ(now, 1100u);
}

TEST(FramePacer, LateFramesPullTheDueTimeBackToTheClock) {
  media::FramePacer pacer;
  pacer.Start(100, 0);
  EXPECT_EQ(pacer.NextWait(3), 7);
  EXPECT_EQ(pacer.NextWait(50), 0);  // due 20, 30 ms late: no sleep, no catching up later
  EXPECT_EQ(pacer.DueTime(), 50u);
  EXPECT_EQ(pacer.NextWait(52), 8);
}

TEST(FramePacer, WorksAcrossTheClockWrap) {
  media::FramePacer pacer;
  pacer.Start(50, 0xfffffff0u);
  EXPECT_EQ(pacer.NextWait(0xfffffff8u), 12);
  EXPECT_EQ(pacer.DueTime(), 4u);
  EXPECT_FALSE(media::FramePacer().Active());
}

}  // namespace
