#include "entities/marioneta.h"

#include "anim/anim_state.h"
#include "shell/timer.h"

void TMarioneta::Remove() {
  if (animState) {
    animState->Release();
    animState = nullptr;
  }
  TEntidad::Remove();
}

float TMarioneta::GameClock() const {
  return timer->GetElapsed(false);
}

void TMarioneta::Animate(int index, bool loop, int blendMs) {
  if (animState) animState->Play(index, GameClock(), loop ? 1 : 0, blendMs, 0);
}
