#include "entities/zombie.h"

#include <algorithm>

#include "media/system.h"

namespace {
constexpr float kEntryX = -40.0f;
constexpr float kTurnX = 70.0f;
constexpr float kTurnSpread = 15.0f;
constexpr float kTopY = 445.0f;
constexpr float kBottomY = 505.0f;
constexpr int kFrontDepth = 95;
constexpr float kBackRate = 0.001f;
constexpr float kLeaveX = -40.0f;
constexpr int kMaxStartHoldMs = 150;

struct WalkSpeed {
  float low;
  float high;
};
// Cruising speeds of the four walk styles, in tenths of a pixel per millisecond.
constexpr WalkSpeed kWalkSpeeds[] = {{0.6f, 1.2f}, {0.6f, 0.8f}, {0.5f, 0.6f}, {0.3f, 0.5f}};
constexpr float kSpeedUnit = 0.1f;

// The speed it walks back out at: the two slower styles shuffle off faster.
float BackSpeed(int state) {
  return state == 4 || state == 8 ? -0.095f : -0.075f;
}
}  // namespace

std::shared_ptr<TZombie> TZombie::Create(TAdministrador* manager, std::shared_ptr<TTimer> timer,
                                         std::shared_ptr<TRecursos> resources) {
  auto zombie = std::make_shared<TZombie>();
  if (!zombie->Attach(manager, std::move(timer), std::move(resources))) return nullptr;
  return zombie;
}

// The random numbers are drawn in a fixed order so that a seeded match repeats.
void TZombie::SetUp() {
  DrawVariant();
  blend = 3;
  alpha = 1;
  DrawPackage();
  x = kEntryX + static_cast<float>(media::RandomFloat(-45, 10));
  y = static_cast<float>(media::RandomFloat(kTopY, kBottomY));
  depth = static_cast<int>(kFrontDepth - (y - kTopY));  // lower on screen, further in front
  DrawTint();
  const int style = media::RandomInt(0, 3);
  speedX = kSpeedUnit *
           static_cast<float>(media::RandomFloat(kWalkSpeeds[style].low, kWalkSpeeds[style].high));
  StartWalk(style, media::RandomInt(0, kMaxStartHoldMs));
}

bool TZombie::SubStep(float, float left) {
  if (state % 2 == 1) {
    // A fresh draw every sub-step blurs the turning line into a band around x = 70.
    if (x > kTurnX + static_cast<float>(media::RandomFloat(-kTurnSpread, kTurnSpread))) {
      Animate(state + 1, true, 100);
      state += 1;
    }
  } else {
    const float back = BackSpeed(state);
    if (speedX > back) speedX = std::max(back, speedX - kBackRate * left);
    if (x < kLeaveX) x = kZombieWaitingX;
  }
  return true;
}
