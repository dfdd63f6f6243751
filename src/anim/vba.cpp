#include "anim/vba.h"

#include <algorithm>
#include <functional>

namespace {

// Calls visit(bone, parent) for every bone, depth-first from the root; stops when it says true.
bool Walk(const VBABonePtr& bone, const VBABonePtr& parent,
          const std::function<bool(const VBABonePtr&, const VBABonePtr&)>& visit) {
  if (visit(bone, parent)) return true;
  for (const VBABonePtr& child : bone->children) {
    if (Walk(child, bone, visit)) return true;
  }
  return false;
}

}  // namespace

VBABonePtr VBA::FindBone(int32_t id) const {
  if (id < 0 || id >= boneCount || !root) return nullptr;
  VBABonePtr found;
  Walk(root, nullptr, [&](const VBABonePtr& bone, const VBABonePtr&) {
    if (bone->id == id) found = bone;
    return found != nullptr;
  });
  return found;
}

VBABonePtr VBA::FindParent(int32_t id) const {
  if (id < 0 || id >= boneCount || !root || root->id == id) return nullptr;
  VBABonePtr found;
  Walk(root, nullptr, [&](const VBABonePtr& bone, const VBABonePtr& parent) {
    if (bone->id == id && parent) found = parent;
    return found != nullptr;
  });
  return found;
}

void VBA::ShiftBoneIds(int32_t from, int32_t delta) {
  if (!root) return;
  Walk(root, nullptr, [&](const VBABonePtr& bone, const VBABonePtr&) {
    if (bone->id >= from) bone->id += delta;
    return false;
  });
}

int VBA::RemoveBone(int32_t id) {
  constexpr int kRemoved = 0, kNoSuchBone = 1, kBranching = 2;
  if (id > boneCount - 1 || !root) return kNoSuchBone;
  VBABonePtr removed;
  if (root->id == id) {
    if (root->children.size() >= 2) return kBranching;
    removed = root;
    root = root->children.empty() ? nullptr : root->children[0];
  } else {
    const VBABonePtr parent = FindParent(id);
    if (!parent) return kNoSuchBone;
    auto place = std::find_if(parent->children.begin(), parent->children.end(),
                              [id](const VBABonePtr& child) { return child->id == id; });
    removed = *place;
    if (removed->children.size() >= 2) return kBranching;
    if (removed->children.empty()) {
      parent->children.erase(place);
    } else {
      *place = removed->children[0];
    }
    parent->childCount = static_cast<int32_t>(parent->children.size());
  }
  removed->children.clear();
  removed->childCount = 0;
  ShiftBoneIds(id, -1);
  --boneCount;
  // The depth lowering compares depths with the removed id, as the editor always did.
  for (const VBAAnimPtr& anim : anims) {
    if (!anim) continue;
    for (VBAFrame* frame = anim->firstFrame.get(); frame; frame = frame->next.get()) {
      if (id < static_cast<int32_t>(frame->states.size())) {
        frame->states.erase(frame->states.begin() + id);
      }
      for (VBABoneState& state : frame->states) {
        if (state.depth > id) --state.depth;
      }
    }
  }
  return kRemoved;
}

void VBA::RemoveAnim(int32_t index) {
  if (index < 0 || index >= animCount || index >= static_cast<int32_t>(anims.size())) return;
  if (anims[index]) anims[index]->ClearFrames();
  std::move(anims.begin() + index + 1, anims.end(), anims.begin() + index);
  anims.back().reset();
  --animCount;
}

void VBA::InsertAnim(int32_t index) {
  anims.resize(animCount);
  index = std::clamp(index, 0, animCount);
  anims.insert(anims.begin() + index, VBAAnim::Create());
  ++animCount;
}

void VBA::Clear() {
  for (const VBAAnimPtr& anim : anims) {
    if (anim) anim->ClearFrames();
  }
  anims.clear();
  if (root) {
    std::vector<VBABonePtr> pending = {root};
    while (!pending.empty()) {
      VBABonePtr bone = pending.back();
      pending.pop_back();
      pending.insert(pending.end(), bone->children.begin(), bone->children.end());
      bone->children.clear();
      bone->childCount = 0;
    }
  }
  root.reset();
}

std::string VBA::CheckBones() const {
  if (!root) return "has no bones";
  std::vector<bool> seen(kMaxBones, false);
  int32_t bones = 0;
  std::string problem;
  std::function<void(const VBABone&)> check = [&](const VBABone& bone) {
    if (!problem.empty()) return;
    if (++bones > kMaxBones)
      problem = "has more than 64 bones";
    else if (bone.id < 0 || bone.id >= kMaxBones || bone.id >= boneCount)
      problem = "has a bone id out of range (" + std::to_string(bone.id) + ")";
    else if (seen[bone.id])
      problem = "repeats bone id " + std::to_string(bone.id);
    else
      seen[bone.id] = true;
    for (const VBABonePtr& child : bone.children) check(*child);
  };
  check(*root);
  if (problem.empty() && bones != boneCount)
    problem = "counts " + std::to_string(boneCount) + " bones but holds " + std::to_string(bones);
  return problem;
}
