#include "core/timer.h"

#include "media/system.h"

namespace {
constexpr int64_t kFramesPerSecond = 60;
}  // namespace

std::shared_ptr<TTimer> TTimer::Create() {
  auto timer = std::make_shared<TTimer>();
  timer->startTime = media::Milliseconds();
  return timer;
}

void TTimer::Update() {
  // Unsigned difference so the 32-bit clock may wrap without a jump; whole milliseconds of the
  // frame clock, so that its deltas are 16 and 17 and add up to the second exactly.
  const int elapsed = frameClock ? static_cast<int>(++frames * 1000 / kFramesPerSecond)
                                 : static_cast<int>(media::Milliseconds() - startTime);
  realDelta = static_cast<float>(elapsed - realElapsed);
  scaledDelta = realDelta * speed;
  scaledElapsed += realDelta * speed;
  realElapsed = elapsed;
}

float TTimer::GetElapsed(bool real) const {
  return real ? static_cast<float>(realElapsed) : scaledElapsed;
}

float TTimer::GetDelta(bool real) const {
  return real ? realDelta : scaledDelta;
}

void TTimer::SetSpeed(float newSpeed, int /*durationMs*/) {
  speed = newSpeed;
}

void TTimer::StartFrameClock() {
  frameClock = true;
  frames = 0;
  speed = 1;
  scaledElapsed = 0;
  realElapsed = 0;
  scaledDelta = 0;
  realDelta = 0;
}

void TTimer::StopFrameClock() {
  frameClock = false;
  startTime = media::Milliseconds() - static_cast<uint32_t>(realElapsed);
}
