// viewer panorama: frames of a level as a match draws them, to judge parallax, seams and how the
// front layers pass over the players.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iostream>

#include "artkit.h"
#include "cell.h"
#include "game_files.h"
#include "media/image.h"
#include "modes.h"
#include "options.h"

namespace viewer {
namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kTileCount = 32;
constexpr double kLayerStep = 0.55;   // each layer further back moves at 0.55 of the next
constexpr double kScrollPerMs = 0.4;  // the ground's speed in a match
constexpr double kGroundY = 475;
constexpr int kRunAnimation = 1;
constexpr double kPlayerX[] = {200, 330, 470, 600};

using Layer = std::vector<std::shared_ptr<Sprite>>;

// Panels found by the game's rule: "gfx/" + level + layer + "_" + variant + ".png", a layer's
// variants up to the first missing number, layers up to the first missing variant 0.
std::vector<Layer> LoadLayers(const std::string& data, const std::string& level) {
  std::vector<Layer> layers;
  for (int n = 0;; ++n) {
    Layer variants;
    for (int v = 0;; ++v) {
      const std::string path =
          data + "/gfx/" + level + std::to_string(n) + "_" + std::to_string(v) + ".png";
      const media::ImagePtr panel = media::LoadImage(path, 0);
      if (!panel) break;
      const uint32_t* pixels = panel->Pixels(0);
      const std::vector<uint32_t> argb(pixels, pixels + panel->Width() * panel->Height());
      variants.push_back(std::make_shared<Sprite>(panel->Width(), panel->Height(), 0, 0, argb));
    }
    if (variants.empty()) return layers;
    layers.push_back(variants);
  }
}

// One row of panels with the game's choice of variants: the tile numbers pick a variant per
// 800-pixel position, and the three panels around the view are drawn.
void DrawRow(cairo_t* cr, const Layer& layer, double factor, double scroll, const int* tiles) {
  const double offset = factor * scroll;
  const int t = static_cast<int>(offset) / kScreenWidth;
  const int k = static_cast<int>(layer.size());
  const int picks[3] = {(t == 0 ? tiles[0] : tiles[(t - 1) % kTileCount]) % k,
                        tiles[t % kTileCount] % k, tiles[(t + 1) % kTileCount] % k};
  for (int i = 0; i < 3; ++i) {
    cairo_set_source_surface(cr, layer[picks[i]]->Surface(), (t - 1 + i) * kScreenWidth - offset,
                             0);
    // The game loads panels unfiltered: nearest sampling, no half-covered edge column.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
  }
}

struct Runners {
  std::shared_ptr<VBA> animations;
  std::vector<SpriteSet> looks;
};

void DrawRunners(cairo_t* cr, const Runners& runners, double scroll) {
  // The run loop's phase follows the ground, so frames at nearby scrolls show nearby strides.
  const float time = static_cast<float>(scroll / kScrollPerMs);
  for (size_t i = 0; i < runners.looks.size(); ++i) {
    const Character runner{runners.animations, &runners.looks[i], 0};
    const Moment moment{kRunAnimation, true, time + 97.0f * i, 1, 0};
    DrawPuppet(cr, runners.looks[i], PoseAt(runner, moment), kPlayerX[i], kGroundY, 1, 1, 0);
  }
}

// Even layers from the highest down behind the players, odd layers from the highest down in
// front; layer 0 moves with the ground, every step away from it by a factor of 0.55.
void DrawScreen(cairo_t* cr, const std::vector<Layer>& layers, const Runners& runners,
                double scroll, const int* tiles) {
  const int count = static_cast<int>(layers.size());
  for (int n = count % 2 ? count - 1 : count - 2, s = n / 2; n >= 0; n -= 2, --s)
    DrawRow(cr, layers[n], std::pow(kLayerStep, s), scroll, tiles);
  DrawRunners(cr, runners, scroll);
  for (int n = count % 2 ? count - 2 : count - 1, s = (n + 1) / 2; n >= 0; n -= 2, --s)
    DrawRow(cr, layers[n], 1 / std::pow(kLayerStep, s), scroll, tiles);
}

}  // namespace

int RunPanorama(int argc, char** argv) {
  const Options options(argc, argv, {});
  const auto& words = options.Positional();
  if (words.size() < 4) {
    std::cerr << "usage: viewer panorama DATA_FOLDER LEVEL OUT.png SCROLL... [--players N]\n";
    return 1;
  }
  const std::string& data = words[0];
  const std::vector<Layer> layers = LoadLayers(data, words[1]);
  if (layers.empty()) {
    std::cerr << "no panels " << data << "/gfx/" << words[1] << "0_0.png\n";
    return 1;
  }
  const int players = std::clamp(static_cast<int>(options.Number("--players", 4)), 0, 4);
  Runners runners;
  if (players > 0) {
    runners.animations = LoadAnimationSet(data + "/anim/animchr.vba");
    for (int i = 0; i < players; ++i)
      runners.looks.push_back(LoadSprites(data + "/gfx/chr" + std::to_string(i) + ".vgp"));
  }
  int tiles[kTileCount];
  for (int i = 0; i < kTileCount; ++i) tiles[i] = 1000 + (i * 7919 + 13) % 2001;
  const int frames = static_cast<int>(words.size()) - 3;
  artkit::Canvas canvas(kScreenWidth, kScreenHeight * frames);
  cairo_t* cr = canvas.Cairo();
  for (int f = 0; f < frames; ++f) {
    cairo_save(cr);
    cairo_rectangle(cr, 0, f * kScreenHeight, kScreenWidth, kScreenHeight);
    cairo_clip(cr);
    cairo_translate(cr, 0, f * kScreenHeight);
    DrawScreen(cr, layers, runners, std::stod(words[3 + f]), tiles);
    cairo_restore(cr);
  }
  if (!canvas.SavePNG(words[2])) {
    std::cerr << "cannot write " << words[2] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace viewer
