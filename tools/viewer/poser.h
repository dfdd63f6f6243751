#pragma once
// Poses a skeleton the way the game does: key frames blended linearly (angles along the shorter
// arc), offsets turned by the parent's accumulated angle, the owner's scale and rotation applied,
// bones listed back to front by depth. Works on plain copies of the animation data so that it
// serves any source of skeletons.
#include <vector>

namespace viewer {

struct BoneValues {
  float x = 0, y = 0, angle = 0, scale = 1;
  int depth = 0, graph = 0;
};

struct Skeleton {
  int root = 0;
  std::vector<std::vector<int>> children;  // by bone id, in order
};

struct Key {
  int duration = 0;
  std::vector<BoneValues> bones;  // by bone id
};

struct Clip {
  bool loop = false;
  std::vector<Key> keys;
};

// A posed bone: offsets from the owner's position, the image's angle and scale, its graph.
struct Posed {
  float x = 0, y = 0, angle = 0, scale = 1;
  int depth = 0, graph = 0;
};

// The clip played from time 0 without a blend-in, posed at `time` ms. One-shots hold their last
// key; loops blend their last key back into the first.
std::vector<Posed> PoseClip(const Skeleton& skeleton, const Clip& clip, float time, float scaleX,
                            float scaleY, float angle);

// Length of one pass: the sum of the durations up to the last key (one-shots) or of all (loops).
int ClipLength(const Clip& clip);

}  // namespace viewer
