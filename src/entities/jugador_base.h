#pragma once
// What the manager, the game and the tutorial read from a player. The player kind builds on it.
#include <cstdint>
#include <string>

#include "entities/marioneta.h"

class TJugadorBase : public TMarioneta {
 public:
  static constexpr int kVictoryAnimation = 14;

  int32_t GetState() const { return state; }
  // Strikes the victory pose and holds it: the winner is shown while the game clock stands
  // still, so the pose is the animation's first key frame.
  void Celebrate() { Animate(kVictoryAnimation, true, 0); }
  // What the player shows over the scenery, once everything else on the field is drawn.
  virtual void ShowOverField() const {}

  int32_t state = 0;       // 1-11 in play, 13 out of the match
  int32_t buttonCode = 0;  // the player's one action key (an input code)
  int colour = 0xFFFFFF;   // 0xRRGGBB: the colour of the player's slot, for what names the player
  std::string buttonName;  // Latin-1, as the player's tag shows it; empty shows the number alone
};

constexpr int32_t kPlayerOut = 13;
