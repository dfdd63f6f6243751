#include "poser.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace viewer {

namespace {

constexpr float kRadians = std::numbers::pi_v<float> / 180.0f;

float BlendAngle(float a, float b, float t) {
  const float u = 1 - t;
  if (std::abs(a - b) >= 180) return a >= b ? (a - 360) * u + b * t : a * u + (b - 360) * t;
  return a * u + b * t;
}

struct Blend {
  const Key* current;
  const Key* next;  // null = hold current
  float t;
};

Blend FindKeys(const Clip& clip, float time) {
  const int count = static_cast<int>(clip.keys.size());
  const int length = ClipLength(clip);
  if (clip.loop && length > 0) time = std::fmod(time, static_cast<float>(length));
  float start = 0;
  for (int i = 0; i < count; ++i) {
    const bool last = i + 1 == count;
    if (last && !clip.loop) return {&clip.keys[i], nullptr, 0};
    const float duration = static_cast<float>(clip.keys[i].duration);
    if (time < start + duration || last) {
      const Key* next = last ? &clip.keys[0] : &clip.keys[i + 1];
      return {&clip.keys[i], next, duration > 0 ? (time - start) / duration : 1};
    }
    start += duration;
  }
  return {&clip.keys[0], nullptr, 0};
}

}  // namespace

int ClipLength(const Clip& clip) {
  int length = 0;
  for (size_t i = 0; i < clip.keys.size(); ++i) {
    if (clip.loop || i + 1 < clip.keys.size()) length += clip.keys[i].duration;
  }
  return length;
}

std::vector<Posed> PoseClip(const Skeleton& skeleton, const Clip& clip, float time, float scaleX,
                            float scaleY, float angle) {
  std::vector<Posed> posed;
  if (clip.keys.empty() || skeleton.children.empty()) return posed;
  const Blend blend = FindKeys(clip, time);
  auto local = [&](int id) {
    const BoneValues& c = blend.current->bones[id];
    if (!blend.next) return BoneValues{c.x, c.y, c.angle};
    const BoneValues& n = blend.next->bones[id];
    const float t = blend.t;
    return BoneValues{c.x * (1 - t) + n.x * t, c.y * (1 - t) + n.y * t,
                      BlendAngle(c.angle, n.angle, t)};
  };
  auto emit = [&](int id, float x, float y, float accumulated) {
    const BoneValues& c = blend.current->bones[id];
    const float shown = scaleX * scaleY >= 0 ? accumulated : -accumulated;
    posed.push_back({x * scaleX, y * scaleY, shown, c.scale, c.depth, c.graph});
  };
  struct Level {
    int id;
    float x, y, angle;
  };
  const BoneValues root = local(skeleton.root);
  const float theta = angle * kRadians;
  const float rx = root.x * std::cos(theta) - root.y * std::sin(theta);
  const float ry = root.y * std::cos(theta) + root.x * std::sin(theta);
  const Level top{skeleton.root, rx, ry, angle + root.angle};
  emit(top.id, top.x, top.y, top.angle);
  // Depth-first, parents before children, so equal depths keep the walk order.
  std::vector<std::pair<Level, size_t>> walk{{top, 0}};
  while (!walk.empty()) {
    auto& [parent, next] = walk.back();
    const auto& kids = skeleton.children[parent.id];
    if (next >= kids.size()) {
      walk.pop_back();
      continue;
    }
    const int id = kids[next++];
    const BoneValues v = local(id);
    const float phi = parent.angle * kRadians;
    const Level child{id, parent.x + v.x * std::cos(phi) - v.y * std::sin(phi),
                      parent.y + v.y * std::cos(phi) + v.x * std::sin(phi), parent.angle + v.angle};
    emit(id, child.x, child.y, child.angle);
    walk.push_back({child, 0});
  }
  std::stable_sort(posed.begin(), posed.end(),
                   [](const Posed& a, const Posed& b) { return a.depth > b.depth; });
  return posed;
}

}  // namespace viewer
