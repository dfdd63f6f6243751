#pragma once
// The flight of a player in the air as a bot foresees it: coasting while it aims, then the dive
// along the arrow, and what the dive would meet. The numbers are the player's own physics; the
// contacts are the boxes' reach, a little on the safe side.
#include <vector>

namespace field {

inline constexpr float kGroundY = 475;
inline constexpr float kArrowStartDegrees = 85;
inline constexpr float kArrowEndDegrees = 20;
inline constexpr float kHordeEdgeX = 70;                // down left of this, the horde eats
inline constexpr float kLatestRelease = kGroundY - 10;  // lower, a dive is not worth it
inline constexpr float kAimAngleStep = 2;               // the angles a bot weighs, this far apart
inline constexpr float kCrouchReach = 37.5f;     // a crouch's low box meets a body this far off
inline constexpr float kFullJumpSpeed = 0.725f;  // upwards, after a charge of 300 ms or more

struct Flight {
  float x = 0;
  float y = 0;
  float speedX = 0;
  float speedY = 0;
};

// Where the player is after aiming `ms` more: gravity pulls and its drift dies away. It stops
// on the ground.
Flight Coast(Flight flight, float ms);
// The milliseconds into a dive at `degrees` from `start` at which it knocks down a rival standing
// at rivalX, or a negative number when it lands first.
float DiveMeetsRival(Flight start, float degrees, float rivalX);
// A player on the ground at x who may leave it: takeoffMs from now it jumps with jumpSpeed
// upwards; with jumpSpeed 0 it stays where it stands.
struct Dodger {
  float x = 0;
  float takeoffMs = 0;
  float jumpSpeed = 0;
};
// Whether a player already diving along `diving` knocks the dodger down.
bool DivingMeets(Flight diving, const Dodger& dodger);
// The dives a player aiming from `flight` can still let go as its arrow sweeps on from
// arrowDegrees at degreesPerMs, one every couple of degrees in that order: whether each knocks
// the dodger down.
std::vector<bool> AimedDivesMeeting(Flight flight, float arrowDegrees, float degreesPerMs,
                                    const Dodger& dodger);
// Whether the player aiming from `flight`, its arrow at arrowDegrees and sweeping on at
// degreesPerMs, can let go somewhere along the sweep and knock down a rival standing at rivalX.
bool AimCanReach(Flight flight, float arrowDegrees, float degreesPerMs, float rivalX);
// The same for a full jump from the ground at fromX whose arrow comes up aimAfterMs after it
// leaves the ground.
bool JumpCanReach(float fromX, float rivalX, float aimAfterMs, float degreesPerMs);
// The same for a walker at walkerX that walks on at walkerSpeed: the dive throws it back.
float DiveMeetsWalker(Flight start, float degrees, float walkerX, float walkerSpeed);
// Where a dive at `degrees` from `start` touches the ground.
float DiveLandingX(Flight start, float degrees);
// Where a player already diving along `diving` touches the ground.
float FlightLandingX(Flight diving);

}  // namespace field
