#pragma once
// An input source for the tests of the input hook: it holds B exactly while A is held, and notes
// the times it is fed at.
#include <cstdint>
#include <vector>

#include "media/input.h"

class FollowingSource : public media::InputSource {
 public:
  void Feed(media::InputState& input, uint32_t nowMs) override {
    input.KeyEvent(kFollower, input.KeyDown(kLeader) == 1);
    fedAt.push_back(nowMs);
  }
  static constexpr int kLeader = media::kKeyA;
  static constexpr int kFollower = media::kKeyA + 1;
  std::vector<uint32_t> fedAt;
};
