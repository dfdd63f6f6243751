// The effects of frames played again: started once whatever the replays, the second of a kind in
// a frame told from the first, and those of a wrong guess forgotten once the replay leaves them
// out.
#include "game/heard_effects.h"

#include <gtest/gtest.h>

namespace {

struct Starts {
  int count = 0;
  std::function<media::Channel()> Play() {
    return [this] { return media::Channel{count++, 7}; };
  }
};

TEST(HeardEffects, AReplayedFrameStartsNothingTwiceAndWrongGuessesAreCut) {
  game::HeardEffects heard;
  Starts starts;
  heard.Begin(10);
  const media::Channel jump = heard.Route(SoundEffect::kJump, starts.Play());
  const media::Channel secondJump = heard.Route(SoundEffect::kJump, starts.Play());
  heard.Begin(11);
  heard.Route(SoundEffect::kDive, starts.Play());
  EXPECT_EQ(starts.count, 3);

  // Back to frame 10: both jumps come again and are the ones already sounding; frame 11's dive
  // does not, so it is cut.
  heard.Rewind(10);
  heard.Begin(10);
  EXPECT_EQ(heard.Route(SoundEffect::kJump, starts.Play()).slot, jump.slot);
  EXPECT_EQ(heard.Route(SoundEffect::kJump, starts.Play()).slot, secondJump.slot);
  heard.Begin(11);
  heard.Route(SoundEffect::kLand, starts.Play());
  EXPECT_EQ(starts.count, 4) << "only the land is new";
  heard.CutUnheard();
  EXPECT_EQ(heard.Count(), 3u);

  heard.Forget(11);
  EXPECT_EQ(heard.Count(), 1u) << "frame 10 is confirmed";
}

}  // namespace
