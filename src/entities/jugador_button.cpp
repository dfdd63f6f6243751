// The one button: read once per sub-step after the state's behaviour. Only Run, Aim and Down react
// to a press and only Crouch and Aim to a release; every other state just tracks the button.
#include <algorithm>

#include "anim/anim_state.h"
#include "core/input_code.h"
#include "core/sound_effects.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/flecha_dir.h"
#include "entities/jugador.h"
#include "entities/puppet.h"
#include "media/input.h"
#include "media/trig.h"

namespace {
constexpr float kArrowStart = 85.0f;  // degrees: almost straight down
constexpr float kDiveSpeed = 0.5f;
constexpr float kRiseEffort = 1.2f;  // each rise makes the next one need this many more presses
constexpr int kOverchargedMs = 725;
constexpr int kQuickTapMs = 50;
constexpr int kFullChargeMs = 300;
constexpr float kWeakestJump = -0.45f;
constexpr float kStrongestJump = -0.725f;
constexpr float kChargeGain = 0.275f;  // from the weakest jump to the strongest
}  // namespace

bool ButtonDown(int code) {
  if (code >= 1 && code <= media::kMouseButtons && media::MouseDown(code)) return true;
  if (code >= kJoystickCodeBase &&
      media::JoystickDown(JoystickButtonOf(code), JoystickPortOf(code))) {
    return true;
  }
  return media::KeyDown(code) != 0;
}

void TJugador::ReadButton() {
  if (manager->ButtonDown(buttonCode)) {
    if (!buttonWasDown) OnPress();
    buttonWasDown = 1;
  } else {
    if (buttonWasDown) OnRelease();
    buttonWasDown = 0;
  }
}

void TJugador::OnPress() {
  if (state == kRun) {
    Animate(kAnimCrouch, true, 100);
    state = kCrouch;
    pressTime = static_cast<int32_t>(GameClock());
    chargeCue = PlaySoundEffect(SoundEffect::kCharge, x);
  } else if (state == kAim) {
    if (aimArrow) aimArrow->Remove();
    aimArrow = manager->AddDirectionArrow(depth + 1);
    if (aimArrow) {
      aimArrow->SetPosition(x, y);
      aimArrow->SetRotation(kArrowStart);
      PlaySoundEffect(SoundEffect::kArrow, x);
    }
  } else if (state == kDown) {
    StruggleUp();
  }
}

void TJugador::StruggleUp() {
  pressesLeft -= 1;
  if (pressesLeft > 0) {
    // Snap to the struggle pose and blend straight back into lying down.
    Animate(kAnimStruggle, false, 0);
    Animate(kAnimDown, true, 50);
    PlaySoundEffect(SoundEffect::kHammer, x);
  } else {
    state = kRise;
    Animate(kAnimRise, false, 50);
    escapePresses += kRiseEffort;
    PlaySoundEffect(SoundEffect::kGetUp, x);
  }
}

void TJugador::OnRelease() {
  if (state == kCrouch) {
    media::StopChannel(chargeCue);
    const int held = static_cast<int>(GameClock() - static_cast<float>(pressTime));
    if (held > kOverchargedMs) {
      Animate(kAnimRun, true, 100);
      state = kRun;
    } else {
      Animate(kAnimJump, false, 100);
      state = kJump;
      speedX = 0;
      speedY = JumpSpeed(held);
      PlaySoundEffect(SoundEffect::kJump, x);
    }
  } else if (state == kAim) {
    Dive();
  }
}

float JumpSpeed(int heldMs) {
  if (heldMs < kQuickTapMs) return kWeakestJump;
  if (heldMs > kFullChargeMs) return kStrongestJump;
  const float charge = static_cast<float>(heldMs - kQuickTapMs) / (kFullChargeMs - kQuickTapMs);
  return kWeakestJump - charge * kChargeGain;
}

float JumpCharge(int heldMs) {
  if (heldMs > kOverchargedMs) return -1;
  return std::clamp(static_cast<float>(heldMs) / kFullChargeMs, 0.0f, 1.0f);
}

// Along the arrow as it stands at the release; a release without an arrow dives at its last angle.
void TJugador::Dive() {
  Animate(kAnimDive, true, 50);
  state = kDive;
  if (aimArrow) rotation = aimArrow->GetRotation();
  speedX = kDiveSpeed * media::CosDegrees(rotation);
  speedY = kDiveSpeed * media::SinDegrees(rotation);
  DropArrow();
  PlaySoundEffect(SoundEffect::kDive, x);
}

void TJugador::DropArrow() {
  if (aimArrow) aimArrow->Remove();
  aimArrow = nullptr;
}
