#pragma once
// The panorama of one level: layers of interchangeable 800-pixel panels. Layer n holds the
// variants of that layer; an undecodable panel file stays in its list as no image.
#include <memory>
#include <vector>

#include "media/image.h"

using PanelLayer = std::vector<media::ImagePtr>;

class nscrolles {
 public:
  std::vector<std::shared_ptr<PanelLayer>> layers;
  int layerCount = 0;
};
