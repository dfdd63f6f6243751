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
constexpr float kBodyTop = 95 + 20;   // above the feet
constexpr float kFeetBelow = 5 + 20;  // below them, where the body box ends
constexpr float kRivalTop = kGroundY - kBodyTop;
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

// Steps a flight under gravity until `meets(x, y, ms)` holds or the feet reach the ground.
template <class Meets>
DiveEnd Fly(Flight flight, Meets&& meets) {
  DiveEnd end{false, 0, flight.x};
  float y = flight.y;
  float vy = flight.speedY;
  while (end.ms < kLongestDiveMs && y < kGroundY) {
    end.ms += kStepMs;
    vy += kGravity * kStepMs;
    end.x += flight.speedX * kStepMs;
    y = std::min(kGroundY, y + vy * kStepMs);
    if (meets(end.x, y, end.ms)) {
      end.met = true;
      break;
    }
  }
  return end;
}

Flight DiveFrom(Flight start, float degrees) {
  start.speedX = kDiveSpeed * std::cos(Radians(degrees));
  start.speedY = kDiveSpeed * std::sin(Radians(degrees));
  return start;
}

template <class Meets>
DiveEnd Dive(Flight start, float degrees, Meets&& meets) {
  return Fly(DiveFrom(start, degrees), meets);
}

auto MeetsRivalAt(float rivalX) {
  return [rivalX](float x, float y, float) {
    return std::fabs(x - rivalX) < kRivalReach && y > kRivalTop;
  };
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
  const DiveEnd end = Dive(start, degrees, MeetsRivalAt(rivalX));
  return end.met ? end.ms : -1;
}

// The dodger's feet `ms` from now: on the ground until it takes off, then rising and falling.
float FeetY(const Dodger& dodger, float ms) {
  if (dodger.jumpSpeed == 0 || ms < dodger.takeoffMs) return kGroundY;
  const float air = ms - dodger.takeoffMs;
  return std::min(kGroundY, kGroundY - dodger.jumpSpeed * air + kGravity * air * air / 2);
}

// A dive let go `releaseMs` from now meets the dodger: the diver's feet box against its body.
bool DiveMeetsDodger(Flight dive, float releaseMs, const Dodger& dodger) {
  return Fly(dive,
             [&](float x, float y, float ms) {
               const float feet = FeetY(dodger, releaseMs + ms);
               return std::fabs(x - dodger.x) < kRivalReach && y > feet - kBodyTop &&
                      y < feet + kFeetBelow;
             })
      .met;
}

bool DivingMeets(Flight diving, const Dodger& dodger) {
  return DiveMeetsDodger(diving, 0, dodger);
}

std::vector<bool> AimedDivesMeeting(Flight flight, float arrowDegrees, float degreesPerMs,
                                    const Dodger& dodger) {
  std::vector<bool> meeting;
  float releaseMs = 0;
  for (float degrees = arrowDegrees; degrees >= kArrowEndDegrees; degrees -= kAimAngleStep) {
    if (flight.y >= kLatestRelease) break;
    meeting.push_back(DiveMeetsDodger(DiveFrom(flight, degrees), releaseMs, dodger));
    const float stepMs = kAimAngleStep / degreesPerMs;
    flight = Coast(flight, stepMs);
    releaseMs += stepMs;
  }
  return meeting;
}

bool AimCanReach(Flight flight, float arrowDegrees, float degreesPerMs, float rivalX) {
  const auto meeting = AimedDivesMeeting(flight, arrowDegrees, degreesPerMs, {rivalX});
  return std::find(meeting.begin(), meeting.end(), true) != meeting.end();
}

bool JumpCanReach(float fromX, float rivalX, float aimAfterMs, float degreesPerMs) {
  const Flight jump = Coast({fromX, kGroundY, 0, -kFullJumpSpeed}, aimAfterMs);
  return AimCanReach(jump, kArrowStartDegrees, degreesPerMs, rivalX);
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
  return FlightLandingX(DiveFrom(start, degrees));
}

float FlightLandingX(Flight diving) {
  return Fly(diving, [](float, float, float) { return false; }).x;
}

}  // namespace field
