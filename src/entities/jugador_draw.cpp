// What the field shows of a player: the shadow on the ground line, the puppet, and over the
// scenery, while it crouches, the gauge of its jump's charge.
#include <cmath>

#include "anim/anim_state.h"
#include "core/player_colours.h"
#include "core/timer.h"
#include "entities/jugador.h"
#include "entities/puppet.h"
#include "media/draw.h"
#include "resources/recursos.h"

namespace {
constexpr int kShadowImage = 0;
constexpr float kGround = 475.0f;
constexpr float kShadowFullHeight = 237.5f;  // above this the shadow stops widening

// The gauge: a bar just under the feet, dark with a pale rim inside a dark edge so that it stands
// out on light ground and dark alike, filled in the player's colour.
constexpr float kGaugeTop = kGround + 8;
constexpr float kGaugeWidth = 80;
constexpr float kGaugeHeight = 14;
constexpr float kGaugeEdge = 1;
constexpr float kGaugeRim = 2;
constexpr float kGaugeBackAlpha = 0.85f;
// A full charge blinks between white and the player's colour, so it shows on any ground, in any
// colour, and to eyes that see no colour at all.
constexpr float kFullBlinkMs = 120;

void Fill(int rgb, float x, float y, float width, float height) {
  media::SetColor(rgb);
  media::FillRect(x, y, width, height);
}
}  // namespace

// The shadow stays on the ground line and grows wider and fainter as the player rises.
// A player lying or flying at a side edge is drawn moved onto the screen, shadow and all; a dead
// one is left to slide off into the horde.
void TJugador::Draw() {
  float shift = 0;
  if (animState && graphics) {
    PosePuppet(*animState, GameClock(), *this);
    if (state != kDead) shift = OnScreenShift(*animState, *graphics, *this);
  }
  media::SetColor(red, green, blue);
  media::SetBlend(media::kBlendAlpha);
  media::SetRotation(0);
  if (y >= kShadowFullHeight) {
    const float height = (kGround - y) / kShadowFullHeight;
    media::SetAlpha(0.9f - height / 2);
    media::SetScale(1 + height * 2, 1);
  } else {
    media::SetAlpha(0.4f);
    media::SetScale(3, 1);
  }
  media::DrawImage(resources->GetImage(kShadowImage), x + shift, kGround, 0);
  media::SetBlend(blend);
  media::SetAlpha(alpha);
  if (animState && graphics) DrawPosedPuppet(*animState, *graphics, *this, shift);
}

// Over the scenery: a pillar in front of the player must not hide how full the jump is.
void TJugador::ShowOverField() const {
  if (state != kCrouch) return;
  const bool posed = animState && graphics;
  DrawCharge(x + (posed ? OnScreenShift(*animState, *graphics, *this) : 0));
}

// Nothing once the crouch has lasted too long to jump: the puppet's weary pose tells that.
void TJugador::DrawCharge(float centreX) const {
  const float now = GameClock();
  const float charge = JumpCharge(static_cast<int>(now - static_cast<float>(pressTime)));
  if (charge < 0) return;
  const float left = centreX - kGaugeWidth / 2;
  media::SetBlend(media::kBlendAlpha);
  media::SetTransform(0, 1, 1);
  media::SetAlpha(kGaugeBackAlpha * alpha);
  Fill(kSignDark, left, kGaugeTop, kGaugeWidth, kGaugeHeight);
  constexpr float kInside = kGaugeEdge + kGaugeRim;
  Fill(kSignIvory, left + kGaugeEdge, kGaugeTop + kGaugeEdge, kGaugeWidth - 2 * kGaugeEdge,
       kGaugeHeight - 2 * kGaugeEdge);
  Fill(kSignDark, left + kInside, kGaugeTop + kInside, kGaugeWidth - 2 * kInside,
       kGaugeHeight - 2 * kInside);
  media::SetAlpha(alpha);
  const bool full = charge >= 1;
  const bool white = full && static_cast<int>(std::floor(now / kFullBlinkMs)) % 2 == 0;
  Fill(white ? 0xFFFFFF : colour, left + kInside, kGaugeTop + kInside,
       (kGaugeWidth - 2 * kInside) * charge, kGaugeHeight - 2 * kInside);
}
