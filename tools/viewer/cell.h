#pragma once
// One picture of a strip or sheet: a puppet posed at one moment, standing on a ground line,
// with a caption.
#include <string>

#include "artkit.h"
#include "puppet_draw.h"

namespace viewer {

constexpr int kCellWidth = 150;
constexpr int kCellHeight = 170;
constexpr int kGroundFromBottom = 28;  // the feet point sits this far above the cell's bottom

struct Character {
  const Skeleton* skeleton = nullptr;
  const SpriteSet* sprites = nullptr;
  int optionalPart = 0;  // graph shown for bones marked 999 (0 hides them)
};

// Draws the clip at `time` into the cell whose top-left corner is (left, top). scaleX -1 shows
// the puppet mirrored as the game mirrors it; `angle` is the owner's rotation (the dive's aim).
void DrawCell(cairo_t* cr, int left, int top, const Character& character, const Clip& clip,
              float time, float scaleX, float angle, const std::string& caption);

}  // namespace viewer
