// Contact between two players, tested from each side once per sub-step with two small boxes
// rather than the drawn puppets. This player's box sits at its feet, the other's 50 px up its body.
#include "anim/anim_state.h"
#include "core/sound_effects.h"
#include "entities/administrador.h"
#include "entities/flecha_dir.h"
#include "entities/jugador.h"
#include "entities/puppet.h"
#include "media/draw.h"
#include "media/trig.h"
#include "resources/recursos.h"

namespace {
constexpr float kBodyReach = 50.0f;
constexpr float kClashSpeed = 0.5f;
constexpr float kClashLift = -0.3f;
constexpr float kKnockSpeed = 0.2f;
constexpr float kReboundLift = -0.6f;
constexpr float kReboundPush = -0.3f;  // times the hit's share of the screen width
constexpr float kScreenWidth = 800.0f;
constexpr int kHitSplats = 3;
constexpr int kClashSparks = 5;

bool Touching(const TJugador& self, const TJugador& other) {
  const auto& resources = *self.resources;
  return media::ImagesCollide(resources.GetCollisionBlock(!self.UsesLowBox()), Truncated(self.x),
                              Truncated(self.y), 0, self.rotation, self.scaleX, self.scaleY,
                              resources.GetCollisionBlock(!other.UsesLowBox()),
                              Truncated(other.BodyX()), Truncated(other.BodyY()), 0, other.rotation,
                              other.scaleX, other.scaleY);
}
}  // namespace

float TJugador::BodyX() const {
  return x + kBodyReach * media::CosDegrees(rotation - 90);
}

float TJugador::BodyY() const {
  return y + kBodyReach * media::SinDegrees(rotation - 90);
}

void TJugador::CollideWithPlayer(TJugador& other) {
  if (!Touchable() || !other.Touchable() || !Touching(*this, other)) return;
  if (state == kDive) {
    if (other.state == kDive) {
      Clash(other);
    } else {
      manager->SpawnBlood(x, y, kHitSplats);
      Rebound(x);
      other.Knock();
      PlaySoundEffect(SoundEffect::kHit, other.x);
    }
  } else if (state == kCrouch && other.state == kRun) {
    other.Knock();  // tripped over a crouching player
    PlaySoundEffect(SoundEffect::kTrip, other.x);
  }
}

// Two divers bounce apart; the one further right goes right.
void TJugador::Clash(TJugador& other) {
  DropArrow();
  state = kClash;
  other.SetRotation(0);
  rotation = 0;
  manager->SpawnSparks(x, y, kClashSparks);
  PlaySoundEffect(SoundEffect::kClash, x);
  other.state = kClash;
  other.DropArrow();
  Animate(kAnimClash, false, 50);
  other.Animate(kAnimClash, false, 50);
  const float away = other.x <= x ? kClashSpeed : -kClashSpeed;
  speedX = away;
  other.speedX = -away;
  speedY = kClashLift;
  other.speedY = kClashLift;
}

void TJugador::Rebound(float hitX) {
  state = kRebound;
  DropArrow();
  rotation = 0;
  Animate(kAnimRebound, false, 50);
  speedX = (hitX / kScreenWidth) * kReboundPush;
  speedY = kReboundLift;
}

void TJugador::Knock() {
  state = kKnocked;
  DropArrow();
  Animate(kAnimKnocked, false, 50);
  speedX = kKnockSpeed;
}
