#pragma once
// How the screens that play (a match, the tutorial) tell the headless runner's trace where their
// players are. A screen names a source when its play starts; the state loop forgets it as soon as
// the screen returns, so the trace never reads a finished match.
#include <functional>
#include <vector>

namespace field {

struct PlayerReport {
  int slot = 0;   // 0-3
  int state = 0;  // the player's state code
  float x = 0;
  float y = 0;
};

using PlayerSource = std::function<std::vector<PlayerReport>()>;

void ReportPlayersFrom(PlayerSource source);
void ForgetPlayers();
// The players of the match or tutorial being played; empty elsewhere.
std::vector<PlayerReport> CurrentPlayers();

}  // namespace field
