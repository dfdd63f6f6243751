#include "entities/zombie_movil.h"

#include "core/sound_effects.h"
#include "entities/administrador.h"
#include "entities/jugador.h"
#include "entities/puppet.h"
#include "media/draw.h"
#include "media/system.h"
#include "resources/recursos.h"

namespace {
constexpr float kMaxTurnX = 2400.0f;  // beyond the screen: two chances in three to walk across
constexpr float kScreenWidth = 800.0f;
constexpr float kWalkOffX = 850.0f;
constexpr float kFarEdgeX = 810.0f;
constexpr float kLeftExitX = -50.0f;
constexpr float kEntryLeftX = -40.0f;
constexpr float kEntryRightX = 840.0f;
constexpr float kGround = 475.0f;
constexpr int kBackDepth = 110;
constexpr int kFrontDepth = 30;
constexpr float kSpeedChange = 0.001f;
constexpr float kBackFactor = -2.0f;    // turned back: the way it came at double speed
constexpr float kThrownFactor = -2.5f;  // thrown by a player
// A thrown walker flies on for ever; once this far beyond either edge nobody can see it again.
constexpr float kThrownMargin = 300.0f;
constexpr float kThrowBloodHeight = 50.0f;
constexpr int kThrowSplats = 3;
constexpr int kMaxStartHoldMs = 150;
}  // namespace

std::shared_ptr<TZombieMovil> TZombieMovil::Create(TAdministrador* manager,
                                                   std::shared_ptr<TTimer> timer,
                                                   std::shared_ptr<TRecursos> resources) {
  auto walker = std::make_shared<TZombieMovil>();
  if (!walker->Attach(manager, std::move(timer), std::move(resources))) return nullptr;
  walker->turnX = static_cast<float>(media::RandomFloat(0, kMaxTurnX));
  return walker;
}

// The random numbers are drawn in a fixed order so that a seeded match repeats.
void TZombieMovil::SetUp() {
  DrawVariant();
  depth = media::RandomInt(kFrontDepth, kBackDepth);
  y = kGround;
  DrawPackage();
  if (media::RandomInt(0, 100) < 50) {
    scaleX = -1;  // from the right, mirrored, never turning
    x = kEntryRightX + static_cast<float>(media::RandomFloat(-10, 45));
    targetSpeed = static_cast<float>(media::RandomFloat(-0.125, -0.075));
    turnX = kLeftExitX;
  } else {
    x = kEntryLeftX + static_cast<float>(media::RandomFloat(-45, 10));
    targetSpeed = static_cast<float>(media::RandomFloat(0.075, 0.125));
    if (turnX > kScreenWidth) turnX = kWalkOffX;
  }
  speedX = targetSpeed;
  DrawTint();
  const int style = media::RandomInt(0, 3);
  StartWalk(style, static_cast<int>(media::RandomFloat(0, kMaxStartHoldMs)));
  PlaySoundEffect(SoundEffect::kWalker, x);
}

bool TZombieMovil::SubStep(float step, float) {
  for (int i = 0; i < manager->GetPlayerCount(); ++i) {
    if (auto player = std::dynamic_pointer_cast<TJugador>(manager->GetPlayer(i))) {
      CollideWithPlayer(*player);
    }
  }
  if (state == kZombieThrown) {
    Approach(kThrownFactor * targetSpeed, kSpeedChange, step);
    if (x < -kThrownMargin || x > kScreenWidth + kThrownMargin) return Leave();
  } else if (state % 2 == 1) {
    Approach(targetSpeed, kSpeedChange, step);
    if (scaleX >= 0 && x > turnX) {
      if (x > kFarEdgeX) return Leave();
      Animate(state + 1, true, 100);
      state += 1;
    } else if (scaleX < 0 && x < turnX) {
      return Leave();
    }
  } else {
    Approach(kBackFactor * targetSpeed, kSpeedChange, step);
    if (x < kLeftExitX) return Leave();
  }
  return true;
}

bool TZombieMovil::Leave() {
  Remove();
  return false;
}

void TZombieMovil::Throw() {
  manager->SpawnDarkBlood(x, y + kThrowBloodHeight, kThrowSplats);
  state = kZombieThrown;
  Animate(kZombieThrown, false, 50);
  PlaySoundEffect(SoundEffect::kThrown, x);
}

void TZombieMovil::CollideWithPlayer(TJugador& player) {
  if (state == kZombieThrown || !player.Touchable()) return;
  const bool touching = media::ImagesCollide(
      resources->GetCollisionBlock(true), Truncated(x), Truncated(y), 0, rotation, scaleX, scaleY,
      resources->GetCollisionBlock(!player.UsesLowBox()), Truncated(player.BodyX()),
      Truncated(player.BodyY()), 0, player.rotation, player.scaleX, player.scaleY);
  if (!touching) return;
  if (player.state == kDive) {
    Throw();
    player.Rebound(x);
  } else if (player.state == kCrouch) {
    Throw();
  } else {
    player.Knock();
    PlaySoundEffect(SoundEffect::kHit, player.x);
  }
}
