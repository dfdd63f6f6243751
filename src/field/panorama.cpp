#include "field/panorama.h"

#include <cmath>
#include <cstdint>

#include "media/draw.h"
#include "resources/recursos.h"

namespace field {

// A variant 0 shown beside another gives way to variant 1, so that a landmark kept to variant 0
// (the moon in the sky) never stands twice in one sky.
int VariantAt(const PanelTiles& tiles, int position, int variants) {
  const auto plain = [&](int at) { return tiles[(at + kPanelTiles) % kPanelTiles] % variants; };
  if (variants > 1 && plain(position) == 0 && plain(position - 1) == 0) return 1;
  return plain(position);
}

namespace {

constexpr int kPanelWidth = 800;
constexpr float kLayerFactor = 0.55f;    // each layer further back moves at 0.55 of the one before
constexpr uint32_t kOpaqueEnough = 160;  // a panel this opaque hides what is behind it

// Three panels around the scroll position; the variant at each panel position is fixed for the
// run and repeats every 32 panels.
void DrawPanelRow(const Panorama& panorama, int layer, float factor) {
  const auto panels = panorama.resources.GetLayer(panorama.level, layer);
  if (!panels || panels->empty()) return;
  const int variants = static_cast<int>(panels->size());
  const float offset = factor * panorama.scroll;
  const int t = static_cast<int>(offset) / kPanelWidth;
  const auto variant = [&](int position) {
    return (*panels)[VariantAt(panorama.tiles, position, variants)];
  };
  media::DrawImage(variant(t == 0 ? t : t - 1), static_cast<float>((t - 1) * kPanelWidth) - offset,
                   0, 0);
  media::DrawImage(variant(t), static_cast<float>(t * kPanelWidth) - offset, 0, 0);
  media::DrawImage(variant(t + 1), static_cast<float>((t + 1) * kPanelWidth) - offset, 0, 0);
}

// Calls visit(layer, factor) for the layers in front of the entities, the nearest last.
template <class Visit>
void EachFrontLayer(const Panorama& panorama, Visit&& visit) {
  const int layers = panorama.resources.GetLayerCount(panorama.level);
  int n = layers % 2 == 0 ? layers - 1 : layers - 2;
  for (int s = (n + 1) / 2; n >= 0; n -= 2, --s) visit(n, 1 / std::pow(kLayerFactor, s));
}

// Whether the panel that DrawPanelRow puts at the screen point (x >= 0, y) is opaque there.
bool PanelOpaqueAt(const Panorama& panorama, int layer, float factor, float x, float y) {
  const auto panels = panorama.resources.GetLayer(panorama.level, layer);
  if (!panels || panels->empty()) return false;
  const float world = factor * panorama.scroll + x;
  const int position = static_cast<int>(world) / kPanelWidth;
  const auto& panel =
      (*panels)[VariantAt(panorama.tiles, position, static_cast<int>(panels->size()))];
  if (!panel) return false;
  const int column =
      static_cast<int>(world - static_cast<float>(position * kPanelWidth) + panel->HandleX());
  const int row = static_cast<int>(y + panel->HandleY());
  if (column < 0 || row < 0 || column >= panel->Width() || row >= panel->Height()) return false;
  return panel->Pixels(0)[row * panel->Width() + column] >> 24 >= kOpaqueEnough;
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
  EachFrontLayer(panorama, [&](int layer, float factor) { DrawPanelRow(panorama, layer, factor); });
}

bool FrontPanelsCover(const Panorama& panorama, float x, float y) {
  if (x < 0 || y < 0) return false;
  bool covered = false;
  EachFrontLayer(panorama, [&](int layer, float factor) {
    covered = covered || PanelOpaqueAt(panorama, layer, factor, x, y);
  });
  return covered;
}

}  // namespace field
