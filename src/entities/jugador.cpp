#include "entities/jugador.h"

#include "anim/anim_state.h"
#include "core/sound_effects.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/flecha_dir.h"
#include "media/system.h"
#include "resources/recursos.h"
#include "vgp/vgp.h"

namespace {
constexpr int kMaxStartHoldMs = 800;  // players start their run out of step with each other
constexpr float kGround = 475.0f;
constexpr float kGravity = 0.00085f;
constexpr float kRightBound = 740.0f;
constexpr float kLeftBound = 50.0f;
constexpr float kHordeEdge = 70.0f;  // left of this, near the ground, the horde reaches a player
constexpr float kHordeHeight = 405.0f;
}  // namespace

std::shared_ptr<TJugador> TJugador::Create(TAdministrador* manager, std::shared_ptr<TTimer> timer,
                                           std::shared_ptr<VGP> graphics,
                                           std::shared_ptr<TRecursos> resources, int actionKey,
                                           int depth) {
  if (!manager || !timer || !graphics || !resources) return nullptr;
  auto player = std::make_shared<TJugador>();
  player->manager = manager;
  player->timer = std::move(timer);
  player->resources = std::move(resources);
  player->graphics = std::move(graphics);
  player->buttonCode = actionKey;
  player->depth = depth;
  player->state = kRun;
  player->animState = AnimState::Create(player->resources->GetPlayerAnimation());
  if (!player->animState) return nullptr;
  const float now = player->GameClock();
  player->animState->Play(kAnimRun, now, 0, 0, 0);
  player->animState->Play(kAnimRun, now, 1, media::RandomInt(0, kMaxStartHoldMs), 0);
  return player;
}

void TJugador::Relink(Counterparts& copies) {
  aimArrow = copies.Of(aimArrow);
}

void TJugador::Update() {
  float remaining = timer->GetDelta(false), step = 0;
  while (NextSubStep(remaining, step)) {
    onGround = 0;
    speedY += kGravity * step;
    x += speedX * step;
    y += speedY * step;
    KeepInBounds();
    TouchOtherPlayers();
    ApplyHordeRule();
    Behave(remaining);
    ReadButton();
  }
}

// The ground holds everyone; the sides hold only those still in play, so a dead body slides away.
void TJugador::KeepInBounds() {
  if (x > kRightBound && !IsDead()) {
    x = kRightBound;
    speedX = 0;
  }
  if (x < kLeftBound && !IsDead()) {
    x = kLeftBound;
    speedX = 0;
  }
  if (y > kGround) {
    y = kGround;
    speedY = 0;
  }
  if (y >= kGround) onGround = 1;
}

void TJugador::TouchOtherPlayers() {
  for (int i = 0; i < manager->GetPlayerCount(); ++i) {
    const auto other = std::dynamic_pointer_cast<TJugador>(manager->GetPlayer(i));
    if (other && other->graphics != graphics) CollideWithPlayer(*other);
  }
}

// A player down at the left edge is caught: a standing one is knocked over first.
void TJugador::ApplyHordeRule() {
  if (x >= kHordeEdge || y <= kHordeHeight || IsDead()) return;
  if (state != kKnocked && state != kDown) {
    state = kKnocked;
    Animate(kAnimKnocked, false, 50);
  } else {
    CaughtByHorde();
  }
}

void TJugador::CaughtByHorde() {
  DropArrow();
  state = kDead;
  Animate(kAnimDead, true, 100);
  PlaySoundEffect(SoundEffect::kCatch, x);
}
