// The panorama around the entities: even layers behind them, odd layers in front, each moving
// with its own factor of the scroll so that the scene has depth.
#include <algorithm>

#include "core/sistema.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/jugador_base.h"
#include "field/panorama.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "media/display.h"
#include "media/draw.h"
#include "resources/recursos.h"

namespace {
constexpr int kWinnerImage = 6;  // "gfx/ganador.png"
constexpr float kPictureRise = 200.0f;
constexpr float kPictureSpeed = 0.2f;  // pixels per real millisecond
constexpr float kWinnerNameX = 400;    // the centre of the winner picture's ribbon
constexpr float kWinnerNameY = 438;
constexpr float kPauseDim = 0.55f;  // how dark the paused field turns

const media::ImagePtr& NowhereTarget() {
  static const media::ImagePtr target = media::CreateImage(1, 1, 1, 0);
  return target;
}

void ResetTransform() {
  media::SetAlpha(1);
  media::SetTransform(0, 1, 1);
}

void DrawPictureAt(const media::ImagePtr& picture, const media::ImagePtr& name, float offset) {
  media::DrawImage(picture, 0, offset, 0);
  media::DrawImage(name, kWinnerNameX, kWinnerNameY + offset, 0);
}
}  // namespace

field::Panorama TJuego::Panorama() const {
  return {*resources, level, progress.scroll, tiles};
}

void TJuego::SetPanoramaColour() const {
  if (progress.fade >= 0) {
    const int level = static_cast<int>((1 - progress.fade) * 255);
    media::SetColor(level, level, level);
  } else {
    media::SetColor(255, 255, 255);
  }
}

void TJuego::Render() {
  DrawField();
  media::Flip(-1);
  media::SetClearColor(0, 0, 0);
  if (game::CurrentMatchHooks().draw) media::Clear();
}

void TJuego::PoseField() {
  media::SetDrawTarget(NowhereTarget());
  manager->DrawAll();
  media::SetDrawTarget(nullptr);
}

// Without drawing, the same calls go to a one-pixel target: posing the puppets advances their
// animations, which play depends on, so a run plays the same whether it is drawn or not.
void TJuego::DrawField() {
  const bool drawing = game::CurrentMatchHooks().draw;
  if (!drawing) media::SetDrawTarget(NowhereTarget());
  ResetTransform();
  SetPanoramaColour();
  media::SetBlend(media::kBlendAlpha);
  field::DrawBackPanels(Panorama());
  manager->DrawAll();
  ResetTransform();
  SetPanoramaColour();
  media::SetBlend(media::kBlendAlpha);
  field::DrawFrontPanels(Panorama());
  manager->DrawPlayersThrough([panorama = Panorama()](float x, float y) {
    return field::FrontPanelsCover(panorama, x, y);
  });
  manager->DrawPlayerSigns();
  manager->DrawOffScreenMarkers();
  if (progress.paused) DrawPause();
  if (demo) DrawDemoSign();
  if (!drawing) media::SetDrawTarget(nullptr);
}

// F10 holds the match: the field dims under the sign that says so, until F10 again.
void TJuego::DrawPause() const {
  media::SetColor(0, 0, 0);
  media::SetAlpha(kPauseDim);
  media::SetBlend(media::kBlendAlpha);
  media::FillRect(0, 0, kScreenWidth, kScreenHeight);
  ResetTransform();
  media::SetColor(255, 255, 255);
  media::DrawImage(resources->GetPauseSign(), kScreenWidth / 2.0f, kScreenHeight / 2.0f, 0);
}

// Drawn `offset` pixels below where the glide left the winner; where it stands stays as it was.
void TJuego::DrawStandingOnPodium(TJugadorBase& winner, float offset) {
  media::SetClearColor(0, 0, 0);
  media::Clear();
  const float standing = winner.y;
  winner.y = standing + offset;
  winner.Draw();
  winner.y = standing;
}

int TJuego::WinnerSlot() const {
  for (int slot = 0; slot < manager->GetPlayerCount(); ++slot) {
    if (manager->GetPlayerState(slot) != kPlayerOut) return slot;
  }
  return -1;
}

void TJuego::ShowWinner() {
  manager->PresentWinner();
  RisePicture(resources->GetImage(kWinnerImage), resources->GetWinnerName(WinnerSlot()),
              manager->GetPlayer(WinnerSlot()).get());
}

// The draw's picture slides over the last frame, the back buffer kept. The winner's picture
// carries the winner on its podium: by now only the winner shows on the black field, so each of
// its frames starts from black with the winner standing where the podium has risen to. The
// winner's name rides on the picture's ribbon; both are opaque where they pass, so no trail is
// left.
void TJuego::RisePicture(const media::ImagePtr& picture, const media::ImagePtr& name,
                         TJugadorBase* winner) {
  const auto frame = [&](float offset) {
    if (winner) DrawStandingOnPodium(*winner, offset);
    ResetTransform();
    media::SetColor(255, 255, 255);
    media::SetBlend(media::kBlendAlpha);
    DrawPictureAt(picture, name, offset);
    media::Flip(-1);
  };
  for (float offset = kPictureRise; offset > 0 && !DemoInterrupted();) {
    timer->Update();
    offset -= kPictureSpeed * timer->GetDelta(true);
    frame(std::max(offset, 0.0f));
  }
  frame(0);
  media::SetClearColor(0, 0, 0);
  media::Clear();
}
