#pragma once
// Named poses: what a rig script line sets, and how a pose becomes one state per bone.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "rig.h"

namespace chargen {

struct BoneSetting {
  std::optional<float> angle, x, y, scale;
  std::optional<int> depth, graph;
};

// A limb either by its three relative angles or by where its end joint should be.
struct ChainSetting {
  bool inverse = false;
  float a = 0, b = 0, c = 0;  // forward: three relative angles; inverse: end x, end y, end angle
};

struct Pose {
  std::map<int, BoneSetting> bones;
  std::map<std::string, ChainSetting> chains;
};

// Later settings win: a base pose's settings are copied and the derived pose's laid over them.
void MergePose(Pose& into, const Pose& from);

// Rest states, then bone settings, then forward limbs, then inverse limbs (placed against the
// posed parents). Inverse targets are relative to the feet point, the end angle is world degrees.
// Throws std::runtime_error when a limb cannot reach its target.
std::vector<BoneState> ResolvePose(const Rig& rig, const Pose& pose);

// World position and accumulated angle of every bone for the states, owner unscaled at (0, 0).
struct WorldBone {
  float x = 0, y = 0, angle = 0;
};
std::vector<WorldBone> WorldBones(const Rig& rig, const std::vector<BoneState>& states);

// The left-facing copy of a key frame: offsets and angles mirrored, graphs moved to their
// mirrored slots.
KeyFrame MirrorFrame(const Rig& rig, const KeyFrame& frame);

}  // namespace chargen
