#include "entities/zombie_base.h"

#include <algorithm>

#include "anim/anim_state.h"
#include "core/timer.h"
#include "entities/puppet.h"
#include "media/draw.h"
#include "media/system.h"
#include "resources/recursos.h"
#include "vgp/vgp.h"

namespace {
constexpr int kShadowImage = 0;
constexpr float kShadowAlpha = 0.9f;
constexpr float kVariantShare = 0.25f;
constexpr int kVariantGraph = 5;
constexpr int kTintLow = 175;
constexpr int kTintHigh = 255;
constexpr int kWalkStyles = 4;
}  // namespace

bool TZombieBase::Attach(TAdministrador* owner, std::shared_ptr<TTimer> clock,
                         std::shared_ptr<TRecursos> resourceManager) {
  if (!owner || !clock || !resourceManager) return false;
  manager = owner;
  timer = std::move(clock);
  resources = std::move(resourceManager);
  animState = AnimState::Create(resources->GetZombieAnimation());
  x = kZombieWaitingX;
  return animState != nullptr;
}

void TZombieBase::DrawVariant() {
  variantGraph = media::RandomFraction() < kVariantShare ? kVariantGraph : 0;
}

void TZombieBase::DrawPackage() {
  graphics = resources->GetZombiePackage(media::RandomInt(0, TRecursos::kZombiePackages - 1));
}

void TZombieBase::DrawTint() {
  red = static_cast<uint8_t>(media::RandomInt(kTintLow, kTintHigh));
  green = static_cast<uint8_t>(media::RandomInt(kTintLow, kTintHigh));
  blue = static_cast<uint8_t>(media::RandomInt(kTintLow, kTintHigh));
}

void TZombieBase::StartWalk(int style, int blendMs) {
  const int animation = 1 + 2 * std::clamp(style, 0, kWalkStyles - 1);
  Animate(animation, true, 0);
  Animate(animation, true, blendMs);
  state = animation;
}

void TZombieBase::Approach(float target, float rate, float ms) {
  if (speedX < target) speedX = std::min(target, speedX + rate * ms);
  if (speedX > target) speedX = std::max(target, speedX - rate * ms);
}

void TZombieBase::Update() {
  if (x == kZombieWaitingX) SetUp();
  float remaining = timer->GetDelta(false), step = 0;
  while (NextSubStep(remaining, step)) {
    x += speedX * step;
    if (!SubStep(step, remaining)) return;
  }
}

void TZombieBase::Draw() {
  media::SetColor(red, green, blue);
  media::SetBlend(media::kBlendAlpha);
  media::SetTransform(0, 1, 1);
  media::SetAlpha(kShadowAlpha);
  media::DrawImage(resources->GetImage(kShadowImage), x, y, 0);
  media::SetBlend(blend);
  media::SetAlpha(alpha);
  if (animState && graphics) DrawPuppet(*animState, *graphics, GameClock(), *this, variantGraph);
}
