// What each state does in a sub-step. Every rate here is scaled by `left`, the frame time still to
// be integrated after the sub-step, not by the sub-step itself: a frame of 16.7 ms applies a rate
// over 6.7 ms and then 0, and a frame under 10 ms applies none. Play feels the way it does because
// of this, so it is kept exactly.
#include <algorithm>

#include "anim/anim_state.h"
#include "core/sound_effects.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/flecha_dir.h"
#include "entities/jugador.h"

namespace {
constexpr float kRunBrake = 0.00075f;
constexpr float kAirBrake = 0.0005f;
constexpr float kCrouchDrift = 0.0006f;
constexpr float kMaxDrift = 0.1975f;  // the fastest a crouching or landed player slides left
constexpr float kLandDrift = 0.00095f;
constexpr float kKnockedBrake = 0.00095f;
constexpr float kDownDrift = 0.00025f;
constexpr float kMaxDownDrift = 0.3f;
constexpr float kDeadDrift = 0.0006f;
constexpr float kMaxDeadDrift = 0.05f;
constexpr float kLongCrouchMs = 725.0f;
constexpr float kLandMs = 500.0f;
constexpr float kArrowTurn = 0.2f;  // degrees per millisecond
constexpr float kFlatAim = 20.0f;
constexpr float kBleedMs = 100.0f;
constexpr float kBleedHeight = 50.0f;
constexpr int kLandingSplats = 8;
}  // namespace

void TJugador::DecaySpeed(float rate, float left) {
  if (speedX < 0) speedX = std::min(0.0f, speedX + rate * left);
  if (speedX > 0) speedX = std::max(0.0f, speedX - rate * left);
}

void TJugador::Behave(float left) {
  switch (state) {
    case kRun:
      DecaySpeed(kRunBrake, left);
      break;
    case kCrouch:
      if (speedX > -kMaxDrift) speedX = std::max(-kMaxDrift, speedX - kCrouchDrift * left);
      if (animState && animState->animIndex == kAnimCrouch &&
          GameClock() - static_cast<float>(pressTime) > kLongCrouchMs) {
        Animate(kAnimCrouchLong, true, 50);
      }
      break;
    case kJump:
    case kAim:
      BehaveInAir(left);
      break;
    case kDive:
      if (onGround) {
        Animate(kAnimCrouch, true, 50);
        state = kLand;
        pressTime = static_cast<int32_t>(timer->GetElapsed(true));
        rotation = 0;
        PlaySoundEffect(SoundEffect::kLand, x);
      }
      break;
    case kLand:
      speedX = std::max(-kMaxDrift, speedX - kLandDrift * left);
      if (timer->GetElapsed(true) - static_cast<float>(pressTime) > kLandMs) {
        Animate(kAnimRun, true, 100);
        state = kRun;
        buttonWasDown = 0;
      }
      break;
    case kKnocked:
      BehaveKnocked(left);
      break;
    case kDown:
      if (speedX > -kMaxDownDrift) speedX = std::max(-kMaxDownDrift, speedX - kDownDrift * left);
      break;
    case kRise:
      if (animState && animState->finished) {
        speedX = kMaxDrift;
        state = kRun;
        Animate(kAnimRun, true, 100);
      }
      break;
    case kRebound:
    case kClash:
      BehaveBounced(left);
      break;
    case kDead:
      BehaveDead(left);
      break;
  }
}

void TJugador::BehaveInAir(float left) {
  if (aimArrow) {
    aimArrow->SetPosition(x, y);
    aimArrow->SetRotation(std::max(kFlatAim, aimArrow->GetRotation() - kArrowTurn * left));
  }
  if (animState && animState->finished && state == kJump) {
    Animate(kAnimAim, true, 100);
    state = kAim;
    buttonWasDown = 0;
  } else if (onGround) {
    Animate(kAnimRun, true, 100);
    state = kRun;
    DropArrow();
    PlaySoundEffect(SoundEffect::kLand, x);
  } else {
    DecaySpeed(kAirBrake, left);
  }
}

void TJugador::BehaveKnocked(float left) {
  if (speedX > 0) speedX = std::max(0.0f, speedX - kKnockedBrake * left);
  if (onGround) {
    if (animState && animState->finished) {
      manager->SpawnBlood(x, y, kLandingSplats);
      GoDown();
      buttonWasDown = 1;  // a button held while falling does not count as a press
    }
  } else {
    DecaySpeed(kAirBrake, left);
  }
}

void TJugador::BehaveBounced(float left) {
  if (animState && animState->finished) {
    Animate(kAnimAim, true, 100);
    state = kAim;
    buttonWasDown = 0;
  } else if (onGround) {
    GoDown();
  } else {
    DecaySpeed(kAirBrake, left);
  }
}

void TJugador::GoDown() {
  Animate(kAnimDown, true, 50);
  state = kDown;
  pressesLeft = escapePresses;
}

void TJugador::BehaveDead(float left) {
  const float now = GameClock();
  if (now > nextBloodTime) {
    manager->SpawnBlood(x, y - kBleedHeight, 1);
    nextBloodTime = now + kBleedMs;
  }
  if (speedX > -kMaxDeadDrift) {
    speedX = std::max(-kMaxDeadDrift, speedX - kDeadDrift * left);
  } else {
    speedX = -kMaxDeadDrift;
  }
}
