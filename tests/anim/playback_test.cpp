// Starting animations and moving through their key frames against the clock.
#include <gtest/gtest.h>

#include <limits>

#include "anim/anim_state.h"
#include "skeleton.h"

namespace {

struct PlaybackTest : ::testing::Test {
  PlaybackTest() : set(MakeSet({0})) {
    // 0: four key frames of 250 ms; 1: two key frames; 2: a single key frame; 3: all 0 ms.
    AddAnim(*set, {MakeFrame(*set, 250), MakeFrame(*set, 250), MakeFrame(*set, 250),
                   MakeFrame(*set, 250)});
    AddAnim(*set, {MakeFrame(*set, 100), MakeFrame(*set, 100)});
    AddAnim(*set, {MakeFrame(*set, 40)});
    AddAnim(*set, {MakeFrame(*set, 0), MakeFrame(*set, 0), MakeFrame(*set, 0)});
    state = AnimState::Create(set);
  }
  VBAFramePtr Frame(int anim, int n) const { return set->anims[anim]->GetFrame(n); }

  VBAPtr set;
  std::shared_ptr<AnimState> state;
};

TEST_F(PlaybackTest, PlayStartsOnTheFirstKeyFrameTimedByItsDuration) {
  EXPECT_EQ(AnimState::Create(nullptr), nullptr);
  EXPECT_EQ(state->Play(0, 1000.7f, 1, 0, 0), 1);
  EXPECT_EQ(state->currentFrame, Frame(0, 0));
  EXPECT_EQ(state->nextFrame, Frame(0, 1));
  EXPECT_EQ(state->frameStart, 1000);
  EXPECT_EQ(state->frameEnd, 1250);
  EXPECT_EQ(state->finished, 0);

  state->Play(0, 1000, 1, 0,
              500);  // the whole animation in 500 ms: twice the speed
  EXPECT_FLOAT_EQ(state->speed, 2.0f);
  EXPECT_EQ(state->frameEnd, 1125);
  state->Play(0, 1000, 1, 0, 0);
  EXPECT_FLOAT_EQ(state->speed, 1.0f);
}

TEST_F(PlaybackTest, OutOfRangeIndicesAreRefusedAndMinusOneStops) {
  state->Play(1, 0, 0, 0, 0);
  EXPECT_EQ(state->Play(4, 0, 0, 0, 0), 0);
  EXPECT_EQ(state->Play(-2, 0, 0, 0, 0), 0);
  EXPECT_EQ(state->animIndex, 1);
  EXPECT_EQ(state->Play(-1, 0, 0, 0, 0), 1);
  EXPECT_EQ(state->animIndex, -1);
  state->Update(5000);
  EXPECT_EQ(state->currentFrame, Frame(1, 0));  // stopped: nothing moves
}

TEST_F(PlaybackTest, AOneFrameAnimationHoldsAndIsFinishedOnlyWithoutLoop) {
  state->Play(2, 0, 0, 0, 0);
  EXPECT_EQ(state->finished, 1);
  EXPECT_EQ(state->frameEnd, 0);
  state->Play(2, 0, 1, 0, 0);
  EXPECT_EQ(state->finished, 0);
  EXPECT_EQ(state->frameEnd, 0);
  EXPECT_EQ(state->nextFrame, nullptr);
}

TEST_F(PlaybackTest, ALateUpdateCatchesUpOverManyLoops) {
  state->Play(0, 0.5f, 1, 0, 0);
  state->Update(10000.5f);  // ten cycles of one second later
  EXPECT_GE(state->frameEnd, 10000);
  EXPECT_EQ(state->frameStart, 10000);
  EXPECT_EQ(state->frameEnd, 10250);
  EXPECT_EQ(state->currentFrame, Frame(0, 0));
  EXPECT_EQ(state->nextFrame, Frame(0, 1));
  state->Update(10760);
  EXPECT_EQ(state->currentFrame, Frame(0, 3));
  EXPECT_EQ(state->nextFrame, Frame(0, 0));  // the last key frame blends back into the first
  EXPECT_EQ(state->finished, 0);
}

TEST_F(PlaybackTest, AOneShotStopsOnItsLastKeyFrame) {
  state->Play(1, 0, 0, 0, 0);
  state->Update(100);  // frameEnd is not before now yet
  EXPECT_EQ(state->currentFrame, Frame(1, 0));
  state->Update(150);
  EXPECT_EQ(state->currentFrame, Frame(1, 1));
  EXPECT_EQ(state->frameEnd, 0);
  EXPECT_EQ(state->finished, 1);
  state->Update(9000);
  EXPECT_EQ(state->currentFrame, Frame(1, 1));
}

TEST_F(PlaybackTest, BlendingInStartsFromTheKeyFrameReachedSoFar) {
  state->Play(0, 0, 1, 0, 0);
  state->Update(600);  // in key frame 2 of animation 0
  state->Play(1, 600, 0, 100, 0);
  EXPECT_EQ(state->currentFrame, Frame(0, 2));
  EXPECT_EQ(state->nextFrame, Frame(1, 0));
  EXPECT_EQ(state->frameStart, 600);
  EXPECT_EQ(state->frameEnd, 700);
  state->Update(750);
  EXPECT_EQ(state->currentFrame, Frame(1, 0));
  EXPECT_EQ(state->nextFrame, Frame(1, 1));
  EXPECT_EQ(state->frameEnd, 800);
}

TEST_F(PlaybackTest, BlendingOnAStateThatNeverPlayedWaitsForAPlainPlay) {
  state->Play(0, 0, 1, 100, 0);
  EXPECT_EQ(state->currentFrame, nullptr);
  state->Update(1000);
  EXPECT_EQ(state->currentFrame, nullptr);
  state->Play(0, 1000, 1, 0, 0);
  EXPECT_EQ(state->currentFrame, Frame(0, 0));
}

TEST_F(PlaybackTest, LoopsOfZeroLengthKeyFramesHoldInsteadOfSpinning) {
  state->Play(3, 100, 1, 0, 0);  // every key frame lasts 0 ms
  state->Update(1000);
  EXPECT_EQ(state->frameEnd, 0);
  EXPECT_EQ(state->finished, 0);
  ASSERT_NE(state->currentFrame, nullptr);

  EXPECT_EQ(state->PlayAtSpeed(0, 0, 1, 0, 0), 0);
  EXPECT_EQ(state->PlayAtSpeed(0, 0, 1, 0, -1), 0);
  EXPECT_EQ(state->PlayAtSpeed(0, 100, 1, 0, 1000),
            1);  // 250 / 1000 truncates to 0 ms
  state->Update(150);
  EXPECT_EQ(state->frameEnd, 0);

  EXPECT_EQ(state->PlayAtSpeed(0, 0, 1, 0, 0.5f), 1);
  EXPECT_EQ(state->frameEnd, 500);
}

// Key frames that would end beyond the int32 clock end at its edge and hold there: converting
// their times unclamped wrapped them into the past and ran the animation out at once.
TEST_F(PlaybackTest, KeyFramesEndingBeyondTheClocksRangeHold) {
  constexpr int32_t kLatest = std::numeric_limits<int32_t>::max();
  ASSERT_EQ(state->PlayAtSpeed(1, 0, 0, 0, 1e-30f), 1);  // a crawl
  EXPECT_EQ(state->frameEnd, kLatest);
  state->Update(1e6f);
  EXPECT_EQ(state->currentFrame, Frame(1, 0));
  EXPECT_EQ(state->finished, 0);

  Frame(1, 1)->duration = kLatest;
  state->Play(1, 0, 1, 0, 0);
  state->Update(150);  // into the endless key frame of a loop
  EXPECT_EQ(state->currentFrame, Frame(1, 1));
  EXPECT_EQ(state->frameEnd, kLatest);
  state->Update(1e6f);
  EXPECT_EQ(state->currentFrame, Frame(1, 1));

  state->Play(0, 2.1e9f, 1, 100000000, 0);  // a long blend late in a very long run
  EXPECT_EQ(state->frameStart, 2100000000);
  EXPECT_EQ(state->frameEnd, kLatest);
}

}  // namespace
