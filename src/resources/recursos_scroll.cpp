#include <filesystem>
#include <map>
#include <system_error>

#include "media/stream.h"
#include "resources/recursos.h"

namespace {
std::string PanelPath(const std::string& name, int layer, int variant) {
  return "gfx/" + name + std::to_string(layer) + "_" + std::to_string(variant) + ".png";
}

// Present means readable: data installed for everyone is often read-only for the player.
bool PanelPresent(const std::string& name, int layer, int variant) {
  return media::FileExists(PanelPath(name, layer, variant));
}

// Panels are never drawn into, so the game's and the tutorial's resource managers share one copy
// of each file's picture while either holds it. Most panels are sky above a strip of scenery:
// only the strip is kept.
media::ImagePtr LoadPanel(const std::string& path) {
  static std::map<std::filesystem::path, std::weak_ptr<media::Image>> loaded;
  std::error_code error;
  std::weak_ptr<media::Image>& entry = loaded[std::filesystem::absolute(path, error)];
  media::ImagePtr panel = entry.lock();
  if (!panel) entry = panel = media::TrimTransparentEdges(media::LoadImage(path, 0));
  return panel;
}
}  // namespace

void TRecursos::EmptyLevel(nscrolles& scroll) {
  scroll.layers.clear();
  scroll.layerCount = 0;
}

// Layers are numbered from 0 and end at the first layer without a variant 0; the variants of a
// layer end at the first missing number. Only the first kMaxLayers layers are used.
void TRecursos::LoadScroll(int level, const std::string& name) {
  if (level < 0 || level >= kLevels) return;
  nscrolles& scroll = scrolls[level];
  EmptyLevel(scroll);
  if (name.empty()) return;
  while (scroll.layerCount < kMaxLayers && PanelPresent(name, scroll.layerCount, 0)) {
    auto layer = std::make_shared<PanelLayer>();
    for (int variant = 0; PanelPresent(name, scroll.layerCount, variant); ++variant) {
      layer->push_back(LoadPanel(PanelPath(name, scroll.layerCount, variant)));
    }
    scroll.layers.push_back(std::move(layer));
    ++scroll.layerCount;
  }
}

int TRecursos::GetLayerCount(int level) const {
  return level >= 0 && level < kLevels ? scrolls[level].layerCount : 0;
}

std::shared_ptr<PanelLayer> TRecursos::GetLayer(int level, int n) const {
  if (level < 0 || level >= kLevels) return nullptr;
  const nscrolles& scroll = scrolls[level];
  return n >= 0 && n < scroll.layerCount ? scroll.layers[n] : nullptr;
}
