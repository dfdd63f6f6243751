#pragma once
// The flight of a player in the air as a bot foresees it: coasting while it aims, then the dive
// along the arrow, and what the dive would meet. The numbers are the player's own physics; the
// contacts are the boxes' reach, a little on the safe side.
namespace field {

inline constexpr float kGroundY = 475;
inline constexpr float kArrowStartDegrees = 85;
inline constexpr float kArrowEndDegrees = 20;
inline constexpr float kHordeEdgeX = 70;  // down left of this, the horde eats

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
// The same for a walker at walkerX that walks on at walkerSpeed: the dive throws it back.
float DiveMeetsWalker(Flight start, float degrees, float walkerX, float walkerSpeed);
// Where a dive at `degrees` from `start` touches the ground.
float DiveLandingX(Flight start, float degrees);

}  // namespace field
