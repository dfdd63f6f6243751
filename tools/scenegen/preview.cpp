// Composes play-field screens from a level's panels the way the game draws them, to look at the
// parallax and the seams: `scenepreview <gfx folder> <level> <out.png> <scroll>... [--stand-ins]`.
// With --stand-ins, boxes mark where players stand (25 x 90 on the ground line).
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kTileCount = 32;

using Layer = std::vector<cairo_surface_t*>;

std::vector<Layer> LoadLevel(const std::string& folder, const std::string& level) {
  std::vector<Layer> layers;
  for (int n = 0;; ++n) {
    Layer variants;
    for (int v = 0;; ++v) {
      std::string path =
          folder + "/" + level + std::to_string(n) + "_" + std::to_string(v) + ".png";
      if (!std::filesystem::exists(path)) break;
      variants.push_back(cairo_image_surface_create_from_png(path.c_str()));
    }
    if (variants.empty()) break;
    layers.push_back(variants);
  }
  return layers;
}

void DrawRow(cairo_t* cr, const Layer& layer, double factor, double scroll, const int* tiles) {
  double offset = factor * scroll;
  int t = static_cast<int>(offset) / kWidth;
  int k = static_cast<int>(layer.size());
  int left = t == 0 ? tiles[t % kTileCount] : tiles[(t - 1) % kTileCount];
  int picks[3] = {left % k, tiles[t % kTileCount] % k, tiles[(t + 1) % kTileCount] % k};
  for (int i = 0; i < 3; ++i) {
    cairo_set_source_surface(cr, layer[picks[i]], (t - 1 + i) * kWidth - offset, 0);
    // Panels are loaded unfiltered by the game: nearest sampling, no half-covered edge column.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
  }
}

void DrawStandIns(cairo_t* cr) {
  for (double x : {200.0, 330.0, 470.0, 600.0}) {
    cairo_rectangle(cr, x - 12.5, 475 - 90, 25, 90);
    cairo_set_source_rgba(cr, 1, 0, 1, 0.8);
    cairo_fill(cr);
  }
}

// The game's order: even layers from the highest down behind, odd layers from the highest down in
// front; every step towards the viewer multiplies the speed by 1 / 0.55.
void DrawScreen(cairo_t* cr, const std::vector<Layer>& layers, double scroll, const int* tiles,
                bool standIns) {
  int count = static_cast<int>(layers.size());
  for (int n = count % 2 ? count - 1 : count - 2, s = n / 2; n >= 0; n -= 2, --s)
    DrawRow(cr, layers[n], std::pow(0.55, s), scroll, tiles);
  if (standIns) DrawStandIns(cr);
  for (int n = count % 2 ? count - 2 : count - 1, s = (n + 1) / 2; n >= 0; n -= 2, --s)
    DrawRow(cr, layers[n], 1 / std::pow(0.55, s), scroll, tiles);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5 || std::string(argv[4]) == "--stand-ins") {
    std::fprintf(stderr, "usage: scenepreview <gfx folder> <level> <out.png> <scroll>...\n");
    return 2;
  }
  std::vector<Layer> layers = LoadLevel(argv[1], argv[2]);
  if (layers.empty()) {
    std::fprintf(stderr, "scenepreview: no panels for %s in %s\n", argv[2], argv[1]);
    return 1;
  }
  int tiles[kTileCount];
  for (int i = 0; i < kTileCount; ++i) tiles[i] = 1000 + (i * 7919 + 13) % 2001;
  bool standIns = std::string(argv[argc - 1]) == "--stand-ins";
  int frames = argc - 4 - standIns;
  cairo_surface_t* strip = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight * frames);
  cairo_t* cr = cairo_create(strip);
  for (int f = 0; f < frames; ++f) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, f * kHeight, kWidth, kHeight);
    cairo_clip(cr);
    cairo_translate(cr, 0, f * kHeight);
    DrawScreen(cr, layers, std::atof(argv[4 + f]), tiles, standIns);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  cairo_status_t status = cairo_surface_write_to_png(strip, argv[3]);
  cairo_surface_destroy(strip);
  for (Layer& layer : layers)
    for (cairo_surface_t* panel : layer) cairo_surface_destroy(panel);
  return status == CAIRO_STATUS_SUCCESS ? 0 : 1;
}
