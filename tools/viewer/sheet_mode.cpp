#include <iostream>
#include <sstream>

#include "anim/vba.h"
#include "cell.h"
#include "game_files.h"
#include "modes.h"
#include "options.h"

namespace viewer {

static std::vector<int> ParseIndexes(const std::string& list) {
  std::vector<int> indexes;
  std::stringstream in(list);
  for (std::string item; std::getline(in, item, ',');) indexes.push_back(std::stoi(item));
  return indexes;
}

int RunSheet(int argc, char** argv) {
  const Options options(argc, argv, {});
  const auto& words = options.Positional();
  if (words.size() < 4) {
    std::cerr << "usage: viewer sheet OUT.png ANIMS.vba INDEXES PACKAGE.vgp... [--at FRACTION]"
                 " [--part G] [--zoom Z]\n";
    return 1;
  }
  const auto set = LoadAnimationSet(words[1]);
  const std::vector<int> indexes = ParseIndexes(words[2]);
  for (int index : indexes) {
    if (index < 0 || index >= set->animCount) {
      std::cerr << words[1] << " has no animation " << index << "\n";
      return 1;
    }
  }
  const std::vector<std::string> packages(words.begin() + 3, words.end());
  const double zoom = options.Number("--zoom", 1);
  const float at = options.Number("--at", 0.3f);
  artkit::Canvas canvas(static_cast<int>(kCellWidth * indexes.size() * zoom),
                        static_cast<int>(kCellHeight * packages.size() * zoom));
  cairo_scale(canvas.Cairo(), zoom, zoom);
  for (size_t row = 0; row < packages.size(); ++row) {
    const SpriteSet sprites = LoadSprites(packages[row]);
    const Character character{set, &sprites, static_cast<int>(options.Number("--part", 0))};
    for (size_t column = 0; column < indexes.size(); ++column) {
      const int index = indexes[column];
      const Moment moment{index, false, PassLength(*set, index, false) * at};
      DrawCell(canvas.Cairo(), static_cast<int>(column * kCellWidth),
               static_cast<int>(row * kCellHeight), character, moment, std::to_string(index));
    }
  }
  if (!canvas.SavePNG(words[0])) {
    std::cerr << "cannot write " << words[0] << "\n";
    return 1;
  }
  return 0;
}

}  // namespace viewer
