#include "field/bots.h"

namespace field {

namespace {
constexpr uint32_t kTapDelayMs = 300;
constexpr uint32_t kTapEveryMs = 700;
}  // namespace

Bots::Bots(const SeatStrengths& seats, int32_t seed) : random_(seed) {
  for (int slot = 0; slot < kMaxPlayers; ++slot) {
    if (seats[slot])
      brains_.emplace_back(slot, ComputerButton(slot), SkillOf(*seats[slot]), random_);
  }
}

void Bots::Think(const TAdministrador& manager, uint32_t nowMs) {
  nextTapMs_ = 0;
  const BotView view = BotView::Of(manager);
  for (BotBrain& brain : brains_) brain.Think(view, nowMs, random_);
}

void Bots::Feed(media::InputState& input, uint32_t nowMs) {
  for (BotBrain& brain : brains_) brain.Feed(input, nowMs);
  TapForWinner(input, nowMs);
}

void Bots::LetGoAll(media::InputState& input) {
  for (BotBrain& brain : brains_) brain.LetGoAll(input);
}

void Bots::WaitingForKey(uint32_t nowMs) {
  nextTapMs_ = nowMs + kTapDelayMs;
}

void Bots::TapForWinner(media::InputState& input, uint32_t nowMs) {
  if (nextTapMs_ == 0 || brains_.empty() || nowMs < nextTapMs_) return;
  tapDown_ = !tapDown_;
  input.KeyEvent(media::kKeyEnter, tapDown_);
  if (!tapDown_) nextTapMs_ = nowMs + kTapEveryMs;
}

}  // namespace field
