#pragma once
// One machine's buttons, frame by frame, and how they travel: every packet carries the newest
// frame number and the last several frames as runs of equal values, so one that is lost or late
// costs nothing as long as a later one arrives.
#include <cstdint>
#include <vector>

#include "net/bytes.h"

namespace net {

// Bits 0-3 are the machine's local players' buttons; the pause bit asks every machine to toggle
// the pause in that frame.
inline constexpr uint8_t kPauseBit = 0x10;
// How many frames each packet repeats.
inline constexpr int kRepeatedFrames = 8;

class InputLog {
 public:
  // Keeps the first value given for a frame.
  void Set(uint32_t frame, uint8_t buttons);
  bool Has(uint32_t frame) const;
  uint8_t At(uint32_t frame) const;  // 0 when the frame is not there
  // Frames 0 … Known() − 1 are all there.
  uint32_t Known() const { return known_; }

 private:
  std::vector<int16_t> frames_;  // -1: not there yet
  uint32_t known_ = 0;
};

// The newest `repeat` frames of the known ones. Nothing when no frame is known.
Bytes EncodeRecent(const InputLog& log, int repeat = kRepeatedFrames);
// Adds what a packet carries to `log`; false (and nothing added) when the packet is malformed.
// Packets name frames by their low 16 bits, taken as the frame nearest to what the log knows.
bool DecodeRecent(ByteReader& in, InputLog& log);

}  // namespace net
