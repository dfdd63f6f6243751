#pragma once
// One picture of a strip or sheet: a puppet posed at one moment by the game's own animation
// playback, standing on a ground line, with a caption.
#include <memory>
#include <string>

#include "artkit.h"
#include "puppet_draw.h"

class VBA;

namespace viewer {

constexpr int kCellWidth = 150;
constexpr int kCellHeight = 170;
constexpr int kGroundFromBottom = 28;  // the feet point sits this far above the cell's bottom

struct Character {
  std::shared_ptr<VBA> animations;
  const SpriteSet* sprites = nullptr;
  int optionalPart = 0;  // graph shown for bones marked 999 (0 hides them)
};

struct Moment {
  int animation = 0;
  bool loop = false;
  float time = 0;    // ms since the animation started, without a blend-in
  float scaleX = 1;  // -1 shows the puppet mirrored as the game mirrors it
  float angle = 0;   // the owner's rotation (the dive's aim)
};

// The character's bones at that moment, posed by the game's own playback, relative to its feet.
std::vector<RepBone> PoseAt(const Character& character, const Moment& moment);

// Draws the moment into the cell whose top-left corner is (left, top).
void DrawCell(cairo_t* cr, int left, int top, const Character& character, const Moment& moment,
              const std::string& caption);

}  // namespace viewer
