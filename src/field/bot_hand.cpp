#include "field/bot_hand.h"

#include <algorithm>

#include "core/input_code.h"

namespace field {

uint32_t BotHand::Replan(uint32_t now) {
  const uint32_t reach = now + reactionMs_;
  while (!pending_.empty() && pending_.back().at >= reach) pending_.pop_back();
  const uint32_t last = pending_.empty() ? lastChangeMs_ : pending_.back().at;
  return std::max(reach, last + kShortestGapMs);
}

uint32_t BotHand::Plan(bool down, uint32_t at) {
  if (down == Intended()) return at;
  const uint32_t last = pending_.empty() ? lastChangeMs_ : pending_.back().at;
  at = std::max(at, last + kShortestGapMs);
  pending_.push_back({at, down});
  return at;
}

// After a long frame a press and its release may both be due; made together, the press would
// never be seen. So a change waits until the one before has stood for the shortest gap, which
// is more than a frame: the players have read the button in between.
void BotHand::Feed(media::InputState& input, uint32_t now) {
  if (pending_.empty() || pending_.front().at > now) return;
  if (lastChangeMs_ != 0 && now < lastChangeMs_ + kShortestGapMs) return;
  down_ = pending_.front().down;
  lastChangeMs_ = now;
  pending_.erase(pending_.begin());
  if (button_ != 0) PressButton(input, button_, down_);
}

void BotHand::LetGoAll(media::InputState& input) {
  pending_.clear();
  down_ = false;
  if (button_ != 0) PressButton(input, button_, false);
}

void PressButton(media::InputState& input, int code, bool down) {
  if (code >= 1 && code <= media::kMouseButtons) {
    input.MouseButtonEvent(code, down);
  } else if (code >= kJoystickCodeBase) {
    input.JoystickButtonEvent(JoystickPortOf(code), JoystickButtonOf(code), down);
  } else {
    input.KeyEvent(code, down);
  }
}

}  // namespace field
