#include "pose.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace chargen {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
// How far a limb target may lie beyond the limb's reach before the script is refused.
constexpr double kReachSlack = 1.5;

// A bone pointing at world angle a runs along (-sin a, cos a): 0 is straight down, positive
// angles turn clockwise on screen (y grows downwards).
double DirectionAngle(double dx, double dy) {
  return std::atan2(-dx, dy) * kDegrees;
}

void Apply(BoneState& state, const BoneSetting& setting) {
  if (setting.angle) state.angle = *setting.angle;
  if (setting.x) state.x = *setting.x;
  if (setting.y) state.y = *setting.y;
  if (setting.scale) state.scale = *setting.scale;
  if (setting.depth) state.depth = *setting.depth;
  if (setting.graph) state.graph = *setting.graph;
}

void SolveLimb(const Rig& rig, const std::string& name, const Chain& chain,
               const ChainSetting& target, std::vector<BoneState>& states) {
  const auto world = WorldBones(rig, states);
  const int parent = rig.bones[chain.upper].parent;
  const double parentAngle = world[parent].angle;
  const double jx = world[chain.upper].x, jy = world[chain.upper].y;
  const double upper = std::hypot(states[chain.lower].x, states[chain.lower].y);
  const double lower = std::hypot(states[chain.end].x, states[chain.end].y);
  const double dx = target.a - jx, dy = target.b - jy;
  double reach = std::hypot(dx, dy);
  if (reach > upper + lower + kReachSlack) {
    throw std::runtime_error("limb " + name + " cannot reach (" + std::to_string(target.a) + ", " +
                             std::to_string(target.b) + ")");
  }
  reach = std::clamp(reach, std::abs(upper - lower) + 1e-3, upper + lower - 1e-3);
  const double spread =
      std::acos(std::clamp((upper * upper + reach * reach - lower * lower) / (2 * upper * reach),
                           -1.0, 1.0)) *
      kDegrees;
  const double upperAngle = DirectionAngle(dx, dy) - chain.bend * spread;
  const double kx = jx - upper * std::sin(upperAngle / kDegrees);
  const double ky = jy + upper * std::cos(upperAngle / kDegrees);
  const double lowerAngle = DirectionAngle(target.a - kx, target.b - ky);
  states[chain.upper].angle = static_cast<float>(upperAngle - parentAngle);
  states[chain.lower].angle = static_cast<float>(lowerAngle - upperAngle);
  states[chain.end].angle = static_cast<float>(target.c - lowerAngle);
}

}  // namespace

void MergePose(Pose& into, const Pose& from) {
  for (const auto& [bone, setting] : from.bones) {
    BoneSetting& merged = into.bones[bone];
    if (setting.angle) merged.angle = setting.angle;
    if (setting.x) merged.x = setting.x;
    if (setting.y) merged.y = setting.y;
    if (setting.scale) merged.scale = setting.scale;
    if (setting.depth) merged.depth = setting.depth;
    if (setting.graph) merged.graph = setting.graph;
  }
  for (const auto& [chain, setting] : from.chains) into.chains[chain] = setting;
}

std::vector<WorldBone> WorldBones(const Rig& rig, const std::vector<BoneState>& states) {
  std::vector<WorldBone> world(rig.bones.size());
  for (size_t i = 0; i < rig.bones.size(); ++i) {
    const BoneState& s = states[i];
    const int parent = rig.bones[i].parent;
    if (parent < 0) {
      world[i] = {s.x, s.y, s.angle};
      continue;
    }
    const WorldBone& p = world[parent];
    const double a = p.angle / kDegrees;
    world[i].x = static_cast<float>(p.x + s.x * std::cos(a) - s.y * std::sin(a));
    world[i].y = static_cast<float>(p.y + s.y * std::cos(a) + s.x * std::sin(a));
    world[i].angle = p.angle + s.angle;
  }
  return world;
}

std::vector<BoneState> ResolvePose(const Rig& rig, const Pose& pose) {
  std::vector<BoneState> states;
  for (const BoneDef& bone : rig.bones) states.push_back(bone.rest);
  for (const auto& [bone, setting] : pose.bones) Apply(states[bone], setting);
  for (const auto& [name, setting] : pose.chains) {
    if (setting.inverse) continue;
    const Chain& chain = rig.chains.at(name);
    states[chain.upper].angle = setting.a;
    states[chain.lower].angle = setting.b;
    states[chain.end].angle = setting.c;
  }
  for (const auto& [name, setting] : pose.chains) {
    if (setting.inverse) SolveLimb(rig, name, rig.chains.at(name), setting, states);
  }
  return states;
}

KeyFrame MirrorFrame(const Rig& rig, const KeyFrame& frame) {
  KeyFrame mirrored = frame;
  for (BoneState& state : mirrored.states) {
    state.x = -state.x;
    state.angle = -state.angle;
    if (rig.mirrorOffset > 0 && state.graph > 0 && state.graph < rig.mirrorOffset) {
      state.graph += rig.mirrorOffset;
    }
  }
  return mirrored;
}

}  // namespace chargen
