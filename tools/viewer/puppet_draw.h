#pragma once
// Draws posed bones with their graphs on a cairo context, as the game draws a puppet: each
// graph turned about its handle by the bone's angle, scaled by the bone's and the owner's scale.
#include <cairo.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "anim/rep_bone.h"

namespace viewer {

// One graph ready for cairo (premultiplied), with its handle.
class Sprite {
 public:
  // Straight ARGB pixels, rows top to bottom.
  Sprite(int width, int height, int handleX, int handleY, const std::vector<uint32_t>& argb);
  ~Sprite();
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  cairo_surface_t* Surface() const { return surface_; }
  int HandleX() const { return handleX_; }
  int HandleY() const { return handleY_; }

 private:
  cairo_surface_t* surface_;
  int handleX_, handleY_;
};

using SpriteSet = std::map<int, std::shared_ptr<Sprite>>;

// The game's stand-in for bones marked 999: the optional part's graph, or 0 to hide it.
constexpr int kOptionalPartMarker = 999;

void DrawPuppet(cairo_t* cr, const SpriteSet& sprites, const std::vector<RepBone>& bones, double x,
                double y, double scaleX, double scaleY, int optionalPart);

}  // namespace viewer
