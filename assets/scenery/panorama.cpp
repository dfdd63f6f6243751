#include "art.h"

namespace scenegen {

void AddPanorama(Pictures& out, const std::string& level, const std::vector<Layer>& layers) {
  for (size_t layer = 0; layer < layers.size(); ++layer) {
    for (int variant = 0; variant < layers[layer].variants; ++variant) {
      auto draw = layers[layer].draw;
      out.push_back({level + std::to_string(layer) + "_" + std::to_string(variant) + ".png",
                     kPanelWidth, kScreenHeight,
                     [draw, variant](cairo_t* cr) { draw(cr, variant); }});
    }
  }
}

}  // namespace scenegen
