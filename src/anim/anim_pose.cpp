#include <cmath>

#include "anim/anim_state.h"
#include "anim/vba.h"
#include "media/trig.h"

namespace {
constexpr float kFullTurn = 360.0f;
constexpr float kHalfTurn = 180.0f;

// Remainder of a / 360 with the sign of a, lifted into [0, 360) in single precision.
float Normalise(float a) {
  float r = std::fmod(a, kFullTurn);
  if (!(r >= 0)) r = r + kFullTurn;
  return r;
}

// Entry for a normalised angle. A value that rounded up to 360 (or that is not a number) reads
// entry 0 rather than past the end.
int TableIndex(float normalised) {
  const float tenths = normalised * 10.0f;
  if (!(tenths >= 0.0f && tenths < static_cast<float>(kTrigSteps))) return 0;
  return static_cast<int>(tenths);
}

// Linear blend of two angles along the shorter arc.
float BlendAngle(float a, float b, float t, float u) {
  if (std::fabs(a - b) >= kHalfTurn) {
    if (a >= b) return (a - kFullTurn) * u + b * t;
    return a * u + (b - kFullTurn) * t;
  }
  return a * u + b * t;
}

struct Offset {
  float x, y, angle;
};

// Inserts in place keeping equal depths in walk order; the lists are a few dozen bones long.
void SortByDepth(std::vector<RepBone>& bones) {
  for (size_t i = 1; i < bones.size(); ++i) {
    const RepBone bone = bones[i];
    size_t j = i;
    while (j > 0 && bones[j - 1].Compare(bone) > 0) {
      bones[j] = bones[j - 1];
      --j;
    }
    bones[j] = bone;
  }
}

// The part of posing that depends on the two key frames and the time.
class PoseFrames {
 public:
  PoseFrames(const AnimState& state, float now)
      : current_(state.currentFrame->states), blending_(state.nextFrame && state.frameEnd != 0) {
    if (!blending_) return;
    next_ = &state.nextFrame->states;
    const int64_t span = static_cast<int64_t>(state.frameEnd) - state.frameStart;
    t_ = span == 0 ? 1.0f : (now - static_cast<float>(state.frameStart)) / static_cast<float>(span);
    u_ = 1 - t_;
  }

  bool Blending() const { return blending_; }
  bool Has(int id) const {
    return id >= 0 && static_cast<size_t>(id) < current_.size() &&
           (!blending_ || static_cast<size_t>(id) < next_->size());
  }
  const VBABoneState& Current(int id) const { return current_[id]; }

  Offset OffsetOf(int id) const {
    const VBABoneState& c = current_[id];
    if (!blending_) return {c.x, c.y, c.angle};
    const VBABoneState& n = (*next_)[id];
    return {c.x * u_ + n.x * t_, c.y * u_ + n.y * t_, BlendAngle(c.angle, n.angle, t_, u_)};
  }

 private:
  using States = std::vector<VBABoneState>;
  const States& current_;
  const States* next_ = nullptr;
  bool blending_;
  float t_ = 0;  // not clamped: a late pose overshoots as the old one did
  float u_ = 1;
};

void Append(std::vector<RepBone>& bones, const VBABoneState& state, float px, float py, float angle,
            float sx, float sy) {
  const bool mirrored = sx * sy < 0;
  bones.push_back(
      {px * sx, py * sy, state.depth, mirrored ? -angle : angle, state.scale, state.graph});
}
}  // namespace

void AnimState::Pose(float now, float sx, float sy, float angle) {
  repBones.clear();
  if (animIndex < 0 || !currentFrame || vba->boneCount <= 0 || !vba->root) return;
  const PoseFrames frames(*this, now);
  const VBABone& root = *vba->root;
  if (!frames.Has(root.id)) return;

  const float theta = Normalise(angle);
  const int ti = TableIndex(theta);
  const float sinT = sinTable[ti], cosT = cosTable[ti];
  const Offset o = frames.OffsetOf(root.id);
  // Blending scales the cross terms of the root by the owner's scale; holding does not. Kept: the
  // puppets have always moved this way when mirrored and turned.
  float px, py;
  if (frames.Blending()) {
    px = o.x * cosT - sx * (o.y * sinT);
    py = o.y * cosT + sy * (o.x * sinT);
  } else {
    px = o.x * cosT - o.y * sinT;
    py = o.y * cosT + o.x * sinT;
  }
  stackTop = 0;
  boneStack[0] = &root;
  childIndex[0] = 0;
  angleStack[0] = theta + o.angle;
  xStack[0] = px;
  yStack[0] = py;
  Append(repBones, frames.Current(root.id), px, py, angleStack[0], sx, sy);

  while (stackTop >= 0) {
    const VBABone& parent = *boneStack[stackTop];
    const int k = childIndex[stackTop];
    if (k >= parent.childCount) {
      --stackTop;
      continue;
    }
    ++childIndex[stackTop];
    const VBABone& child = *parent.children[k];
    if (!frames.Has(child.id)) continue;
    const float phi = Normalise(angleStack[stackTop]);
    const int pi = TableIndex(phi);
    const Offset c = frames.OffsetOf(child.id);
    const float qx = xStack[stackTop] + c.x * cosTable[pi] - c.y * sinTable[pi];
    const float qy = yStack[stackTop] + c.y * cosTable[pi] + c.x * sinTable[pi];
    const float accumulated = phi + c.angle;
    Append(repBones, frames.Current(child.id), qx, qy, accumulated, sx, sy);
    if (stackTop + 1 >= kMaxLevels) continue;  // deeper bones than the stacks hold stay unposed
    ++stackTop;
    boneStack[stackTop] = &child;
    childIndex[stackTop] = 0;
    angleStack[stackTop] = accumulated;
    xStack[stackTop] = qx;
    yStack[stackTop] = qy;
  }
  SortByDepth(repBones);
}
