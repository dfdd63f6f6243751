#pragma once
// A match small enough to reason about, for rollback between machines: its state is a running hash
// of every frame's buttons, so two machines agree on a frame only when they played the same
// buttons in every frame before it. It keeps its states as the game does.
#include <cstdint>
#include <vector>

#include "net/rollback.h"

namespace nettest {

inline uint64_t HashStep(uint64_t state, const net::FrameInput& input) {
  constexpr uint64_t kPrime = 0x100000001b3ull;
  uint64_t mixed = state * kPrime;
  for (const bool pressed : input.buttons) mixed = (mixed ^ pressed) * kPrime;
  return (mixed ^ input.pause) * kPrime;
}

class HashMatch : public net::RollbackMatch {
 public:
  void Play(uint32_t frame, const net::FrameInput& input) {
    kept_.Keep(frame) = state_;
    state_ = HashStep(state_, input);
    after_.Keep(frame) = state_;
  }
  void Restore(uint32_t frame) override { state_ = *kept_.Find(frame); }
  void Replay(uint32_t frame, const net::FrameInput& input) override {
    ++replayed;
    Play(frame, input);
  }
  void Confirmed(uint32_t frame) override {
    outOfOrder |= frame != confirmed.size();
    confirmed.push_back(*after_.Find(frame));
  }

  std::vector<uint64_t> confirmed;  // the state after each confirmed frame, from frame 0
  bool outOfOrder = false;
  int replayed = 0;

 private:
  uint64_t state_ = 0;
  net::SnapshotRing<uint64_t> kept_;
  net::SnapshotRing<uint64_t> after_;
};

}  // namespace nettest
