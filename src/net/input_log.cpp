#include "net/input_log.h"

#include <algorithm>

namespace net {

namespace {
constexpr uint32_t kFrameWrap = 1u << 16;
}  // namespace

uint32_t NearestFrame(uint16_t low, uint32_t near) {
  int64_t frame = (static_cast<int64_t>(near) & ~int64_t{kFrameWrap - 1}) | low;
  if (frame + kFrameWrap / 2 < near) frame += kFrameWrap;
  if (frame > static_cast<int64_t>(near) + kFrameWrap / 2 && frame >= kFrameWrap) {
    frame -= kFrameWrap;
  }
  return static_cast<uint32_t>(frame);
}

void InputLog::Set(uint32_t frame, uint8_t buttons) {
  if (frame >= frames_.size()) frames_.resize(frame + 1, -1);
  if (frames_[frame] >= 0) return;
  frames_[frame] = buttons;
  while (known_ < frames_.size() && frames_[known_] >= 0) ++known_;
}

void InputLog::Add(uint32_t first, const std::vector<uint8_t>& values) {
  for (size_t i = 0; i < values.size(); ++i) Set(first + static_cast<uint32_t>(i), values[i]);
}

bool InputLog::Has(uint32_t frame) const {
  return frame < frames_.size() && frames_[frame] >= 0;
}

uint8_t InputLog::At(uint32_t frame) const {
  return Has(frame) ? static_cast<uint8_t>(frames_[frame]) : 0;
}

void EncodeFrom(const InputLog& log, uint32_t from, ByteWriter& out) {
  out.U16(from & (kFrameWrap - 1));
  const uint32_t end = std::min(log.Known(), from + kCarriedFrames);
  for (uint32_t frame = from; frame < end;) {
    const uint8_t value = log.At(frame);
    uint32_t run = 0;
    while (frame + run < end && log.At(frame + run) == value) ++run;
    out.U8(value).U8(run);
    frame += run;
  }
}

bool DecodeRuns(ByteReader& in, uint32_t near, uint32_t& first, std::vector<uint8_t>& values) {
  first = NearestFrame(in.U16(), near);
  values.clear();
  while (in.Ok() && !in.AtEnd()) {
    const uint8_t value = in.U8();
    const uint32_t run = in.U8();
    if (run == 0 || values.size() + run > kCarriedFrames) return false;
    values.insert(values.end(), run, value);
  }
  return in.Ok();
}

}  // namespace net
