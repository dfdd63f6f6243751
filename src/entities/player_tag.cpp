#include "entities/player_tag.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/player_colours.h"
#include "core/sistema.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/jugador.h"
#include "media/draw.h"
#include "media/trig.h"

namespace {
constexpr float kStartMs = 6000;      // shown from the start this long
constexpr float kLearningMs = 20000;  // presses in this first part of the match bring it back
constexpr float kPressMs = 2500;      // shown this long after such a press
constexpr float kFadeMs = 1000;
constexpr float kAboveFeet = 130;  // the tag's bottom over a standing player's feet
constexpr float kAboveLying = 60;  // the hint's centre over a lying player's feet
constexpr float kTextScale = 0.75f;
constexpr float kPadding = 4;
constexpr float kRim = 2;
constexpr float kPlateAlpha = 0.85f;
constexpr float kPulseMs = 450;  // one beat of the hint, about as fast as to hammer
constexpr float kPulseGrowth = 0.35f;
constexpr char kDot[] = " \xB7 ";  // the middle dot, in Latin-1

bool LyingDown(int state) {
  return state == kKnocked || state == kDown;
}
}  // namespace

std::shared_ptr<TPlayerTag> TPlayerTag::Create(TAdministrador* manager,
                                               std::shared_ptr<TTimer> timer,
                                               std::shared_ptr<TJugadorBase> player, int number) {
  if (!manager || !timer || !player) return nullptr;
  auto tag = std::make_shared<TPlayerTag>();
  tag->manager = manager;
  tag->frameTimer = std::move(timer);
  tag->player = std::move(player);
  tag->number = number;
  tag->depth = tag->player->depth - 1;
  const float now = tag->frameTimer->GetElapsed(false);
  tag->shownUntil = now + kStartMs;
  tag->learningUntil = now + kLearningMs;
  return tag;
}

// A player taken off the field (a fresh one stands in its slot) takes its tag along.
void TPlayerTag::Relink(Counterparts& copies) {
  player = copies.Of(player);
}

void TPlayerTag::Update() {
  const auto entry = player->GetLink();
  if (!entry || !entry->InList()) {
    Remove();
    return;
  }
  const float now = frameTimer->GetElapsed(false);
  const bool down = manager->ButtonDown(player->buttonCode);
  if (down && !buttonWasDown && now < learningUntil) {
    shownUntil = std::max(shownUntil, now + kPressMs);
  }
  buttonWasDown = down;
}

float TPlayerTag::Visibility() const {
  const float past = frameTimer->GetElapsed(false) - shownUntil;
  return std::clamp(1 - past / kFadeMs, 0.0f, 1.0f);
}

void TPlayerTag::Show() const {
  if (player->GetState() == kPlayerOut) return;
  if (LyingDown(player->GetState())) {
    DrawHammerHint();
    return;
  }
  const float shown = Visibility();
  if (!(shown > 0)) return;
  std::string text = std::to_string(number);
  if (!player->buttonName.empty()) text += kDot + player->buttonName;
  media::SetTransform(0, kTextScale, kTextScale);
  media::SetAlpha(shown * alpha);
  DrawPlate(text, player->x, player->y - kAboveFeet);
}

// A plate in the player's colour round a dark middle with the words in ivory: the colour says
// whose it is, the pale words read on any scenery and without colours.
void TPlayerTag::DrawPlate(const std::string& latin1, float centreX, float bottomY) const {
  const media::RenderState state = media::GetRenderState();
  const float width = media::TextWidth(latin1) * state.scaleX;
  const float height = media::TextHeight() * state.scaleY;
  const float plateWidth = width + 2 * kPadding, plateHeight = height + 2 * kPadding;
  const float left =
      std::clamp(centreX - plateWidth / 2, 0.0f, static_cast<float>(kScreenWidth) - plateWidth);
  const float top = bottomY - plateHeight;
  media::SetBlend(media::kBlendAlpha);
  media::SetColor(player->colour);
  media::FillRect(left, top, plateWidth, plateHeight);
  media::SetAlpha(state.alpha * kPlateAlpha);
  media::SetColor(kSignDark);
  media::FillRect(left + kRim, top + kRim, plateWidth - 2 * kRim, plateHeight - 2 * kRim);
  media::SetAlpha(state.alpha);
  media::SetColor(kSignIvory);
  media::DrawText(latin1, left + kPadding, top + kPadding);
}

void TPlayerTag::DrawHammerHint() const {
  const std::string name = player->buttonName.empty() ? std::to_string(number) : player->buttonName;
  const float beat = std::fmod(frameTimer->GetElapsed(false), kPulseMs) / kPulseMs;
  const float scale = kTextScale + kPulseGrowth * (0.5f + 0.5f * media::SinDegrees(360 * beat));
  media::SetTransform(0, scale, scale);
  media::SetAlpha(alpha);
  const float height = media::TextHeight() * scale + 2 * kPadding;
  DrawPlate(name, player->x, player->y - kAboveLying + height / 2);
}
