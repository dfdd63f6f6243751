// The panorama around the entities: even layers behind them, odd layers in front, each moving
// with its own factor of the scroll so that the scene has depth.
#include <algorithm>

#include "core/sistema.h"
#include "core/timer.h"
#include "entities/administrador.h"
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

const media::ImagePtr& NowhereTarget() {
  static const media::ImagePtr target = media::CreateImage(1, 1, 1, 0);
  return target;
}

void ResetTransform() {
  media::SetAlpha(1);
  media::SetTransform(0, 1, 1);
}
}  // namespace

field::Panorama TJuego::Panorama() const {
  return {*resources, system->GetConfig()->levelIndex, scroll, tiles};
}

void TJuego::SetPanoramaColour() const {
  if (fade >= 0) {
    const int level = static_cast<int>((1 - fade) * 255);
    media::SetColor(level, level, level);
  } else {
    media::SetColor(255, 255, 255);
  }
}

// Without drawing, the same calls go to a one-pixel target: posing the puppets advances their
// animations, which play depends on, so a run plays the same whether it is drawn or not.
void TJuego::Render() {
  const bool drawing = game::CurrentMatchHooks().draw;
  if (!drawing) media::SetDrawTarget(NowhereTarget());
  ResetTransform();
  if (fade >= 0) fade = std::min(1.0f, fade + timer->GetDelta(true) * fadeRate);
  SetPanoramaColour();
  media::SetBlend(media::kBlendAlpha);
  field::DrawBackPanels(Panorama());
  manager->DrawAll();
  ResetTransform();
  SetPanoramaColour();
  media::SetBlend(media::kBlendAlpha);
  field::DrawFrontPanels(Panorama());
  if (!drawing) media::SetDrawTarget(nullptr);
  media::Flip(-1);
  media::SetClearColor(0, 0, 0);
  if (drawing) media::Clear();
}

void TJuego::ShowWinner() {
  manager->PresentWinner();
  RisePicture(resources->GetImage(kWinnerImage));
}

// The back buffer is not cleared while the picture rises: it slides over the last frame.
void TJuego::RisePicture(const media::ImagePtr& picture) {
  ResetTransform();
  media::SetColor(255, 255, 255);
  media::SetBlend(media::kBlendAlpha);
  for (float offset = kPictureRise; offset > 0;) {
    timer->Update();
    offset -= kPictureSpeed * timer->GetDelta(true);
    media::DrawImage(picture, 0, offset, 0);
    media::Flip(-1);
  }
  media::DrawImage(picture, 0, 0, 0);
  media::Flip(-1);
  media::SetClearColor(0, 0, 0);
  media::Clear();
}
