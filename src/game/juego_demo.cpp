// The demo: a match of four bots that plays while nobody is at the controls, with a small sign,
// and gives way to the menu at the first press. It plays from a seating of its own, so the
// settings the people chose are never touched.
#include "core/top_level_state.h"
#include "game/juego.h"
#include "media/draw.h"
#include "media/input.h"
#include "media/system.h"
#include "resources/recursos.h"

namespace {
constexpr int kDemoPlayers = 4;
constexpr uint32_t kWinnerStandsMs = 4000;
// The sign's centre, in the top right corner.
constexpr float kSignX = 718;
constexpr float kSignY = 42;
}  // namespace

int TJuego::RunDemo() {
  MatchSeating seating;
  seating.level = media::RandomInt(0, TRecursos::kLevels - 1);
  seating.players = kDemoPlayers;
  seating.seats = {CpuStrength::kHard, CpuStrength::kNormal, CpuStrength::kHard,
                   CpuStrength::kNormal};
  pressesBeforeDemo = media::PersonPresses();
  demo = true;
  Play(seating);
  demo = false;
  return kStateMenu;
}

bool TJuego::DemoInterrupted() const {
  return demo && media::PersonPresses() != pressesBeforeDemo;
}

void TJuego::HoldDemoEnd() {
  const uint32_t until = media::Milliseconds() + kWinnerStandsMs;
  while (media::Milliseconds() < until && !DemoInterrupted()) media::Sleep(1);
}

void TJuego::DrawDemoSign() const {
  media::SetColor(255, 255, 255);
  media::SetTransform(0, 1, 1);
  media::SetAlpha(1);
  media::SetBlend(media::kBlendAlpha);
  media::DrawImage(resources->GetDemoSign(), kSignX, kSignY, 0);
}
