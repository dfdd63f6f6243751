#pragma once
// One posed bone, in its owner's coordinates relative to the owner's position.
#include <cstdint>

struct RepBone {
  float x = 0;  // offset from the owner's position, owner scale applied
  float y = 0;
  int32_t depth = 0;  // greater depths are drawn first
  float angle = 0;    // rotation of the bone's image, degrees
  float scale = 1;    // the bone's own image scale
  int32_t graph = 0;  // graph number in the owner's package; 0 = no image

  // -1 when this bone lies further back (greater depth), 1 when further forward, 0 level.
  int Compare(const RepBone& other) const {
    if (depth > other.depth) return -1;
    if (depth < other.depth) return 1;
    return 0;
  }
};
