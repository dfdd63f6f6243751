#pragma once
// A bot's hand on its one button. Whatever the bot decides on seeing the field reaches the button
// no sooner than its reaction time later, as a person's finger does; what it planned together
// with that decision (how long to hold a charge, when to let the arrow go, a rhythm of presses)
// follows on from there. A later decision may only change what has not happened by then.
#include <cstdint>
#include <vector>

#include "media/input.h"

namespace field {

class BotHand {
 public:
  // Presses closer together than this would fall within one frame and go unseen.
  static constexpr uint32_t kShortestGapMs = 34;

  BotHand() = default;
  BotHand(int button, uint32_t reactionMs) : button_(button), reactionMs_(reactionMs) {}

  // Drops every change not yet made that falls after what a decision at `now` can reach, and
  // answers the earliest time such a decision can change the button.
  uint32_t Replan(uint32_t now);
  // Adds a change at `at` (moved later when too close to the change before it); for use after
  // Replan, in time order.
  uint32_t Plan(bool down, uint32_t at);
  // Changes not yet made.
  bool Busy() const { return !pending_.empty(); }
  // The button as it will be once every planned change is made.
  bool Intended() const { return pending_.empty() ? down_ : pending_.back().down; }
  uint32_t reactionMs() const { return reactionMs_; }

  // Makes the changes that are due as input events.
  void Feed(media::InputState& input, uint32_t now);
  // Forgets every plan and lets go of the button at once.
  void LetGoAll(media::InputState& input);

 private:
  struct Change {
    uint32_t at;
    bool down;
  };

  int button_ = 0;
  uint32_t reactionMs_ = 0;
  bool down_ = false;
  uint32_t lastChangeMs_ = 0;
  std::vector<Change> pending_;
};

// Sends a button event for an input code: mouse 1-3, joystick 500 + port × 100 + button, or a key.
void PressButton(media::InputState& input, int code, bool down);

}  // namespace field
