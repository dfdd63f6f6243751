#pragma once
// Rollback on top of the lockstep: this machine plays each frame at once with its own buttons
// and a guess for everyone else's, keeping the state before every frame not yet confirmed. When
// the buttons of a frame are all in and differ from what it was played with, the match goes back
// to that frame and plays on to the present with what is known now, within the same frame.
#include <array>
#include <cstdint>
#include <vector>

#include "net/lockstep.h"
#include "net/snapshot_ring.h"

namespace net {

// What rollback asks of the match it drives; the match itself only saves, loads and advances.
class RollbackMatch {
 public:
  virtual ~RollbackMatch() = default;
  // Back to the state kept before `frame`.
  virtual void Restore(uint32_t frame) = 0;
  // Keeps the state before `frame`, then plays it with `input`.
  virtual void Replay(uint32_t frame, const FrameInput& input) = 0;
  // Every machine's buttons for `frame` are known and the match has been played with them.
  virtual void Confirmed(uint32_t frame) = 0;
};

class Rollback {
 public:
  explicit Rollback(Lockstep& lockstep) : lockstep_(lockstep) {}

  // The frame to be played next.
  uint32_t NextFrame() const { return next_; }
  // Every frame played so far is confirmed.
  bool AllConfirmed() const { return lockstep_.Frame() >= next_; }
  // The last confirmed frame lies as far back as the kept states reach: play no further.
  bool TooFarAhead() const { return next_ - lockstep_.Frame() >= kMostFramesAhead; }
  // Takes every frame whose buttons have all come; when one was played with other buttons, goes
  // back to it and plays on with what is known now. Returns how many frames were played again.
  int Reconcile(RollbackMatch& match);
  // This machine's buttons sampled now, and the buttons to play the next frame with, noted for
  // the comparison to come; the frame after is next from then on.
  FrameInput PlayNext(uint8_t buttons);
  // Time sync, asked once a frame: true when this machine, a frame or more ahead of the slowest,
  // should show its frame once more instead of playing on, at most once in kHoldEvery frames.
  bool ShouldHold();

 private:
  static constexpr int kSlots = SnapshotRing<int>::kSize;
  static constexpr int kHoldEvery = 4;
  static constexpr double kTooFarAheadFrames = 1;
  static constexpr double kLeadWeight = 1.0 / 8;  // of the newest lead in its running mean

  Lockstep& lockstep_;
  uint32_t next_ = 0;
  std::array<FrameInput, kSlots> played_{};  // each unconfirmed frame's buttons, by frame % kSlots
  std::vector<uint32_t> newlyConfirmed_;
  int framesSinceHeld_ = 0;
  double meanLead_ = 0;
};

// The same buttons, pause and departures.
bool SameInput(const FrameInput& a, const FrameInput& b);

}  // namespace net
