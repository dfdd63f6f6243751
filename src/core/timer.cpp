#include "core/timer.h"

#include "media/system.h"

std::shared_ptr<TTimer> TTimer::Create() {
  auto timer = std::make_shared<TTimer>();
  timer->startTime = media::Milliseconds();
  return timer;
}

void TTimer::Update() {
  // Unsigned difference so the 32-bit clock may wrap without a jump.
  const int elapsed = static_cast<int>(media::Milliseconds() - startTime);
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
