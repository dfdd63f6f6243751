#pragma once
// What the manager, the game and the tutorial read from a player. The player kind builds on it.
#include <cstdint>

#include "entities/marioneta.h"

class TJugadorBase : public TMarioneta {
 public:
  int32_t GetState() const { return state; }

  int32_t state = 0;       // 1-11 in play, 13 out of the match
  int32_t buttonCode = 0;  // the player's one action key (an input code)
};

constexpr int32_t kPlayerOut = 13;
