#pragma once
// What a run without a person may hook into a match: bots that press the players' buttons before
// each frame, and soak runs that update without drawing.
#include <functional>

class TAdministrador;

namespace game {

struct MatchHooks {
  // Called at the start of every frame of a match, before the clock and the input are read.
  std::function<void(const TAdministrador&)> beforeFrame;
  // Called when the winner picture stands and the match waits for any key.
  std::function<void()> waitingForKey;
  // False: frames are still presented (paced, shot, traced) but nothing is drawn into them.
  bool draw = true;
};

MatchHooks& CurrentMatchHooks();

}  // namespace game
