#pragma once
// A match between two frames, by value: the field, the game clock, where the game's random stream
// stands and the screen's own progress. Saving and loading one is all rollback asks of a match.
#include <cstdint>

#include "core/timer.h"
#include "entities/field_snapshot.h"

// What the match screen itself carries from frame to frame.
struct MatchProgress {
  float scroll = 401.0f;  // panorama position in pixels
  float fade = -1.0f;     // darkening of the panorama 0..1; negative = off
  float fadeRate = 0;     // per real millisecond
  bool paused = false;
  float savedSpeed = 0;  // the clock's speed before the pause
  bool deciding = false;
  float endTime = 0;  // real time at which the decided match shows its winner
  float nextZombieTime = 0;
};

struct MatchSnapshot {
  FieldSnapshot field;
  TTimer clock;
  int32_t random = 0;
  MatchProgress progress;
};
