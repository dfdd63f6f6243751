#pragma once
// The panorama of a level around the entities: even layers behind them, odd layers in front, each
// moving with its own factor of the scroll so that the scene has depth. The match and the tutorial
// draw the same panorama; the render state (colour, blend) is the caller's.
#include <array>

class TRecursos;

namespace field {

inline constexpr int kPanelTiles = 32;  // panel variants repeat every 32 panels
using PanelTiles = std::array<int, kPanelTiles>;

struct Panorama {
  const TRecursos& resources;
  int level;
  float scroll;             // position in pixels
  const PanelTiles& tiles;  // which variant each panel position shows
};

// The variant a layer of `variants` panels shows at panel position `position` (0 or more).
int VariantAt(const PanelTiles& tiles, int position, int variants);
// Layers 0, 2, 4 … behind the entities, the furthest first.
void DrawBackPanels(const Panorama& panorama);
// Layers 1, 3 … in front of the entities, the nearest last.
void DrawFrontPanels(const Panorama& panorama);
// Whether a layer in front of the entities hides the screen point (x, y).
bool FrontPanelsCover(const Panorama& panorama, float x, float y);

}  // namespace field
