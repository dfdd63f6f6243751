#pragma once
// Reads packages and animation sets with the game's own readers. A missing or damaged file ends
// the program with the game's own message.
#include <memory>
#include <string>

#include "puppet_draw.h"

class VBA;

namespace viewer {

// Every graph of a VGP file, loaded as the game loads it (flags 6, relative points).
SpriteSet LoadSprites(const std::string& vgpPath);

std::shared_ptr<VBA> LoadAnimationSet(const std::string& vbaPath);

// Milliseconds of one pass of animation `index`: up to its last key frame for a one-shot (the
// moment the game sees it finished), through the blend back to the first for a loop.
int PassLength(const VBA& set, int index, bool loop);

}  // namespace viewer
