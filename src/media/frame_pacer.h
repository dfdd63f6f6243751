#pragma once
// Software frame pacing for flip -1: due times a whole period apart, the millisecond remainder
// of 1000 / hz spread over the frames, so 60 Hz advances by 16, 17, 17, 16, 17, 17, ...
// Absolute due times also absorb the oversleep of the system's sleep.
#include <cstdint>

namespace media {

class FramePacer {
 public:
  // hz <= 0 leaves pacing off.
  void Start(int hz, uint32_t now);
  bool Active() const { return hz_ > 0; }
  // Moves the due time one frame on and returns the milliseconds to sleep until it; when the
  // frame is already late the due time is pulled back to `now` and 0 is returned.
  int NextWait(uint32_t now);
  uint32_t DueTime() const { return due_; }

 private:
  int hz_ = 0;
  int period_ = 0;
  int remainder_ = 0;
  int accumulator_ = 0;
  uint32_t due_ = 0;
};

}  // namespace media
