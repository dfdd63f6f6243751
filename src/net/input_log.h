#pragma once
// One machine's buttons, frame by frame, and how they travel: a packet carries every frame the
// receiver has not confirmed yet, as runs of equal values, so one that is lost or late costs
// nothing as long as a later one arrives.
#include <cstdint>
#include <vector>

#include "net/bytes.h"

namespace net {

// Bits 0-3 are the machine's local players' buttons; the pause bit asks every machine to toggle
// the pause in that frame.
inline constexpr uint8_t kPauseBit = 0x10;
// The most frames one packet carries.
inline constexpr uint32_t kCarriedFrames = 128;

class InputLog {
 public:
  // Keeps the first value given for a frame.
  void Set(uint32_t frame, uint8_t buttons);
  // Sets `values` from frame `first` on.
  void Add(uint32_t first, const std::vector<uint8_t>& values);
  bool Has(uint32_t frame) const;
  uint8_t At(uint32_t frame) const;  // 0 when the frame is not there
  // Frames 0 … Known() − 1 are all there.
  uint32_t Known() const { return known_; }

 private:
  std::vector<int16_t> frames_;  // -1: not there yet
  uint32_t known_ = 0;
};

// Packets name frames by their low 16 bits, taken as the frame nearest to one the reader knows.
uint32_t NearestFrame(uint16_t low, uint32_t near);

// The known frames from `from` on (at most kCarriedFrames of them): the first frame's number and
// runs of equal values. No runs when there is nothing from there yet.
void EncodeFrom(const InputLog& log, uint32_t from, ByteWriter& out);
// Reads what EncodeFrom wrote, its first frame taken as the one nearest to `near`: false when it
// is malformed or carries more than kCarriedFrames.
bool DecodeRuns(ByteReader& in, uint32_t near, uint32_t& first, std::vector<uint8_t>& values);

}  // namespace net
