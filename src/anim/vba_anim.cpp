#include "anim/vba_anim.h"

void VBAAnim::AddFrame(VBAFramePtr frame) {
  totalTime += frame->duration;
  ++frameCount;
  if (!firstFrame) {
    firstFrame = std::move(frame);
    return;
  }
  VBAFrame* last = firstFrame.get();
  while (last->next) last = last->next.get();
  last->next = std::move(frame);
}

int32_t VBAAnim::GetTotalTime() const {
  int32_t total = 0;
  for (const VBAFrame* frame = firstFrame.get(); frame; frame = frame->next.get()) {
    total += frame->duration;
  }
  return total;
}

VBAFramePtr VBAAnim::GetFrame(int32_t n) const {
  if (n < 0) return nullptr;
  VBAFramePtr frame = firstFrame;
  for (int32_t i = 0; i < n && frame; ++i) frame = frame->next;
  return frame;
}

void VBAAnim::ClearFrames() {
  for (VBAFrame* frame = firstFrame.get(); frame; frame = frame->next.get()) frame->states.clear();
  firstFrame.reset();
  frameCount = 0;
}

void VBAAnim::RemoveFrame(int32_t n) {
  const VBAFramePtr frame = GetFrame(n);
  if (!frame) return;
  frame->states.clear();
  if (n == 0) {
    firstFrame = frame->next;
  } else {
    GetFrame(n - 1)->next = frame->next;
  }
  frame->next.reset();
  --frameCount;
}
