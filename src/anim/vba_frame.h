#pragma once
// Key frames: the pose of every bone at one moment, chained in playing order.
#include <cstdint>
#include <memory>
#include <vector>

// The pose of one bone in one key frame.
struct VBABoneState {
  VBABoneState Copy() const { return *this; }

  float x = 0;  // offset from the parent, in the parent's rotated frame
  float y = 0;
  float angle = 0;    // degrees added to the parent's accumulated angle
  float scale = 1;    // of this bone's image only
  int32_t depth = 0;  // greater is drawn first, further back
  int32_t graph = 0;  // graph number in the character's package; 0 = no image
};

class VBAFrame;
using VBAFramePtr = std::shared_ptr<VBAFrame>;

class VBAFrame {
 public:
  static VBAFramePtr Create() { return std::make_shared<VBAFrame>(); }
  VBAFrame() = default;
  VBAFrame(const VBAFrame&) = delete;
  VBAFrame& operator=(const VBAFrame&) = delete;
  // Unlinks the rest of the chain one frame at a time: a long chain would otherwise be released
  // recursively, one stack frame per key frame.
  ~VBAFrame();

  // Same duration and states, no next frame.
  VBAFramePtr Copy() const;

  int32_t duration = 0;              // milliseconds to the next key frame
  std::vector<VBABoneState> states;  // indexed by bone id
  VBAFramePtr next;
};
