#pragma once
// A node of a skeleton: the bone's number, its name and its children in drawing-tree order.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class VBABone;
using VBABonePtr = std::shared_ptr<VBABone>;

class VBABone {
 public:
  static VBABonePtr Create() { return std::make_shared<VBABone>(); }
  void AddChild(VBABonePtr child);

  int32_t id = 0;  // also the index of this bone's state in every key frame
  std::string name;
  int32_t extra1 = 1;  // kept and written back; playback does not read them
  int32_t extra2 = 1;
  int32_t childCount = 0;  // always children.size()
  std::vector<VBABonePtr> children;
};
