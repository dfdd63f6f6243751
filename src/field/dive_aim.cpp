#include "field/dive_aim.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace field {

namespace {

constexpr float kGravity = 0.00085f;  // px/ms²
constexpr float kDiveSpeed = 0.5f;
// Aiming, the drift decays by 0.0005 px/ms² over the part of each 60 Hz frame after its first
// 10 ms sub-step: about 0.0002 px/ms² on average.
constexpr float kAimDrag = 0.0002f;
constexpr float kStepMs = 5;
constexpr float kLongestDiveMs = 3000;
// A diver's feet box against a standing rival's body, which spans 5 to 95 px above its feet.
constexpr float kRivalReach = 30;
constexpr float kRivalTop = kGroundY - 95 - 20;
// A diver's body box, 50 px up from its feet along the dive, against a walker's box from its
// feet up 45 px.
constexpr float kBodyReach = 50;
constexpr float kWalkerReach = 30;
constexpr float kWalkerTop = kGroundY - 45 - 22;

float Radians(float degrees) {
  return degrees * std::numbers::pi_v<float> / 180;
}

struct DiveEnd {
  bool met = false;
  float ms = 0;
  float x = 0;
};

// Steps the dive until `meets(x, y, ms)` holds or the feet reach the ground.
template <class Meets>
DiveEnd Dive(Flight start, float degrees, Meets&& meets) {
  const float vx = kDiveSpeed * std::cos(Radians(degrees));
  float vy = kDiveSpeed * std::sin(Radians(degrees));
  DiveEnd end{false, 0, start.x};
  float y = start.y;
  while (end.ms < kLongestDiveMs && y < kGroundY) {
    end.ms += kStepMs;
    vy += kGravity * kStepMs;
    end.x += vx * kStepMs;
    y = std::min(kGroundY, y + vy * kStepMs);
    if (meets(end.x, y, end.ms)) {
      end.met = true;
      break;
    }
  }
  return end;
}

}  // namespace

Flight Coast(Flight flight, float ms) {
  for (float done = 0; done < ms && flight.y < kGroundY; done += kStepMs) {
    const float step = std::min(kStepMs, ms - done);
    flight.speedY += kGravity * step;
    flight.x += flight.speedX * step;
    flight.y = std::min(kGroundY, flight.y + flight.speedY * step);
    const float drag = kAimDrag * step;
    flight.speedX = flight.speedX > 0 ? std::max(0.0f, flight.speedX - drag)
                                      : std::min(0.0f, flight.speedX + drag);
  }
  return flight;
}

float DiveMeetsRival(Flight start, float degrees, float rivalX) {
  const DiveEnd end = Dive(start, degrees, [&](float x, float y, float) {
    return std::fabs(x - rivalX) < kRivalReach && y > kRivalTop;
  });
  return end.met ? end.ms : -1;
}

float DiveMeetsWalker(Flight start, float degrees, float walkerX, float walkerSpeed) {
  const float reachX = kBodyReach * std::sin(Radians(degrees));
  const float reachY = -kBodyReach * std::cos(Radians(degrees));
  const DiveEnd end = Dive(start, degrees, [&](float x, float y, float ms) {
    return std::fabs(x + reachX - (walkerX + walkerSpeed * ms)) < kWalkerReach &&
           y + reachY > kWalkerTop;
  });
  return end.met ? end.ms : -1;
}

float DiveLandingX(Flight start, float degrees) {
  return Dive(start, degrees, [](float, float, float) { return false; }).x;
}

}  // namespace field
