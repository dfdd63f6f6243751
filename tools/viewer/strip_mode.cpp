#include <cstdio>
#include <iostream>

#include "anim/vba.h"
#include "cell.h"
#include "game_files.h"
#include "modes.h"
#include "options.h"

namespace viewer {

int RunStrip(int argc, char** argv) {
  const Options options(argc, argv, {"--loop", "--mirror"});
  const auto& words = options.Positional();
  if (words.size() != 4) {
    std::cerr << "usage: viewer strip PACKAGE.vgp ANIMS.vba INDEX OUT.png [--frames N] [--loop]"
                 " [--mirror] [--part G] [--angle DEG] [--zoom Z]\n";
    return 1;
  }
  const SpriteSet sprites = LoadSprites(words[0]);
  const auto set = LoadAnimationSet(words[1]);
  const int index = std::stoi(words[2]);
  if (index < 0 || index >= set->animCount) {
    std::cerr << words[1] << " has no animation " << index << "\n";
    return 1;
  }
  const bool loop = options.Has("--loop");
  const int frames = std::max(1, static_cast<int>(options.Number("--frames", 8)));
  const double zoom = options.Number("--zoom", 1);
  const Character character{set, &sprites, static_cast<int>(options.Number("--part", 0))};
  const float length = static_cast<float>(PassLength(*set, index, loop));
  // A loop's frames stop one step short of the end, which is its first frame again.
  const int steps = loop ? frames : std::max(1, frames - 1);
  artkit::Canvas canvas(static_cast<int>(kCellWidth * frames * zoom),
                        static_cast<int>(kCellHeight * zoom));
  cairo_scale(canvas.Cairo(), zoom, zoom);
  for (int f = 0; f < frames; ++f) {
    const Moment moment{index, loop, length * f / steps, options.Has("--mirror") ? -1.0f : 1.0f,
                        options.Number("--angle", 0)};
    char caption[64];
    std::snprintf(caption, sizeof caption, "%d  t=%.0f ms", index, moment.time);
    DrawCell(canvas.Cairo(), f * kCellWidth, 0, character, moment, caption);
  }
  if (!canvas.SavePNG(words[3])) {
    std::cerr << "cannot write " << words[3] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace viewer
