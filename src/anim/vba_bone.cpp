#include "anim/vba_bone.h"

void VBABone::AddChild(VBABonePtr child) {
  children.push_back(std::move(child));
  childCount = static_cast<int32_t>(children.size());
}
