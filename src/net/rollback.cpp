#include "net/rollback.h"

namespace net {

bool SameInput(const FrameInput& a, const FrameInput& b) {
  return a.buttons == b.buttons && a.pause == b.pause && a.seatsOut == b.seatsOut;
}

int Rollback::Reconcile(RollbackMatch& match) {
  lockstep_.Ready(0);
  newlyConfirmed_.clear();
  bool wrong = false;
  uint32_t firstWrong = 0;
  while (!AllConfirmed() && lockstep_.GetOutcome() == Lockstep::Outcome::kPlaying &&
         lockstep_.Missing().empty()) {
    const uint32_t frame = lockstep_.Frame();
    const FrameInput confirmed = lockstep_.Take();
    if (!wrong && !SameInput(confirmed, played_[frame % kSlots])) {
      wrong = true;
      firstWrong = frame;
    }
    newlyConfirmed_.push_back(frame);
  }
  int replayed = 0;
  if (wrong) {
    match.Restore(firstWrong);
    for (uint32_t frame = firstWrong; frame < next_; ++frame, ++replayed) {
      played_[frame % kSlots] = lockstep_.Guess(frame);
      match.Replay(frame, played_[frame % kSlots]);
    }
  }
  for (const uint32_t frame : newlyConfirmed_) match.Confirmed(frame);
  return replayed;
}

// A frame shown twice now and then lets the others catch up unnoticed, so neither side keeps
// playing on guesses. Each packet's trip varies by more than a frame on a bad line, so the lead is
// judged on its running mean rather than on the last packets.
bool Rollback::ShouldHold() {
  meanLead_ += (lockstep_.FramesAhead(next_) - meanLead_) * kLeadWeight;
  if (++framesSinceHeld_ < kHoldEvery || meanLead_ < kTooFarAheadFrames) return false;
  framesSinceHeld_ = 0;
  return true;
}

FrameInput Rollback::PlayNext(uint8_t buttons) {
  lockstep_.SubmitFor(next_, buttons);
  played_[next_ % kSlots] = lockstep_.Guess(next_);
  return played_[next_++ % kSlots];
}

}  // namespace net
