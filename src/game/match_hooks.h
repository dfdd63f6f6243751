#pragma once
// What a run without a person may hook into a match: a look at the field before each frame, bots
// for players the settings give to people, and soak runs that update without drawing.
#include <cstdint>
#include <functional>
#include <vector>

#include "field/player_report.h"

class TAdministrador;

namespace game {

struct MatchHooks {
  // Called at the start of every frame of a match, before the clock and the input are read.
  std::function<void(const TAdministrador&)> beforeFrame;
  // Called when the winner picture stands and the match waits for any key.
  std::function<void()> waitingForKey;
  // Players 1 to this are played by bots of normal strength whatever their seats, and those bots
  // also leave the winner picture with a key.
  int botPlayers = 0;
  // Called once for each frame of a network match when every machine's buttons for it are known
  // and it has been played with them, in frame order, with its players after it.
  std::function<void(uint32_t frame, const std::vector<field::PlayerReport>&)> confirmedFrame;
  // False: frames are still presented (paced, shot, traced) but nothing is drawn into them.
  bool draw = true;
};

MatchHooks& CurrentMatchHooks();

}  // namespace game
