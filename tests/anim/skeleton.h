#pragma once
// Small animation sets built for the playback tests.
#include <memory>
#include <vector>

#include "anim/vba.h"
#include "media/trig.h"

// Bones: 0 is the root; each entry of parents names the parent of bone i + 1.
inline VBAPtr MakeSet(const std::vector<int>& parents) {
  FillTrigTables();
  auto set = VBA::Create();
  std::vector<VBABonePtr> bones{VBABone::Create()};
  for (size_t i = 0; i < parents.size(); ++i) {
    auto bone = VBABone::Create();
    bone->id = static_cast<int32_t>(i + 1);
    bones[parents[i]]->AddChild(bone);
    bones.push_back(bone);
  }
  set->root = bones[0];
  set->boneCount = static_cast<int32_t>(bones.size());
  return set;
}

// A key frame in which every bone has the given state; change single bones afterwards.
inline VBAFramePtr MakeFrame(const VBA& set, int duration, VBABoneState state = {}) {
  auto frame = VBAFrame::Create();
  frame->duration = duration;
  frame->states.assign(set.boneCount, state);
  return frame;
}

inline VBAAnimPtr AddAnim(VBA& set, const std::vector<VBAFramePtr>& frames) {
  auto anim = VBAAnim::Create();
  for (const auto& frame : frames) anim->AddFrame(frame);
  set.anims.push_back(anim);
  set.animCount = static_cast<int32_t>(set.anims.size());
  return anim;
}

inline VBABoneState At(float x, float y, float angle, int depth = 0, int graph = 1) {
  VBABoneState state;
  state.x = x;
  state.y = y;
  state.angle = angle;
  state.depth = depth;
  state.graph = graph;
  return state;
}
