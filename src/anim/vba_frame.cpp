#include "anim/vba_frame.h"

VBAFrame::~VBAFrame() {
  VBAFramePtr rest = std::move(next);
  while (rest && rest.use_count() == 1) rest = std::move(rest->next);
}

VBAFramePtr VBAFrame::Copy() const {
  VBAFramePtr copy = Create();
  copy->duration = duration;
  copy->states = states;
  return copy;
}
