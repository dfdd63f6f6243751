#pragma once
// What players and zombies share: a puppet of bones posed by an animation state of its own, on
// the game clock (which stands still while the game is paused or decided).
#include <memory>

#include "entities/entidad.h"

class AnimState;

class TMarioneta : public TEntidad {
 public:
  // Releases the animation state, then leaves the entity list.
  void Remove() override;

  std::shared_ptr<AnimState> animState;

 protected:
  // A copy poses on from the same key frame with an animation state of its own.
  void OwnParts() override;
  float GameClock() const;
  // Cuts the frame's game time into sub-steps of at most 10 ms, so fast motion still meets
  // what it passes: gives the next step and leaves what remains after it; false when none is left.
  static bool NextSubStep(float& remaining, float& step);
  // Plays animation `index` (looping or once), blending from the current pose over blendMs.
  void Animate(int index, bool loop, int blendMs);
};
