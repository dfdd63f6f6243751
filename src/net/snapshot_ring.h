#pragma once
// The last few states of a match, each kept under the frame it stands before, so a late button can
// send the match back to that frame. The slots are reused in turn: keeping a state into a slot
// reuses what the slot's old state had made room for.
#include <array>
#include <cstdint>

namespace net {

// How many frames a machine may play on ahead of the last frame with everyone's buttons.
inline constexpr int kMostFramesAhead = 12;

template <class State, int kSlots = kMostFramesAhead + 1>
class SnapshotRing {
 public:
  static constexpr int kSize = kSlots;

  // The slot to keep the state before `frame` in; it forgets the frame kSlots earlier.
  State& Keep(uint32_t frame) {
    Entry& entry = entries_[frame % kSlots];
    entry.frame = frame;
    entry.kept = true;
    return entry.state;
  }
  // The state kept before `frame`; null when it was never kept or has been written over.
  const State* Find(uint32_t frame) const {
    const Entry& entry = entries_[frame % kSlots];
    return entry.kept && entry.frame == frame ? &entry.state : nullptr;
  }
  void Forget() {
    for (Entry& entry : entries_) entry.kept = false;
  }

 private:
  struct Entry {
    State state{};
    uint32_t frame = 0;
    bool kept = false;
  };
  std::array<Entry, kSlots> entries_;
};

}  // namespace net
