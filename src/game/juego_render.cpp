// The panorama around the entities: even layers behind them, odd layers in front, each moving
// with its own factor of the scroll so that the scene has depth.
#include <algorithm>
#include <cmath>

#include "entities/administrador.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "game/recursos.h"
#include "media/display.h"
#include "media/draw.h"
#include "shell/sistema.h"
#include "shell/timer.h"

namespace {
constexpr int kPanelWidth = 800;
constexpr float kLayerFactor = 0.55f;  // each layer further back moves at 0.55 of the one before
constexpr int kWinnerImage = 6;        // "gfx/ganador.png"
constexpr float kWinnerRise = 200.0f;
constexpr float kWinnerSpeed = 0.2f;  // pixels per real millisecond

const media::ImagePtr& NowhereTarget() {
  static const media::ImagePtr target = media::CreateImage(1, 1, 1, 0);
  return target;
}

void ResetTransform() {
  media::SetAlpha(1);
  media::SetTransform(0, 1, 1);
}
}  // namespace

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
  const int layers = resources->GetLayerCount(system->GetConfig()->levelIndex);
  ResetTransform();
  if (fade >= 0) fade = std::min(1.0f, fade + timer->GetDelta(true) * fadeRate);
  SetPanoramaColour();
  media::SetBlend(media::kBlendAlpha);
  DrawBackPanels(layers);
  manager->DrawAll();
  ResetTransform();
  SetPanoramaColour();
  media::SetBlend(media::kBlendAlpha);
  DrawFrontPanels(layers);
  if (!drawing) media::SetDrawTarget(nullptr);
  media::Flip(-1);
  media::SetClearColor(0, 0, 0);
  if (drawing) media::Clear();
}

// Layers 0, 2, 4 … behind the entities, the furthest first: layer 0 moves with the scroll, layer 2
// at 0.55 of it, layer 4 at 0.3025.
void TJuego::DrawBackPanels(int layers) const {
  int n = layers % 2 == 1 ? layers - 1 : layers - 2;
  for (int s = n / 2; n >= 0; n -= 2, --s) DrawPanelRow(n, std::pow(kLayerFactor, s));
}

// Layers 1, 3 … in front of the entities, the nearest last: layer 1 moves at 1 / 0.55 of the
// scroll, layer 3 at 1 / 0.55².
void TJuego::DrawFrontPanels(int layers) const {
  int n = layers % 2 == 0 ? layers - 1 : layers - 2;
  for (int s = (n + 1) / 2; n >= 0; n -= 2, --s) DrawPanelRow(n, 1 / std::pow(kLayerFactor, s));
}

// Three panels around the scroll position; the variant at each panel position is fixed for the
// match and repeats every 32 panels.
void TJuego::DrawPanelRow(int layer, float factor) const {
  const auto panels = resources->GetLayer(system->GetConfig()->levelIndex, layer);
  if (!panels || panels->empty()) return;
  const int variants = static_cast<int>(panels->size());
  const float offset = factor * scroll;
  const int t = static_cast<int>(offset) / kPanelWidth;
  const auto variant = [&](int position) { return (*panels)[tiles[position % kTiles] % variants]; };
  media::DrawImage(variant(t == 0 ? t : t - 1), static_cast<float>((t - 1) * kPanelWidth) - offset,
                   0, 0);
  media::DrawImage(variant(t), static_cast<float>(t * kPanelWidth) - offset, 0, 0);
  media::DrawImage(variant(t + 1), static_cast<float>((t + 1) * kPanelWidth) - offset, 0, 0);
}

// The back buffer is not cleared while the picture rises: it slides over the last frame.
void TJuego::ShowWinner() {
  manager->PresentWinner();
  ResetTransform();
  media::SetColor(255, 255, 255);
  media::SetBlend(media::kBlendAlpha);
  const auto picture = resources->GetImage(kWinnerImage);
  for (float offset = kWinnerRise; offset > 0;) {
    timer->Update();
    offset -= kWinnerSpeed * timer->GetDelta(true);
    media::DrawImage(picture, 0, offset, 0);
    media::Flip(-1);
  }
  media::DrawImage(picture, 0, 0, 0);
  media::Flip(-1);
  media::SetClearColor(0, 0, 0);
  media::Clear();
}
