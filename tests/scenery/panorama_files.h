#pragma once
// Reads the generated pictures from the build folder the way the game finds them.
#include <map>
#include <string>
#include <vector>

#include "media/image.h"

namespace scenerytest {

inline const std::vector<std::string> kLevels = {"bosque", "ciudad", "metro"};

inline std::string GfxPath(const std::string& file) {
  return std::string(SKULL_BUILD_DIR) + "/gfx/" + file;
}

inline std::string PanelFile(const std::string& level, int layer, int variant) {
  return level + std::to_string(layer) + "_" + std::to_string(variant) + ".png";
}

using Panorama = std::vector<std::vector<media::ImagePtr>>;

// Layers in order, each the list of its variants; the search stops at the first missing
// variant 0, and a layer's variants at the first missing number. Decoded once per test program.
inline const Panorama& LoadPanorama(const std::string& level) {
  static std::map<std::string, Panorama> loaded;
  auto found = loaded.find(level);
  if (found != loaded.end()) return found->second;
  Panorama& layers = loaded[level];
  for (int n = 0;; ++n) {
    std::vector<media::ImagePtr> variants;
    for (int v = 0;; ++v) {
      media::ImagePtr panel = media::LoadImage(GfxPath(PanelFile(level, n, v)));
      if (!panel) break;
      variants.push_back(panel);
    }
    if (variants.empty()) return layers;
    layers.push_back(variants);
  }
}

}  // namespace scenerytest
