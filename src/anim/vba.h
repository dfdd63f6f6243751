#pragma once
// anim/, skeletal animation above media/: a skeleton and its numbered animations, as stored in a
// VBA file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "anim/vba_anim.h"
#include "anim/vba_bone.h"

class VBA;
using VBAPtr = std::shared_ptr<VBA>;

class VBA {
 public:
  static constexpr int32_t kMaxBones = 64;
  static constexpr int kWrittenVersion = 2;

  static VBAPtr Create() { return std::make_shared<VBA>(); }
  // Ends the program (status 1) on a missing or damaged file; never returns null.
  static VBAPtr Load(const std::string& path);
  // Always writes version 2. Ends the program when the file cannot be created.
  void Save(const std::string& path) const;

  VBABonePtr FindBone(int32_t id) const;    // depth-first from the root; null if none
  VBABonePtr FindParent(int32_t id) const;  // null for the root and unknown ids
  // 0 removed, 1 no such bone, 2 the bone has two or more children.
  int RemoveBone(int32_t id);
  void ShiftBoneIds(int32_t from, int32_t delta);  // every bone whose id is from or greater
  void RemoveAnim(int32_t index);
  // Inserts an empty animation at index (clamped to 0 .. animCount); later ones move up.
  void InsertAnim(int32_t index);
  // Drops every frame, animation and bone; animCount and boneCount are kept.
  void Clear();
  // What makes the tree unfit for playback ("" when it is fit): ids repeating or not below
  // boneCount, more than 64 bones (which also bounds the depth to 64 levels).
  std::string CheckBones() const;

  int32_t animCount = 0;
  float headerNumber = 0;  // kept and written back; not used for playback
  int32_t boneCount = 0;
  VBABonePtr root;
  std::vector<VBAAnimPtr> anims;  // animation number -> animation
  int version = kWrittenVersion;  // of the file it was read from
};
