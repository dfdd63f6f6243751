#pragma once
// One animation: a chain of key frames.
#include <cstdint>
#include <memory>

#include "anim/vba_frame.h"

class VBAAnim;
using VBAAnimPtr = std::shared_ptr<VBAAnim>;

class VBAAnim {
 public:
  static VBAAnimPtr Create() { return std::make_shared<VBAAnim>(); }

  // Links the frame after the last one, raising frameCount and totalTime.
  void AddFrame(VBAFramePtr frame);
  int32_t GetTotalTime() const;           // the sum of the durations along the chain
  VBAFramePtr GetFrame(int32_t n) const;  // counting from 0; null past the end
  void ClearFrames();
  // Unlinks frame n after emptying its states; totalTime is left as it was.
  void RemoveFrame(int32_t n);

  int32_t frameCount = 0;  // as stored: a file may say 0 and still hold its one frame
  VBAFramePtr firstFrame;
  int32_t totalTime = 0;
};
