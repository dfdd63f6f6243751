#include "net/input_log.h"

#include <algorithm>
#include <utility>

namespace net {

namespace {
constexpr uint32_t kFrameWrap = 1u << 16;
constexpr int kMaxRunFrames = 255;

// The frame whose low 16 bits are `low`, nearest to `near`.
uint32_t NearestFrame(uint16_t low, uint32_t near) {
  int64_t frame = (static_cast<int64_t>(near) & ~int64_t{kFrameWrap - 1}) | low;
  if (frame + kFrameWrap / 2 < near) frame += kFrameWrap;
  if (frame > static_cast<int64_t>(near) + kFrameWrap / 2 && frame >= kFrameWrap) {
    frame -= kFrameWrap;
  }
  return static_cast<uint32_t>(frame);
}
}  // namespace

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

Bytes EncodeRecent(const InputLog& log, int repeat) {
  if (log.Known() == 0) return {};
  const uint32_t newest = log.Known() - 1;
  ByteWriter out;
  out.U16(newest & (kFrameWrap - 1));
  int left = std::min<int64_t>(repeat, newest + 1);
  uint32_t frame = newest;
  while (left > 0) {
    const uint8_t value = log.At(frame);
    int run = 0;
    while (run < left && run < kMaxRunFrames && log.At(frame - run) == value) ++run;
    out.U8(value).U8(run);
    left -= run;
    frame -= run;
  }
  return out.Take();
}

bool DecodeRecent(ByteReader& in, InputLog& log) {
  const uint32_t newest = NearestFrame(in.U16(), log.Known());
  std::vector<std::pair<uint32_t, uint8_t>> frames;
  int64_t frame = newest;
  while (in.Ok() && !in.AtEnd()) {
    const uint8_t value = in.U8();
    const int run = in.U8();
    if (run == 0 || frame - run + 1 < 0) return false;
    for (int i = 0; i < run; ++i) frames.emplace_back(static_cast<uint32_t>(frame--), value);
  }
  if (!in.Ok() || frames.empty()) return false;
  for (const auto& [at, value] : frames) log.Set(at, value);
  return true;
}

}  // namespace net
