#include "field/panorama.h"

#include <cmath>

#include "media/draw.h"
#include "resources/recursos.h"

namespace field {

namespace {

constexpr int kPanelWidth = 800;
constexpr float kLayerFactor = 0.55f;  // each layer further back moves at 0.55 of the one before

// Three panels around the scroll position; the variant at each panel position is fixed for the
// run and repeats every 32 panels.
void DrawPanelRow(const Panorama& panorama, int layer, float factor) {
  const auto panels = panorama.resources.GetLayer(panorama.level, layer);
  if (!panels || panels->empty()) return;
  const int variants = static_cast<int>(panels->size());
  const float offset = factor * panorama.scroll;
  const int t = static_cast<int>(offset) / kPanelWidth;
  const auto variant = [&](int position) {
    return (*panels)[panorama.tiles[position % kPanelTiles] % variants];
  };
  media::DrawImage(variant(t == 0 ? t : t - 1), static_cast<float>((t - 1) * kPanelWidth) - offset,
                   0, 0);
  media::DrawImage(variant(t), static_cast<float>(t * kPanelWidth) - offset, 0, 0);
  media::DrawImage(variant(t + 1), static_cast<float>((t + 1) * kPanelWidth) - offset, 0, 0);
}

}  // namespace

// Layer 0 moves with the scroll, layer 2 at 0.55 of it, layer 4 at 0.3025.
void DrawBackPanels(const Panorama& panorama) {
  const int layers = panorama.resources.GetLayerCount(panorama.level);
  int n = layers % 2 == 1 ? layers - 1 : layers - 2;
  for (int s = n / 2; n >= 0; n -= 2, --s) DrawPanelRow(panorama, n, std::pow(kLayerFactor, s));
}

// Layer 1 moves at 1 / 0.55 of the scroll, layer 3 at 1 / 0.55².
void DrawFrontPanels(const Panorama& panorama) {
  const int layers = panorama.resources.GetLayerCount(panorama.level);
  int n = layers % 2 == 0 ? layers - 1 : layers - 2;
  for (int s = (n + 1) / 2; n >= 0; n -= 2, --s) {
    DrawPanelRow(panorama, n, 1 / std::pow(kLayerFactor, s));
  }
}

}  // namespace field
