#pragma once
// Reads packages and animation sets with the game's own readers and turns them into what the
// viewer draws. A missing or damaged file ends the program with the game's own message.
#include <string>
#include <vector>

#include "poser.h"
#include "puppet_draw.h"

namespace viewer {

// Every graph of a VGP file, loaded as the game loads it (flags 6, relative points).
SpriteSet LoadSprites(const std::string& vgpPath);

struct AnimationSet {
  Skeleton skeleton;
  std::vector<Clip> clips;  // by animation index; looping is not stored in the file
};
AnimationSet LoadAnimationSet(const std::string& vbaPath);

}  // namespace viewer
