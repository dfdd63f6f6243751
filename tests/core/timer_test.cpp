#include "core/timer.h"

#include <gtest/gtest.h>

#include "media/backend.h"
#include "media/headless_backend.h"
#include "media/system.h"

namespace {

// The headless backend's clock is virtual: sleeping advances it by exactly the time asked.
class TimerTest : public testing::Test {
 protected:
  void SetUp() override { media::UseBackend(media::MakeHeadlessBackend({})); }
};

TEST_F(TimerTest, ScaledTimeFollowsTheSpeed) {
  auto timer = TTimer::Create();
  ASSERT_NE(timer, nullptr);
  media::Sleep(20);
  timer->Update();
  EXPECT_EQ(timer->GetElapsed(true), 20);
  EXPECT_EQ(timer->GetElapsed(false), 20);

  timer->SetSpeed(0.5f, 0);
  EXPECT_EQ(timer->GetSpeed(), 0.5f);
  media::Sleep(20);
  timer->Update();
  EXPECT_EQ(timer->GetDelta(true), 20);
  EXPECT_EQ(timer->GetDelta(false), 10);
  EXPECT_EQ(timer->GetElapsed(false), 30);
}

TEST_F(TimerTest, SpeedZeroFreezesScaledTimeOnly) {
  auto timer = TTimer::Create();
  media::Sleep(7);
  timer->Update();
  timer->SetSpeed(0, 0);
  media::Sleep(33);
  timer->Update();
  EXPECT_EQ(timer->GetElapsed(true), 40);
  EXPECT_EQ(timer->GetDelta(true), 33);
  EXPECT_EQ(timer->GetDelta(false), 0);
  EXPECT_EQ(timer->GetElapsed(false), 7);
}

TEST_F(TimerTest, SecondUpdateInTheSameMillisecondHasNoDelta) {
  auto timer = TTimer::Create();
  media::Sleep(500);  // a long load: the first delta is large
  timer->Update();
  EXPECT_EQ(timer->GetDelta(true), 500);
  timer->Update();
  EXPECT_EQ(timer->GetDelta(true), 0);
  EXPECT_EQ(timer->GetDelta(false), 0);
  EXPECT_EQ(timer->GetElapsed(true), 500);
}

}  // namespace
