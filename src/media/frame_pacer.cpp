#include "media/frame_pacer.h"

namespace media {
namespace {
constexpr int kMillisecondsPerSecond = 1000;
}

void FramePacer::Start(int hz, uint32_t now) {
  hz_ = hz > 0 ? hz : 0;
  period_ = hz_ > 0 ? kMillisecondsPerSecond / hz_ : 0;
  remainder_ = kMillisecondsPerSecond - period_ * hz_;
  accumulator_ = 0;
  due_ = now;
}

int FramePacer::NextWait(uint32_t now) {
  due_ += static_cast<uint32_t>(period_);
  accumulator_ += remainder_;
  if (accumulator_ >= hz_) {
    accumulator_ -= hz_;
    due_ += 1;
  }
  // The difference is taken modulo 2^32 so the clock may wrap.
  int wait = static_cast<int32_t>(due_ - now);
  if (wait <= 0) {
    due_ = now;
    return 0;
  }
  return wait;
}

}  // namespace media
