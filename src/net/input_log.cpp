#include "net/input_log.h"

#include <algorithm>
#include <utility>

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

bool DecodeInto(ByteReader& in, InputLog& log) {
  uint32_t frame = NearestFrame(in.U16(), log.Known());
  std::vector<std::pair<uint32_t, uint8_t>> frames;
  while (in.Ok() && !in.AtEnd()) {
    const uint8_t value = in.U8();
    const uint32_t run = in.U8();
    if (run == 0 || frames.size() + run > kCarriedFrames) return false;
    for (uint32_t i = 0; i < run; ++i) frames.emplace_back(frame++, value);
  }
  if (!in.Ok()) return false;
  for (const auto& [at, value] : frames) log.Set(at, value);
  return true;
}

}  // namespace net
