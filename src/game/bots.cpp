#include "game/bots.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "entities/administrador.h"
#include "entities/flecha_dir.h"
#include "entities/jugador.h"
#include "entities/zombie_movil.h"

namespace game {

namespace {
constexpr double kCrouchChance = 0.04;  // per frame while running: about every 400 ms
constexpr int kShortestHoldMs = 30;
constexpr int kLongestHoldMs = 650;  // below the 725 ms that would waste the charge
constexpr int kWalkerCrouchMs = 300;
constexpr float kWalkerAlarm = 110.0f;  // a walker this close is thrown back by crouching
constexpr float kRivalHeight = 40.0f;   // aim at the rival's middle, not its feet
constexpr float kSteepestAim = 85.0f;
constexpr float kFlattestAim = 20.0f;
constexpr double kAimJitter = 6.0;
constexpr double kHammerChance = 0.25;  // per frame while down: about seven presses a second
constexpr uint32_t kTapDelayMs = 300;
constexpr uint32_t kTapEveryMs = 700;
constexpr int kFirstJoystickCode = 500;
constexpr int kJoystickPortSpan = 100;
constexpr int kFirstKeyCode = 4;  // 1-3 are mouse buttons

bool WalkerClose(const TAdministrador& manager, const TJugador& player) {
  bool close = false;
  manager.entities.Walk([&](const std::shared_ptr<TEntidad>& entity) {
    const auto* walker = dynamic_cast<const TZombieMovil*>(entity.get());
    if (walker && walker->state != kZombieThrown && std::fabs(walker->x - player.x) < kWalkerAlarm)
      close = true;
  });
  return close;
}

// The angle to the nearest standing rival to the right (dives only go right), or 0 for none.
float AngleToRival(const TAdministrador& manager, const TJugador& player) {
  float best = 0;
  float bestDistance = 1e9f;
  for (int slot = 0; slot < manager.GetPlayerCount(); ++slot) {
    const auto* rival = dynamic_cast<const TJugador*>(manager.GetPlayer(slot).get());
    if (!rival || rival == &player || rival->IsFloored() || rival->state == kDead) continue;
    const float dx = rival->x - player.x;
    const float dy = rival->y - kRivalHeight - player.y;
    if (dx <= 0 || dx >= bestDistance) continue;
    bestDistance = dx;
    best = std::atan2(dy, dx) * 180.0f / std::numbers::pi_v<float>;
  }
  return best;
}
}  // namespace

Bots::Bots(int count, int32_t seed) : count_(std::clamp(count, 0, kMaxBots)), random_(seed) {}

void Bots::Think(const TAdministrador& manager, uint32_t nowMs) {
  nextTapMs_ = 0;
  const int bots = std::min(count_, manager.GetPlayerCount());
  for (int slot = 0; slot < bots; ++slot) {
    const auto* player = dynamic_cast<const TJugador*>(manager.GetPlayer(slot).get());
    if (!player) continue;
    brains_[slot].button = player->buttonCode;
    Decide(brains_[slot], *player, manager, nowMs);
  }
}

void Bots::Decide(Brain& brain, const TJugador& player, const TAdministrador& manager,
                  uint32_t nowMs) {
  const bool entered = player.state != brain.lastState;
  brain.lastState = player.state;
  switch (player.state) {
    case kRun:
    case kCrouch:
      DecideOnGround(brain, player, manager, nowMs);
      break;
    case kAim:
      if (entered) brain.wanted = false;
      DecideAiming(brain, player, manager);
      break;
    case kDown:
      if (random_.Fraction() < kHammerChance) brain.wanted = !brain.wanted;
      break;
    default:
      brain.wanted = false;
  }
}

// Crouches now and then, and at once when a walker comes close; lets go before the charge is lost.
void Bots::DecideOnGround(Brain& brain, const TJugador& player, const TAdministrador& manager,
                          uint32_t nowMs) {
  if (brain.wanted) {
    if (nowMs >= brain.releaseAt) brain.wanted = false;
    return;
  }
  if (player.state != kRun) return;
  if (WalkerClose(manager, player)) {
    brain.wanted = true;
    brain.releaseAt = nowMs + kWalkerCrouchMs;
  } else if (random_.Fraction() < kCrouchChance) {
    brain.wanted = true;
    brain.releaseAt = nowMs + static_cast<uint32_t>(random_.Int(kShortestHoldMs, kLongestHoldMs));
  }
}

// Presses to bring up the arrow, then lets go when it has swept down to the rival.
void Bots::DecideAiming(Brain& brain, const TJugador& player, const TAdministrador& manager) {
  if (!player.aimArrow) {
    if (!brain.wanted) {
      const float rival = AngleToRival(manager, player);
      const float aim = rival != 0
                            ? rival + static_cast<float>(random_.Float(-kAimJitter, kAimJitter))
                            : static_cast<float>(random_.Float(30, 80));
      brain.aimAngle = std::clamp(aim, kFlattestAim, kSteepestAim);
    }
    brain.wanted = true;
    return;
  }
  if (player.aimArrow->GetRotation() <= brain.aimAngle) brain.wanted = false;
}

void Bots::WaitingForKey(uint32_t nowMs) {
  nextTapMs_ = nowMs + kTapDelayMs;
  for (int slot = 0; slot < count_; ++slot) brains_[slot].wanted = false;
}

void Bots::Feed(media::InputState& input, uint32_t nowMs) {
  for (int slot = 0; slot < count_; ++slot) {
    Brain& brain = brains_[slot];
    if (brain.wanted == brain.fed || brain.button == 0) continue;
    PressButton(input, brain.button, brain.wanted);
    brain.fed = brain.wanted;
  }
  TapForWinner(input, nowMs);
}

// Any key ends the wait; a mouse or joystick button would not, so those bots tap Enter.
void Bots::TapForWinner(media::InputState& input, uint32_t nowMs) {
  if (nextTapMs_ == 0 || count_ == 0 || nowMs < nextTapMs_) return;
  const int button = brains_[0].button;
  const int key =
      button >= kFirstKeyCode && button < kFirstJoystickCode ? button : media::kKeyEnter;
  tapDown_ = !tapDown_;
  input.KeyEvent(key, tapDown_);
  if (!tapDown_) nextTapMs_ = nowMs + kTapEveryMs;
}

void PressButton(media::InputState& input, int code, bool down) {
  if (code >= 1 && code <= media::kMouseButtons) {
    input.MouseButtonEvent(code, down);
  } else if (code >= kFirstJoystickCode) {
    input.JoystickButtonEvent((code - kFirstJoystickCode) / kJoystickPortSpan,
                              code % kJoystickPortSpan, down);
  } else {
    input.KeyEvent(code, down);
  }
}

}  // namespace game
