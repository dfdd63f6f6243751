#include "entities/marioneta.h"

#include <algorithm>

#include "anim/anim_state.h"
#include "core/timer.h"

void TMarioneta::Remove() {
  if (animState) {
    animState->Release();
    animState = nullptr;
  }
  TEntidad::Remove();
}

void TMarioneta::OwnParts() {
  TEntidad::OwnParts();
  if (animState) animState = std::make_shared<AnimState>(*animState);
}

float TMarioneta::GameClock() const {
  return timer->GetElapsed(false);
}

bool TMarioneta::NextSubStep(float& remaining, float& step) {
  constexpr float kMaxSubStep = 10.0f;
  if (remaining <= 0) return false;
  step = std::min(remaining, kMaxSubStep);
  remaining -= step;
  return true;
}

void TMarioneta::Animate(int index, bool loop, int blendMs) {
  if (animState) animState->Play(index, GameClock(), loop ? 1 : 0, blendMs, 0);
}
