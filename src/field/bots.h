#pragma once
// The bots of one match or tutorial: one for each seat the computer holds, each pressing its
// player's button through the same input as a person's. A bot sees the field at the start of a
// frame and its decisions reach the button after its reaction time (see bot_hand.h). All their
// choices come from one random stream of their own, so a run repeats exactly and drawing or not
// never changes play.
#include <cstdint>
#include <vector>

#include "field/bot_brain.h"
#include "field/seats.h"
#include "media/input.h"
#include "media/system.h"

class TAdministrador;

namespace field {

class Bots : public media::InputSource {
 public:
  Bots(const SeatStrengths& seats, int32_t seed);

  // Looks at the field at the start of a frame and plans the buttons.
  void Think(const TAdministrador& manager, uint32_t nowMs);
  // Makes the button changes that are due.
  void Feed(media::InputState& input, uint32_t nowMs) override;
  // Lets go of every button at once, so that none stays held into the next match.
  void LetGoAll(media::InputState& input);
  // The winner picture waits for a key: tap Enter now and then until the next match frame (for
  // runs that no person watches).
  void WaitingForKey(uint32_t nowMs);
  int Count() const { return static_cast<int>(brains_.size()); }

 private:
  void TapForWinner(media::InputState& input, uint32_t nowMs);

  media::RandomStream random_;
  std::vector<BotBrain> brains_;
  uint32_t nextTapMs_ = 0;  // 0: not waiting for a key
  bool tapDown_ = false;
};

}  // namespace field
