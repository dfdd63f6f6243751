#pragma once
// The pictures the scenery generator writes: every source file adds its own to the list.
#include <cairo.h>

#include <functional>
#include <string>
#include <vector>

#include "core/player_colours.h"
#include "paint.h"

namespace scenegen {

struct Picture {
  std::string file;  // relative to the gfx/ folder
  int width = 0;
  int height = 0;
  std::function<void(cairo_t*)> draw;
};
using Pictures = std::vector<Picture>;

constexpr int kPlayers = kPlayerColourCount;

// One layer of a panorama: `draw` paints variant `variant` of an 800 x 600 panel.
struct Layer {
  int variants = 1;
  std::function<void(cairo_t*, int variant)> draw;
};

// Adds "<level><layer>_<variant>.png" for every variant of every layer.
void AddPanorama(Pictures& out, const std::string& level, const std::vector<Layer>& layers);

void AddBosque(Pictures& out);
void AddCiudad(Pictures& out);
void AddMetro(Pictures& out);
void AddPlayfieldProps(Pictures& out);
void AddSigns(Pictures& out);
void AddSplash(Pictures& out);
void AddWinner(Pictures& out);
void AddDraw(Pictures& out);

}  // namespace scenegen
